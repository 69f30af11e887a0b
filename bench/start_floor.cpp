// The floor's start to first painted frame: a bare window of the game's
// shape, shown maximised, quitting once its custom-painted widget has been
// painted. Built twice: bench_start_floor draws in the game's fonts,
// bench_start_floor_plain (TARVO_FLOOR_PLATFORM_FONTS) in the platform's
// default font only.

#include "benchsupport.h"
#include "floorwindow.h"

#include <QApplication>

int main(int argc, char *argv[])
{
#ifdef TARVO_FLOOR_PLATFORM_FONTS
    constexpr auto fonts = bench::FloorFonts::platform;
#else
    constexpr auto fonts = bench::FloorFonts::game;
#endif
    QApplication app(argc, argv);
    bench::FloorWindow window(fonts);
    auto quit = bench::quitAfterFirstFrame();
    bench::FirstPaint<decltype(quit)> watcher(quit);
    window.field()->installEventFilter(&watcher);
    window.show();
    return QApplication::exec();
}
