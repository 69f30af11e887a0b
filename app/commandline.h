#pragma once

#include <QProcessEnvironment>
#include <QString>
#include <QStringList>
#include <QtGlobal>

namespace tarvo {

// What the program is asked to do by the arguments it was started with.
// Started without arguments, as its desktop entry does, it plays.
struct CommandLine {
    enum class Action { Play, ShowHelp, ShowVersion, UsageError };

    Action action = Action::Play;
    // The help or version text for stdout, or the error for stderr; every
    // line ends in a newline.
    QString message;
    // The values of Qt's -platform and -display options, empty when absent.
    QString platform;
    QString display;

    // 0 after help or version, 2 for a usage error, as command-line tools do.
    int exitStatus() const { return action == Action::UsageError ? 2 : 0; }
};

// The arguments of main() as strings, the program first.
QStringList argumentList(int argc, const char *const *argv);

// Reads the arguments (the program first) without needing a QCoreApplication.
// Qt's own options are accepted and left for QApplication, which reads them
// from argv itself; a single dash starts a long option, as Qt spells them.
CommandLine parseCommandLine(const QStringList &arguments);

// Where windows go. Unix: Linux and the BSDs, where an X11 or a Wayland
// server has to be named in the environment. Other: the mobile and web
// platforms, where the system itself gives the program its screen.
enum class Platform { Unix, Windows, MacOS, Other };

constexpr Platform hostPlatform()
{
#if defined(Q_OS_WIN)
    return Platform::Windows;
#elif defined(Q_OS_MACOS)
    return Platform::MacOS;
#elif defined(Q_OS_UNIX) && !defined(Q_OS_DARWIN) && !defined(Q_OS_ANDROID)
    return Platform::Unix;
#else
    return Platform::Other;
#endif
}

// True when Qt would find no display to open the window on: only on Unix,
// when neither the environment (DISPLAY, WAYLAND_DISPLAY, QT_QPA_PLATFORM)
// nor the command line (-platform, -display) names one. Qt aborts in its
// platform plugin then, so the program says what to do instead.
bool displayMissing(Platform platform, const QProcessEnvironment &environment, const CommandLine &commandLine);

// The message for that case; program is the command as it was typed.
QString noDisplayMessage(const QString &program);

} // namespace tarvo
