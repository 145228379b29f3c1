#pragma once

#include <cstdint>

#include "core/FixedArray.h"

// A word of a paragraph: its first character and its length.
class WordRange {
public:
    WordRange() : m_begin(0), m_length(0) {}
    virtual ~WordRange() = default;

    void set(int32_t begin, int32_t length)
    {
        m_begin = begin;
        m_length = length;
    }
    int32_t begin() const { return m_begin; }
    int32_t length() const { return m_length; }

private:
    int32_t m_begin;
    int32_t m_length;
};

// A sentence or segment of a paragraph: first and last character, both inclusive.
class CharRange {
public:
    CharRange() : m_first(0), m_last(0) {}
    virtual ~CharRange() = default;

    void set(int32_t first, int32_t last)
    {
        m_first = first;
        m_last = last;
    }
    int32_t first() const { return m_first; }
    int32_t last() const { return m_last; }

private:
    int32_t m_first;
    int32_t m_last;
};

class WordRangeArray : public FixedArray<WordRange> {
public:
    ~WordRangeArray() override = default;
};
