#include "application.h"
#include "kavix.h"

#include <QApplication>

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
    tarvo::describeApplication();

    tarvo::Kavix window;
    window.show();
    return QApplication::exec();
}
