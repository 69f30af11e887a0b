#pragma once

// What the desktop probes share: a line to the test that reads them, and
// waiting for a window to reach the display.
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QString>
#include <QWidget>
#include <QWindow>

#include <cstdio>

namespace probe {

inline void say(const QString &line)
{
    std::printf("%s\n", qPrintable(line));
    std::fflush(stdout);
}

// Processes events for ms milliseconds.
inline void settle(int ms)
{
    QElapsedTimer clock;
    clock.start();
    while (clock.elapsed() < ms)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
}

// Waits until the widget is shown and exposed on the display.
inline bool waitExposed(QWidget *w, int timeoutMs = 5000)
{
    QElapsedTimer clock;
    clock.start();
    while (!(w->isVisible() && w->windowHandle() && w->windowHandle()->isExposed())) {
        if (clock.elapsed() > timeoutMs)
            return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    }
    return true;
}

} // namespace probe
