#pragma once

// Small helpers shared by the benchmark programs.

#include <QCoreApplication>
#include <QEvent>
#include <QObject>
#include <QTimer>

#include <sys/resource.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <vector>

namespace bench {

using Clock = std::chrono::steady_clock;

inline long long nowNs()
{
    return std::chrono::duration_cast<std::chrono::nanoseconds>(Clock::now().time_since_epoch()).count();
}

// CPU time (user + system) this process has used, in nanoseconds.
inline long long cpuNs()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    const auto ns = [](const timeval &tv) { return (long long)tv.tv_sec * 1000000000LL + tv.tv_usec * 1000LL; };
    return ns(usage.ru_utime) + ns(usage.ru_stime);
}

inline double median(std::vector<double> values)
{
    if (values.empty())
        return 0.0;
    std::sort(values.begin(), values.end());
    const std::size_t n = values.size();
    return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

// bench_launch puts the steady clock's reading, taken just before it started
// this process, into TARVO_BENCH_T0_NS. Prints the time from then to now.
inline void reportFirstFrame()
{
    const long long now = nowNs();
    const char *t0 = std::getenv("TARVO_BENCH_T0_NS");
    if (t0 && *t0)
        std::printf("first_frame_ms=%.3f\n", double(now - std::atoll(t0)) / 1e6);
    else
        std::printf("first_frame_ms=unknown (run it from bench_launch)\n");
    std::fflush(stdout);
}

// Watches a widget for its first paint event; once that paint has been
// done and flushed (the next turn of the event loop), calls `then`.
template<typename F>
class FirstPaint : public QObject {
public:
    explicit FirstPaint(F then) : m_then(std::move(then)) {}

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (!m_seen && event->type() == QEvent::Paint) {
            m_seen = true;
            QTimer::singleShot(0, this, [this] { m_then(); });
        }
        return QObject::eventFilter(watched, event);
    }

private:
    F m_then;
    bool m_seen = false;
};

// Quits the application after the first paint of the widget it watches,
// reporting the time to it.
inline auto quitAfterFirstFrame()
{
    return [] {
        reportFirstFrame();
        QCoreApplication::quit();
    };
}

} // namespace bench
