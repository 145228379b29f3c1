#pragma once

#include <cstdint>

#include "core/FixedArray.h"

// Signed 32-bit integers, left unset when the array is sized.
class IntArray : public FixedArray<int32_t> {
public:
    ~IntArray() override = default;
};
