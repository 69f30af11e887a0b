#include "icons.h"
#include "kavix.h"

#include "tarvoconfig.h"

#include <QApplication>
#include <QGuiApplication>

#include <cstdio>
#include <cstdlib>

namespace {

// Without a display Qt would abort in its platform plugin; say what to do.
bool haveDisplay()
{
    const auto set = [](const char *name) {
        const char *v = std::getenv(name);
        return v && *v;
    };
    return set("DISPLAY") || set("WAYLAND_DISPLAY") || set("QT_QPA_PLATFORM");
}

} // namespace

int main(int argc, char *argv[])
{
    if (!haveDisplay()) {
        std::fprintf(stderr, "tarvo: no display found; to run it on a virtual display: xvfb-run -a %s\n", argv[0]);
        return 2;
    }

    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Tarvo"));
    QApplication::setApplicationVersion(QStringLiteral(TARVO_VERSION));
    QApplication::setOrganizationDomain(QStringLiteral("tarvo.org"));
    QGuiApplication::setDesktopFileName(QStringLiteral(TARVO_APP_ID));
    QApplication::setWindowIcon(tarvo::applicationIcon());

    tarvo::Kavix window;
    window.show();
    return QApplication::exec();
}
