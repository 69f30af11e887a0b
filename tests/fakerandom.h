#pragma once

#include "randomsource.h"

#include <QList>

#include <cstdint>
#include <initializer_list>
#include <random>

namespace tarvo::fakes {

// Returns the values it was given, in order. Drawing past the end fails the
// running test and returns 0.
class ScriptedRandom final : public RandomSource {
public:
    ScriptedRandom() = default;
    ScriptedRandom(std::initializer_list<double> values) : m_values(values) {}

    void append(const QList<double> &values) { m_values.append(values); }
    qsizetype remaining() const { return m_values.size(); }

    int draws = 0; // values handed out
    int seeds = 0; // calls of seedFromClock

    void seedFromClock() override { ++seeds; }
    double next() override;

private:
    QList<double> m_values;
};

// A fixed-seed generator for long runs that must replay the same way:
// seedFromClock is counted but does not reseed.
class SeededRandom final : public RandomSource {
public:
    explicit SeededRandom(std::uint64_t seed) : m_engine(seed) {}

    int draws = 0;
    int seeds = 0;

    void seedFromClock() override { ++seeds; }
    double next() override
    {
        ++draws;
        return double(m_engine() >> 11) * 0x1.0p-53;
    }

private:
    std::mt19937_64 m_engine;
};

} // namespace tarvo::fakes
