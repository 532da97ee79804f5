// Pcg32: the one random source of the asset generators. Its own arithmetic, so the assets come
// out byte for byte the same with every compiler and standard library.
#pragma once

#include <cstdint>

struct Pcg32 {
    std::uint64_t state = 0;
    std::uint64_t increment = 1;

    explicit Pcg32(std::uint64_t seed, std::uint64_t stream = 54) : increment((stream << 1u) | 1u) {
        next();
        state += seed;
        next();
    }

    /// Next 32 random bits (PCG XSH RR).
    std::uint32_t next() {
        const std::uint64_t old = state;
        state = old * 6364136223846793005ULL + increment;
        const auto xorShifted = static_cast<std::uint32_t>(((old >> 18u) ^ old) >> 27u);
        const auto rotation = static_cast<std::uint32_t>(old >> 59u);
        return (xorShifted >> rotation) | (xorShifted << ((32u - rotation) & 31u));
    }

    /// Uniform in [0, 1), 32 bits of resolution.
    double uniform() { return next() * (1.0 / 4294967296.0); }

    /// Uniform in [low, high).
    double uniform(double low, double high) { return low + (high - low) * uniform(); }
};
