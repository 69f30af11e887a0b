#include "windowrig.h"

#include <QAction>
#include <QApplication>
#include <QDesktopServices>
#include <QLabel>
#include <QTest>
#include <QTimer>

namespace tarvo::rig {

QObject *childNamed(const QObject &root, const QString &name, const QMetaObject &type)
{
    for (QObject *o : root.findChildren<QObject *>(name))
        if (type.cast(o))
            return o;
    qFatal("no %s named %s", type.className(), qPrintable(name));
}

QAction *menuItem(const Kavix &window, const char *name)
{
    return child<QAction>(window, QLatin1String(name));
}

QTimer *exerciseTimer(const Kavix &window, const char *name)
{
    return child<QTimer>(window, QLatin1String(name));
}

int activeTimers(const Kavix &window)
{
    int active = 0;
    for (const char *name : {"pictScroll", "CreatWord", "GaTime"})
        active += exerciseTimer(window, name)->isActive();
    return active;
}

QString countdown(const Kavix &window)
{
    return child<QLabel>(window, QStringLiteral("timeDisplay"))->text();
}

bool WindowFixture::open()
{
    m_window = new Kavix;
    m_window->show();
    return QTest::qWaitForWindowExposed(m_window);
}

void WindowFixture::close()
{
    delete m_window;
    m_window = nullptr;
}

UrlCatcher::UrlCatcher(const QStringList &schemes) : m_schemes(schemes)
{
    for (const QString &scheme : m_schemes)
        QDesktopServices::setUrlHandler(scheme, this, "open");
}

UrlCatcher::~UrlCatcher()
{
    for (const QString &scheme : m_schemes)
        QDesktopServices::unsetUrlHandler(scheme);
}

void UrlCatcher::open(const QUrl &url)
{
    urls.append(url);
}

void whenModalShows(const std::function<void(QWidget *modal)> &check)
{
    QTimer::singleShot(0, qApp, [check] { check(QApplication::activeModalWidget()); });
}

} // namespace tarvo::rig
