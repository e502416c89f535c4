#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>

// A small pseudo-random generator (SplitMix64) whose sequence is fixed by its seed on every
// compiler and platform; the standard library's distributions are not, so trees generated
// from the same seed would differ between machines.
class SeededRandom {
public:
    explicit SeededRandom(std::uint64_t seed) : state_(seed) {}

    std::uint64_t next() {
        std::uint64_t z = (state_ += 0x9E3779B97F4A7C15ull);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
        return z ^ (z >> 31);
    }

    // A whole number from lo to hi, both included.
    std::int64_t between(std::int64_t lo, std::int64_t hi) {
        const auto span = static_cast<std::uint64_t>(hi - lo) + 1;
        return lo + static_cast<std::int64_t>(next() % span);
    }

    // A number from lo to hi (lo >= 1) whose logarithm is roughly uniform: most values are
    // small and a few large, as the sizes of real files are. Integer arithmetic only, so that
    // no libm difference changes a tree.
    std::int64_t logBetween(std::int64_t lo, std::int64_t hi) {
        const int width = static_cast<int>(between(bitWidth(lo), bitWidth(hi)));
        const std::int64_t bandLo = std::max<std::int64_t>(lo, std::int64_t{1} << (width - 1));
        const std::int64_t bandHi = std::min<std::int64_t>(hi, (std::int64_t{1} << width) - 1);
        return between(bandLo, bandHi);
    }

    // True with the given chance in percent.
    bool percent(int chance) { return static_cast<int>(next() % 100) < chance; }

    template <typename T, std::size_t N>
    const T& pick(const T (&choices)[N]) {
        return choices[next() % N];
    }

private:
    static int bitWidth(std::int64_t value) {
        int width = 0;
        for (; value > 0; value >>= 1)
            ++width;
        return width;
    }

    std::uint64_t state_;
};
