#pragma once

#include <string>

#include "core/WideString.h"

// Writes bytes to a file, replacing it; false when it cannot be written whole.
bool writeFileBytes(const std::string& path, const std::string& bytes);

// A track's file name from the segment table as a plain 8-bit name; characters
// outside ASCII become '_'.
std::string asciiFileName(const WideString& name);
