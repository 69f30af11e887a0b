// CPU share of the game process while an exercise runs with its real
// timers, and while every timer is stopped; and of the floor repainting its
// 51 words ten times a second.
//
//   bench_cpu game 1|2|3|paused|ended [SECONDS]
//   bench_cpu floor [SECONDS]
//
// 1, 2 and 3 start an exercise at that speed level (1 fast). paused starts
// one at the fast level and pauses it two seconds later; ended lets one end
// (its countdown set to three seconds) and answers No to the result prompt.
// The window is measured for SECONDS (20 by default) from then on, with
// getrusage; prints cpu_percent (of one core) and the ticks seen.

#include "benchsupport.h"
#include "floorwindow.h"
#include "gamepict.h"
#include "kavix.h"

#include <QAction>
#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QTimer>

#include <cstring>
#include <functional>

namespace {

// Without a window manager (Xvfb) nobody maximises the window; give it the
// whole screen, as a maximised window on a desktop has.
void fillScreen(QWidget *window)
{
    const QRect screen = window->screen()->availableGeometry();
    if (window->frameGeometry().size() != screen.size())
        window->setGeometry(screen);
}

// Measures CPU and wall time from now for `seconds`, then prints and quits.
void measureWindow(double seconds, std::function<void()> report)
{
    const long long cpu0 = bench::cpuNs();
    const long long wall0 = bench::nowNs();
    QTimer::singleShot(int(seconds * 1000), Qt::PreciseTimer, qApp, [=] {
        const long long cpu = bench::cpuNs() - cpu0;
        const long long wall = bench::nowNs() - wall0;
        std::printf("wall_s=%.3f\ncpu_ms=%.3f\ncpu_percent=%.3f\n", double(wall) / 1e9, double(cpu) / 1e6,
                    100.0 * double(cpu) / double(wall));
        report();
        std::fflush(stdout);
        QCoreApplication::quit();
    });
}

// Shows the window; after the field's first paint, fills the screen, lets
// it settle for a second, then runs begin. Returns the event loop's status.
template<typename Begin>
int showAndMeasure(QWidget &window, QWidget *field, Begin &begin)
{
    auto settle = [&] {
        fillScreen(&window);
        QTimer::singleShot(1000, &window, [&] {
            std::printf("field_px=%dx%d\n", field->width(), field->height());
            begin();
        });
    };
    bench::FirstPaint<decltype(settle)> firstPaint(settle);
    field->installEventFilter(&firstPaint);
    window.show();
    return QApplication::exec();
}

int runGame(const char *state, double seconds)
{
    const bool paused = std::strcmp(state, "paused") == 0;
    const bool ended = std::strcmp(state, "ended") == 0;
    const int level = paused || ended ? 1 : std::atoi(state);
    if (level < 1 || level > 3) {
        std::fprintf(stderr, "unknown state %s\n", state);
        return 2;
    }

    tarvo::Kavix window;
    tarvo::PracticeEngine &engine = window.engine();
    int ticks[3] = {0, 0, 0};
    const char *names[3] = {"pictScroll", "CreatWord", "GaTime"};
    for (int i = 0; i < 3; ++i) {
        auto *timer = window.findChild<QTimer *>(QLatin1String(names[i]));
        QObject::connect(timer, &QTimer::timeout, &window, [&ticks, i] { ++ticks[i]; });
    }
    const auto report = [&] {
        std::printf("ticks_pictScroll=%d\nticks_CreatWord=%d\nticks_GaTime=%d\nrunning=%d\nwords=%d\n", ticks[0],
                    ticks[1], ticks[2], int(engine.isRunning()),
                    int(std::count_if(engine.wordSlots().begin(), engine.wordSlots().end(),
                                      [](const tarvo::WordSlot &s) { return !s.isFree(); })));
    };
    const auto start = [&] {
        engine.settings().speedLevel = qint16(level);
        engine.ApplySpeedLevel();
        window.findChild<QAction *>(QStringLiteral("mnuStart"))->trigger();
        for (int &t : ticks)
            t = 0;
    };

    auto begin = [&] {
        start();
        if (paused) {
            QTimer::singleShot(2000, &window, [&] {
                window.findChild<QAction *>(QStringLiteral("mnuPause"))->trigger();
                QTimer::singleShot(1000, &window, [&] {
                    for (int &t : ticks)
                        t = 0;
                    measureWindow(seconds, report);
                });
            });
        } else if (ended) {
            window.setLabelText(tarvo::Label::timeDisplay, QStringLiteral("003"));
            // The result prompt comes up on the third clock tick; answer No.
            auto *answer = new QTimer(&window);
            QObject::connect(answer, &QTimer::timeout, &window, [&, answer] {
                auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
                if (!box)
                    return;
                answer->stop();
                box->button(QMessageBox::No)->click();
                QTimer::singleShot(1000, &window, [&] {
                    for (int &t : ticks)
                        t = 0;
                    measureWindow(seconds, report);
                });
            });
            answer->start(50);
        } else {
            measureWindow(seconds, report);
        }
    };
    auto *field = window.findChild<tarvo::GamePict *>();
    return showAndMeasure(window, field, begin);
}

int runFloor(double seconds)
{
    bench::FloorWindow window;
    bench::FloorField *field = window.field();
    // 51 words of 7 letters, in rows.
    for (int i = 0; i < 51; ++i)
        field->words.append({QPointF(30 + (i % 6) * 140, 20 + (i / 6) * 40),
                             QString(QLatin1String("ABCDEFGHIJKLMNOPQRSTUVWXY")).mid(i % 18, 7)});
    int paints = 0;
    QTimer repaint;
    repaint.setTimerType(Qt::PreciseTimer);
    QObject::connect(&repaint, &QTimer::timeout, field, [field] { field->update(); });

    class Counter : public QObject {
    public:
        int *count;
        explicit Counter(int *c) : count(c) {}
        bool eventFilter(QObject *o, QEvent *e) override
        {
            if (e->type() == QEvent::Paint)
                ++*count;
            return QObject::eventFilter(o, e);
        }
    } counter(&paints);

    auto begin = [&] {
        field->installEventFilter(&counter);
        repaint.start(100);
        measureWindow(seconds, [&] { std::printf("paints=%d\n", paints); });
    };
    return showAndMeasure(window, field, begin);
}

} // namespace

int main(int argc, char *argv[])
{
    const bool game = argc >= 3 && std::strcmp(argv[1], "game") == 0;
    const bool floor = argc >= 2 && std::strcmp(argv[1], "floor") == 0;
    if (!game && !floor) {
        std::fprintf(stderr, "usage: %s game 1|2|3|paused|ended [SECONDS]\n       %s floor [SECONDS]\n", argv[0],
                     argv[0]);
        return 2;
    }
    const int secondsArg = game ? 3 : 2;
    const double seconds = argc > secondsArg ? std::atof(argv[secondsArg]) : 20.0;
    QApplication app(argc, argv);
    return game ? runGame(argv[2], seconds) : runFloor(seconds);
}
