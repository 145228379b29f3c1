#pragma once

// Writes a diagnostic text to the debugger: OutputDebugStringW in the wide
// build, OutputDebugStringA in the narrow one.
void debugOutput(const char* text);
