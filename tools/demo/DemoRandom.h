#pragma once

#include <cstdint>

// A small seeded random source (xorshift64*) of our own, so that the demo
// edition is the same byte for byte on every run and with every compiler
// (the standard distributions are not).
class DemoRandom {
public:
    explicit DemoRandom(uint64_t seed) : m_state(seed * 0x9E3779B97F4A7C15ull + 0x2545F4914F6CDD1Dull)
    {
        if (m_state == 0)
            m_state = 1;
    }

    uint32_t next()
    {
        m_state ^= m_state >> 12;
        m_state ^= m_state << 25;
        m_state ^= m_state >> 27;
        return static_cast<uint32_t>((m_state * 0x2545F4914F6CDD1Dull) >> 32);
    }

    // 0 to n - 1; 0 when n is 0.
    uint32_t below(uint32_t n) { return n == 0 ? 0 : next() % n; }

    // low to high, both included.
    uint32_t between(uint32_t low, uint32_t high) { return high <= low ? low : low + below(high - low + 1); }

    // True about percent times in a hundred.
    bool chance(uint32_t percent) { return below(100) < percent; }

private:
    uint64_t m_state;
};
