// SPDX-License-Identifier: GPL-3.0-or-later
// The generator's own pseudo-random numbers: SplitMix64, so that a sound is
// the same bytes on every machine and with every standard library.
#pragma once

#include <cstdint>
#include <string_view>

namespace sonatrix::soundgen {

class Rng {
  public:
    explicit Rng(std::uint64_t seed) : state_(seed) {}

    std::uint64_t Next() {
        std::uint64_t z = (state_ += 0x9E3779B97F4A7C15ull);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
        return z ^ (z >> 31);
    }

    // Uniform in [0, 1): the top 53 bits, exactly representable.
    double Unit() { return static_cast<double>(Next() >> 11) * (1.0 / 9007199254740992.0); }
    // Uniform in [-1, 1).
    double Signed() { return 2.0 * Unit() - 1.0; }
    double Between(double low, double high) { return low + (high - low) * Unit(); }

  private:
    std::uint64_t state_;
};

// FNV-1a of a name: each sound seeds its noise from its own path.
inline std::uint64_t SeedOf(std::string_view name) {
    std::uint64_t hash = 0xCBF29CE484222325ull;
    for (unsigned char c : name) {
        hash ^= c;
        hash *= 0x100000001B3ull;
    }
    return hash;
}

}  // namespace sonatrix::soundgen
