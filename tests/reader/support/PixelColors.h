#pragma once

// Colours as the tests read them from 32-bit pixels: 0x00RRGGBB.

#include <cstdint>

inline constexpr uint32_t rgb(uint32_t r, uint32_t g, uint32_t b)
{
    return (r << 16) | (g << 8) | b;
}

const uint32_t White = rgb(255, 255, 255);
const uint32_t Black = rgb(0, 0, 0);
// The reader's own colours.
const uint32_t HeardGreen = rgb(0, 159, 0);    // the segment being heard
const uint32_t LookedUpBlue = rgb(0, 0, 223);  // a word looked up
const uint32_t OutlineTeal = rgb(0, 176, 176); // the clicked sentence's outline
const uint32_t BalloonFill = rgb(255, 255, 223); // a translation balloon
