#include "application.h"

#include "fonts.h"
#include "icons.h"

#include "tarvoconfig.h"

#include <QApplication>

#include <utility>

namespace tarvo {

namespace {

// Warnings of Qt's own that say nothing about the game and that a player
// can do nothing about: Qt's AT-SPI adaptor (Qt 6.8) names each event kind a
// screen reader listens to and that it has no use for, and its Wayland
// text-input support reports a keyboard focus that left a surface already
// gone, as a dialog closes under mutter.
constexpr std::pair<const char *, const char *> kQuietWarnings[] = {
    {"qt.accessibility.atspi", "Subscription string not handled:"},
    {"qt.qpa.wayland.textinput", "Got leave event for surface 0x0"},
};

QtMessageHandler g_nextHandler = nullptr;

bool isQuiet(QtMsgType type, const QMessageLogContext &context, const QString &message)
{
    if (type != QtWarningMsg || !context.category)
        return false;
    for (const auto &[category, text] : kQuietWarnings) {
        if (qstrcmp(context.category, category) == 0 && message.contains(QLatin1StringView(text)))
            return true;
    }
    return false;
}

void filterMessage(QtMsgType type, const QMessageLogContext &context, const QString &message)
{
    if (!isQuiet(type, context, message))
        g_nextHandler(type, context, message);
}

} // namespace

void describeApplication()
{
    if (!g_nextHandler)
        g_nextHandler = qInstallMessageHandler(filterMessage);
    QApplication::setApplicationName(QStringLiteral("Tarvo"));
    QApplication::setApplicationVersion(QStringLiteral(TARVO_VERSION));
    QApplication::setOrganizationDomain(QStringLiteral("tarvo.org"));
    QApplication::setDesktopFileName(QStringLiteral(TARVO_APP_ID));
    QApplication::setWindowIcon(applicationIcon());
    useChineseInterfaceFont();
}

} // namespace tarvo
