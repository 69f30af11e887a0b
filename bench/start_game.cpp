// The game's start to first painted frame: does what app/main.cpp does,
// and quits once the play field has been painted for the first time.

#include "application.h"
#include "benchsupport.h"
#include "gamepict.h"
#include "kavix.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    tarvo::describeApplication();

    tarvo::Kavix window;
    auto quit = bench::quitAfterFirstFrame();
    bench::FirstPaint<decltype(quit)> watcher(quit);
    window.findChild<tarvo::GamePict *>()->installEventFilter(&watcher);
    window.show();
    return QApplication::exec();
}
