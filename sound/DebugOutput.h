#pragma once

// Writes a diagnostic text (ASCII) to the debugger, in both programs.
void debugOutput(const char* text);
