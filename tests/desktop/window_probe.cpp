// Drives the main window and its dialogs on a desktop whose windows the
// tests cannot reach with synthetic input (Wayland), one command per line
// on standard input, and prints what it sees:
//
//   layout           "layout" and the window's client size with the places
//                    of the client area, the play field, the typed-text box
//                    and the bottom frame line in it, in pixels, once the
//                    window has kept its size for half a second
//   open settings    opens a dialog as its menu item does; prints
//   open about       "shown NAME WxH" once it is on screen
//   maximise         asks the dialog's window to be maximised or minimised,
//   minimise         as the title bar Qt draws itself on Wayland does
//   state            "state NAME visible=0|1 exposed=0|1 states=N shows=N"
//   close            dismisses the dialog with Escape
//   quit
//
// Exits by itself after a minute.

#include "application.h"
#include "kavix.h"
#include "probesupport.h"

#include <QApplication>
#include <QDialog>
#include <QElapsedTimer>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPointer>
#include <QSocketNotifier>
#include <QTimer>
#include <QWindow>

#include <unistd.h>

#include <cstdio>
#include <functional>

using namespace probe;

namespace {

QString rectText(const QRect &r)
{
    return QStringLiteral("%1,%2,%3,%4").arg(r.x()).arg(r.y()).arg(r.width()).arg(r.height());
}

QRect inWindow(const QWidget *w)
{
    return QRect(w->mapTo(w->window(), QPoint(0, 0)), w->size());
}

class Probe : public QObject {
public:
    explicit Probe(tarvo::Kavix &window) : m_window(window), m_input(STDIN_FILENO, QSocketNotifier::Read)
    {
        connect(&m_input, &QSocketNotifier::activated, this, &Probe::readInput);
    }

    bool eventFilter(QObject *watched, QEvent *event) override
    {
        // The event's type first: the filter also sees the events of a dialog
        // being destroyed, which is a QDialog no longer.
        if (event->type() == QEvent::Show && !event->spontaneous() && watched == m_dialog)
            ++m_shows;
        return false;
    }

private:
    void readInput()
    {
        char chunk[256];
        const ssize_t n = ::read(STDIN_FILENO, chunk, sizeof chunk);
        if (n <= 0) {
            m_input.setEnabled(false);
            std::_Exit(0);
        }
        m_buffer.append(chunk, int(n));
        for (int end = m_buffer.indexOf('\n'); end >= 0; end = m_buffer.indexOf('\n')) {
            const QString line = QString::fromUtf8(m_buffer.left(end)).trimmed();
            m_buffer.remove(0, end + 1);
            // A command may open a modal dialog: run it from the event loop,
            // not from inside this handler.
            QTimer::singleShot(0, this, [this, line] { run(line); });
        }
    }

    QDialog *dialog() const { return qobject_cast<QDialog *>(QApplication::activeModalWidget()); }

    void run(const QString &line)
    {
        if (line == QLatin1String("layout"))
            layout();
        else if (line == QLatin1String("open settings"))
            open([this] { m_window.mnuSpeed_Click(); });
        else if (line == QLatin1String("open about"))
            open([this] { m_window.mnuAbout_Click(); });
        else if (line == QLatin1String("maximise") && dialog())
            dialog()->windowHandle()->setWindowStates(dialog()->windowHandle()->windowStates() ^ Qt::WindowMaximized);
        else if (line == QLatin1String("minimise") && dialog())
            dialog()->windowHandle()->setWindowState(Qt::WindowMinimized);
        else if (line == QLatin1String("state"))
            state();
        else if (line == QLatin1String("close") && dialog()) {
            QKeyEvent escape(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
            QApplication::sendEvent(dialog(), &escape);
        } else if (line == QLatin1String("quit"))
            QCoreApplication::exit(0);
        else
            say(QStringLiteral("unknown or untimely: %1").arg(line));
    }

    void layout()
    {
        // The window manager may still be framing or maximising the window.
        QElapsedTimer clock;
        clock.start();
        QSize last;
        QElapsedTimer still;
        still.start();
        while (clock.elapsed() < 5000) {
            settle(50);
            const QSize now = m_window.frameGeometry().size();
            if (now != last) {
                last = now;
                still.restart();
            } else if (still.elapsed() >= 500) {
                break;
            }
        }
        const auto *client = m_window.centralWidget();
        const QMargins m = m_window.windowHandle()->frameMargins();
        say(QStringLiteral("layout window=%1x%2 frame=%3,%4,%5,%6 maximised=%7 client=%8 GamePict=%9 textWord=%10 "
                           "Line2=%11")
                .arg(m_window.width())
                .arg(m_window.height())
                .arg(m.left())
                .arg(m.top())
                .arg(m.right())
                .arg(m.bottom())
                .arg(m_window.isMaximized() ? 1 : 0)
                .arg(rectText(inWindow(client)), rectText(inWindow(client->findChild<QWidget *>("GamePict"))),
                     rectText(inWindow(client->findChild<QLineEdit *>("textWord"))),
                     rectText(inWindow(client->findChild<QWidget *>("Line2")))));
    }

    void open(const std::function<void()> &click)
    {
        m_dialog = nullptr;
        m_shows = 0;
        auto *poll = new QTimer(this);
        poll->setInterval(20);
        connect(poll, &QTimer::timeout, this, [this, poll] {
            QDialog *d = dialog();
            if (!d)
                return;
            if (!m_dialog) {
                m_dialog = d;
                m_shows = 1;
                d->installEventFilter(this);
            }
            if (d->windowHandle() && d->windowHandle()->isExposed()) {
                poll->deleteLater();
                say(QStringLiteral("shown %1 %2x%3").arg(d->objectName()).arg(d->width()).arg(d->height()));
            }
        });
        poll->start();
        click();
        say(QStringLiteral("closed"));
    }

    void state()
    {
        QDialog *d = dialog();
        if (!d) {
            say(QStringLiteral("state none"));
            return;
        }
        QWindow *w = d->windowHandle();
        say(QStringLiteral("state %1 visible=%2 exposed=%3 states=%4 shows=%5 size=%6x%7")
                .arg(d->objectName())
                .arg(d->isVisible() ? 1 : 0)
                .arg(w && w->isExposed() ? 1 : 0)
                .arg(w ? int(w->windowStates()) : -1)
                .arg(m_shows)
                .arg(d->width())
                .arg(d->height()));
    }

    tarvo::Kavix &m_window;
    QSocketNotifier m_input;
    QByteArray m_buffer;
    // The dialog whose showings are counted, compared as a QObject only.
    QPointer<QObject> m_dialog;
    int m_shows = 0;
};

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    tarvo::describeApplication();
    // A forgotten probe goes by itself.
    QTimer::singleShot(60000, qApp, [] { std::_Exit(3); });

    tarvo::Kavix window;
    window.show();
    if (!waitExposed(&window)) {
        say(QStringLiteral("the main window was not exposed"));
        return 1;
    }
    Probe probe(window);
    say(QStringLiteral("ready"));
    return QApplication::exec();
}
