// The floor's start to first painted frame: a bare window of the game's
// shape, shown maximised, quitting once its custom-painted widget has been
// painted.

#include "benchsupport.h"
#include "floorwindow.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    bench::FloorWindow window;
    auto quit = bench::quitAfterFirstFrame();
    bench::FirstPaint<decltype(quit)> watcher(quit);
    window.field()->installEventFilter(&watcher);
    window.show();
    return QApplication::exec();
}
