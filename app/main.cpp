#include "application.h"
#include "commandline.h"
#include "kavix.h"

#include <QApplication>
#include <QProcessEnvironment>

#include <cstdio>

int main(int argc, char *argv[])
{
    // Read before QApplication exists: --help and --version need no display,
    // and argv reaches QApplication unchanged, Qt's own options with it.
    const QStringList arguments = tarvo::argumentList(argc, argv);
    const tarvo::CommandLine commandLine = tarvo::parseCommandLine(arguments);
    if (commandLine.action != tarvo::CommandLine::Action::Play) {
        std::fputs(qPrintable(commandLine.message), commandLine.exitStatus() == 0 ? stdout : stderr);
        return commandLine.exitStatus();
    }
    // Without a display Qt would abort in its platform plugin; say what to do.
    if (tarvo::displayMissing(tarvo::hostPlatform(), QProcessEnvironment::systemEnvironment(), commandLine)) {
        std::fputs(qPrintable(tarvo::noDisplayMessage(arguments.value(0))), stderr);
        return 2;
    }

    QApplication app(argc, argv);
    tarvo::describeApplication();

    tarvo::Kavix window;
    window.show();
    return QApplication::exec();
}
