#pragma once

#include <cstdint>
#include <random>

namespace tarvo {

// A source of uniform random numbers on [0, 1).
class RandomSource {
public:
    virtual ~RandomSource() = default;
    virtual void seedFromClock() = 0;
    virtual double next() = 0;
};

// The game's generator: a 64-bit Mersenne Twister. next() takes the top 53
// bits, so it can never return 1.0.
class ClockSeededRandom final : public RandomSource {
public:
    explicit ClockSeededRandom(std::uint64_t seed = 0) : m_engine(seed) {}

    void seedFromClock() override;
    double next() override;

private:
    std::mt19937_64 m_engine;
};

} // namespace tarvo
