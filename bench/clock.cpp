// The countdown's accuracy over a whole exercise in real time.
//
//   bench_clock [MINUTES [LEVEL]]     (9 minutes at the fast level by default)
//
// Starts an exercise with practiceMinutes = MINUTES and notes the steady
// clock when the start command returns (the clock's QTimer is started last
// thing in it). Each tick of the QTimer named "GaTime" is timed when its
// timer event is delivered, just before timeout() is emitted, and counted
// through a connection to timeout(). The k-th tick's offset is its time
// minus k x 1000 ms. The last tick brings up the result prompt, which is
// answered No. Prints every offset, then the last tick's offset and the
// largest offset of any tick.

#include "benchsupport.h"
#include "gamepict.h"
#include "kavix.h"

#include <QAction>
#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>

#include <cmath>

namespace {

// Notes the steady clock when a timer event reaches the timer.
class TimerEventClock : public QObject {
public:
    long long lastNs = 0;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Timer)
            lastNs = bench::nowNs();
        return QObject::eventFilter(watched, event);
    }
};

} // namespace

int main(int argc, char *argv[])
{
    const int minutes = argc >= 2 ? std::atoi(argv[1]) : 9;
    const int level = argc >= 3 ? std::atoi(argv[2]) : 1;
    if (minutes < 1 || level < 1 || level > 3) {
        std::fprintf(stderr, "usage: %s [MINUTES [LEVEL]]\n", argv[0]);
        return 2;
    }
    QApplication app(argc, argv);
    tarvo::Kavix window;
    tarvo::PracticeEngine &engine = window.engine();
    auto *gaTime = window.findChild<QTimer *>(QStringLiteral("GaTime"));

    TimerEventClock eventClock;
    gaTime->installEventFilter(&eventClock);
    std::vector<long long> ticks;
    long long startNs = 0;
    // The last tick's result prompt: answer No, then report and quit.
    QTimer answer;
    QObject::connect(gaTime, &QTimer::timeout, &window, [&] {
        ticks.push_back(eventClock.lastNs);
        // Watch for the prompt only from the tick before the last one.
        if (int(ticks.size()) == minutes * 60 - 1)
            answer.start(20);
    });
    QObject::connect(&answer, &QTimer::timeout, &window, [&] {
        auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
        if (!box)
            return;
        answer.stop();
        box->button(QMessageBox::No)->click();
        QTimer::singleShot(0, &window, [&] {
            double worst = 0;
            int worstAt = 0;
            for (std::size_t k = 0; k < ticks.size(); ++k) {
                const double offset = double(ticks[k] - startNs) / 1e6 - double(k + 1) * 1000.0;
                std::printf("tick %zu offset_ms=%.3f\n", k + 1, offset);
                if (std::fabs(offset) > std::fabs(worst)) {
                    worst = offset;
                    worstAt = int(k + 1);
                }
            }
            const double last =
                ticks.empty() ? 0 : double(ticks.back() - startNs) / 1e6 - double(ticks.size()) * 1000.0;
            std::printf("level=%d\nticks=%zu\nexpected_ticks=%d\nrunning_after=%d\nlast_offset_ms=%.3f\n"
                        "worst_offset_ms=%.3f\nworst_tick=%d\n",
                        level, ticks.size(), minutes * 60, int(engine.isRunning()), last, worst, worstAt);
            std::fflush(stdout);
            QCoreApplication::quit();
        });
    });

    auto begin = [&] {
        engine.settings().practiceMinutes = qint16(minutes);
        engine.settings().speedLevel = qint16(level);
        engine.ApplySpeedLevel();
        window.findChild<QAction *>(QStringLiteral("mnuStart"))->trigger();
        startNs = bench::nowNs();
    };
    auto settle = [&] { QTimer::singleShot(1000, &window, begin); };
    bench::FirstPaint<decltype(settle)> firstPaint(settle);
    window.findChild<tarvo::GamePict *>()->installEventFilter(&firstPaint);
    window.show();
    return QApplication::exec();
}
