#pragma once

// The platform rectangle. The native Linux build of the platform-free code
// declares the same four signed 32-bit edges itself.
#ifdef _WIN32
#include <windows.h>
#else
#include <cstdint>
struct RECT {
    int32_t left;
    int32_t top;
    int32_t right;
    int32_t bottom;
};
#endif
