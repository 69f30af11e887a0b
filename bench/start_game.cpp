// The game's start to first painted frame: does what app/main.cpp does,
// and quits once the play field has been painted for the first time.

#include "benchsupport.h"
#include "gamepict.h"
#include "icons.h"
#include "kavix.h"

#include "tarvoconfig.h"

#include <QApplication>
#include <QGuiApplication>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Tarvo"));
    QApplication::setApplicationVersion(QStringLiteral(TARVO_VERSION));
    QApplication::setOrganizationDomain(QStringLiteral("tarvo.org"));
    QGuiApplication::setDesktopFileName(QStringLiteral(TARVO_APP_ID));
    QApplication::setWindowIcon(tarvo::applicationIcon());

    tarvo::Kavix window;
    auto quit = bench::quitAfterFirstFrame();
    bench::FirstPaint<decltype(quit)> watcher(quit);
    window.findChild<tarvo::GamePict *>()->installEventFilter(&watcher);
    window.show();
    return QApplication::exec();
}
