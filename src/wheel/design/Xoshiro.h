#pragma once

#include <cstdint>

namespace quorbel {

// Small, fast generator for the searches (xoshiro256**, seeded through splitmix64),
// so that a seed reproduces a run on every platform.
class Xoshiro256
{
public:
    explicit Xoshiro256(std::uint64_t seed)
    {
        for (auto &word : m_state) {
            seed += 0x9E3779B97F4A7C15ull;
            std::uint64_t z = seed;
            z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
            z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
            word = z ^ (z >> 31);
        }
    }

    std::uint64_t next()
    {
        const std::uint64_t result = rotl(m_state[1] * 5, 7) * 9;
        const std::uint64_t shifted = m_state[1] << 17;
        m_state[2] ^= m_state[0];
        m_state[3] ^= m_state[1];
        m_state[1] ^= m_state[2];
        m_state[0] ^= m_state[3];
        m_state[2] ^= shifted;
        m_state[3] = rotl(m_state[3], 45);
        return result;
    }

    // Uniform integer in [0, bound), bound > 0.
    std::uint32_t below(std::uint32_t bound)
    {
        return static_cast<std::uint32_t>(((next() >> 32) * std::uint64_t(bound)) >> 32);
    }

    // Uniform real in [0, 1).
    double unit() { return double(next() >> 11) * 0x1.0p-53; }

private:
    static std::uint64_t rotl(std::uint64_t x, int k) { return (x << k) | (x >> (64 - k)); }
    std::uint64_t m_state[4];
};

} // namespace quorbel
