#include "randomsource.h"

#include <chrono>

namespace tarvo {

void ClockSeededRandom::seedFromClock()
{
    const auto now = std::chrono::high_resolution_clock::now().time_since_epoch().count();
    m_engine.seed(static_cast<std::uint64_t>(now));
}

double ClockSeededRandom::next()
{
    return double(m_engine() >> 11) * 0x1.0p-53;
}

} // namespace tarvo
