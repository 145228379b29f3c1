#pragma once

#include <cstdint>
#include <new>

// The one container of the program: a number of elements fixed by setSize,
// plus a default element that every out-of-range access reads and writes.
//
// The element type decides how elements are built, exactly as new[] does:
// classes by their default constructors (first to last, destroyed last to
// first), plain values (characters, bytes, integers, handles) left unset
// until written. The default element starts value-initialised, so it is zero
// for plain values.
template <typename T>
class FixedArray {
public:
    FixedArray() : m_default(), m_items(nullptr), m_count(0) {}
    virtual ~FixedArray() { release(); }

    FixedArray(const FixedArray&) = delete;
    FixedArray& operator=(const FixedArray&) = delete;

    // Discards the old elements and provides exactly n fresh ones. False, with
    // the array left empty, when n is 0 or no storage could be had.
    bool setSize(uint32_t n)
    {
        release();
        if (n == 0)
            return false;
        T* items = nullptr;
        try {
            // A constructor that throws has new[] destroy what it built.
            items = new (std::nothrow) T[n];
        } catch (...) {
            items = nullptr;
        }
        if (items == nullptr)
            return false;
        m_items = items;
        m_count = n;
        return true;
    }

    // Unsigned comparison: minus one is out of range, not element -1.
    T& at(uint32_t i) { return (m_items != nullptr && i < m_count) ? m_items[i] : m_default; }
    const T& at(uint32_t i) const { return (m_items != nullptr && i < m_count) ? m_items[i] : m_default; }

    T& atChecked(uint32_t i, bool& inRange)
    {
        inRange = m_items != nullptr && i < m_count;
        return inRange ? m_items[i] : m_default;
    }

    uint32_t count() const { return m_count; }
    T* items() { return m_items; }
    const T* items() const { return m_items; }

private:
    void release()
    {
        T* items = m_items;
        m_items = nullptr;
        m_count = 0;
        try {
            delete[] items;
        } catch (...) {
        }
    }

    T m_default;
    T* m_items;
    uint32_t m_count;
};
