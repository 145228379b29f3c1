#pragma once

#include "core/FixedArray.h"

class ByteArray : public FixedArray<uint8_t> {
public:
    ~ByteArray() override = default;
};
