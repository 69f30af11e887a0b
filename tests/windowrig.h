#pragma once

// What the tests of the real window share: finding its parts by name, the
// state of its timers, a catcher for the addresses it opens, and a hook into
// the next modal window.
#include "kavix.h"

#include <QList>
#include <QObject>
#include <QStringList>
#include <QUrl>

#include <functional>

class QAction;
class QTimer;

namespace tarvo::rig {

// The child of `root` with the given objectName; aborts the test program
// when there is none, naming it.
QObject *childNamed(const QObject &root, const QString &name, const QMetaObject &type);
template<typename T>
T *child(const QObject &root, const QString &name)
{
    return static_cast<T *>(childNamed(root, name, T::staticMetaObject));
}

QAction *menuItem(const Kavix &window, const char *name);
QTimer *exerciseTimer(const Kavix &window, const char *name);
// How many of the three exercise timers run: 0 or 3 when all is well.
int activeTimers(const Kavix &window);
QString countdown(const Kavix &window);

// A main window loaded, shown and exposed, for a test's init() and
// cleanup().
class WindowFixture {
public:
    // Returns false (and the QtTest failure is recorded) if the window was
    // never exposed.
    bool open();
    void close();
    Kavix *window() const { return m_window; }

private:
    Kavix *m_window = nullptr;
};

// Receives the addresses the program asks the desktop to open, for the
// given schemes, while it lives.
class UrlCatcher : public QObject {
    Q_OBJECT
public:
    explicit UrlCatcher(const QStringList &schemes);
    ~UrlCatcher() override;

    QList<QUrl> urls;

public slots:
    void open(const QUrl &url);

private:
    QStringList m_schemes;
};

// Runs `check` on the next modal window shown, from inside its event loop.
void whenModalShows(const std::function<void(QWidget *modal)> &check);

} // namespace tarvo::rig
