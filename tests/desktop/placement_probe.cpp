// Opens the program's windows for the placement test and leaves them open
// until the test ends the probe.
//
//   placement_probe result   the main window and its result prompt, as the
//                            last tick of an exercise opens it
//   placement_probe dialog   a plain framed window, not maximised, and a
//                            fixed-size dialog of it placed by the helper
//
// Prints "shown" once the modal window is on screen.

#include "application.h"
#include "kavix.h"
#include "placement.h"
#include "probesupport.h"

#include <QApplication>
#include <QDialog>
#include <QElapsedTimer>
#include <QTimer>
#include <QWindow>

#include <cstdio>

using namespace probe;

namespace {

// Reports the modal window once it is exposed.
void reportModalWhenShown()
{
    auto *poll = new QTimer(qApp);
    poll->setInterval(20);
    QObject::connect(poll, &QTimer::timeout, [poll] {
        QWidget *modal = QApplication::activeModalWidget();
        if (modal && modal->windowHandle() && modal->windowHandle()->isExposed()) {
            poll->deleteLater();
            say(QStringLiteral("shown"));
        }
    });
    poll->start();
}

int result()
{
    tarvo::Kavix window;
    window.show();
    if (!waitExposed(&window)) {
        say(QStringLiteral("the main window was not exposed"));
        return 1;
    }
    reportModalWhenShown();
    // The last second of an exercise: the next countdown tick ends it.
    window.engine().mnuStart_Click();
    window.setLabelText(tarvo::Label::timeDisplay, QStringLiteral("001"));
    window.engine().GaTime_Timer();
    return 0;
}

int dialog()
{
    QWidget owner;
    owner.setWindowTitle(QStringLiteral("owner"));
    owner.setGeometry(120, 90, 520, 400);
    owner.show();
    if (!waitExposed(&owner)) {
        say(QStringLiteral("the owner was not exposed"));
        return 1;
    }
    QDialog box(&owner, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint
                            | Qt::CustomizeWindowHint);
    box.setWindowTitle(QStringLiteral("dialog"));
    box.setFixedSize(230, 140);
    tarvo::centreOnOwnerWhenShown(&box);
    reportModalWhenShown();
    box.exec();
    return 0;
}

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    tarvo::describeApplication();
    const QString mode = QCoreApplication::arguments().value(1);
    // A forgotten probe goes by itself.
    QTimer::singleShot(60000, qApp, [] { std::_Exit(3); });
    if (mode == QLatin1String("result"))
        return result();
    if (mode == QLatin1String("dialog"))
        return dialog();
    std::fprintf(stderr, "usage: placement_probe result | dialog\n");
    return 2;
}
