#include "placement.h"

#include <algorithm>

#include <QEvent>
#include <QGuiApplication>
#include <QScreen>
#include <QTimer>
#include <QWidget>
#include <QWindow>

namespace tarvo {

namespace {

// How long after showing a dialog the real frame margins are waited for.
constexpr int kSettleMs = 1500;
constexpr int kPollMs = 15;
constexpr const char *kName = "centreOnOwner";

bool canPlaceWindows()
{
    return QGuiApplication::platformName() == QLatin1String("xcb");
}

bool hasMargins(const QMargins &m)
{
    return m.left() > 0 || m.top() > 0 || m.right() > 0 || m.bottom() > 0;
}

// The frame margins of the last dialog this placed: every dialog of the
// program is decorated alike, so a later dialog starts with them.
QMargins &knownDialogMargins()
{
    static QMargins margins;
    return margins;
}

class Placer : public QObject {
public:
    explicit Placer(QWidget *dialog) : QObject(dialog), m_dialog(dialog)
    {
        setObjectName(QLatin1String(kName));
        m_poll.setInterval(kPollMs);
        connect(&m_poll, &QTimer::timeout, this, &Placer::settle);
        dialog->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (watched != m_dialog)
            return false;
        switch (event->type()) {
        case QEvent::Show:
            if (!event->spontaneous())
                placeBeforeMapping();
            break;
        case QEvent::Move:
        case QEvent::WindowActivate:
            if (m_pending)
                settle();
            break;
        case QEvent::Hide:
            stop();
            break;
        default:
            break;
        }
        return false;
    }

private:
    QWidget *owner() const
    {
        QWidget *parent = m_dialog->parentWidget();
        return parent ? parent->window() : nullptr;
    }

    // The owner's frame, or the available area of the dialog's screen.
    QRect target() const
    {
        if (QWidget *o = owner(); o && o->isVisible())
            return o->frameGeometry();
        return available();
    }

    QRect available() const
    {
        QWidget *o = owner();
        QScreen *screen = o ? o->screen() : m_dialog->screen();
        return screen ? screen->availableGeometry() : QRect();
    }

    QMargins realMargins() const
    {
        QWindow *w = m_dialog->windowHandle();
        return w ? w->frameMargins() : QMargins();
    }

    // Client position at which a frame with these margins is centred.
    QPoint clientPosition(const QMargins &m) const
    {
        const QSize frame = m_dialog->size().grownBy(m);
        return centredFramePosition(target(), frame, available()) + QPoint(m.left(), m.top());
    }

    void moveClientTo(const QPoint &p)
    {
        // This marks the dialog as placed by the program, so QDialog's own
        // placement, which runs after the show event, leaves it here.
        m_dialog->setGeometry(QRect(p, m_dialog->size()));
        m_placed = p;
    }

    void placeBeforeMapping()
    {
        if (!canPlaceWindows())
            return;
        QMargins m = realMargins();
        const bool known = hasMargins(m);
        if (!known)
            m = knownDialogMargins();
        if (!hasMargins(m)) {
            // The first dialog: the owner is framed by the same window
            // manager, so its margins are the nearest guess.
            if (QWidget *o = owner(); o && o->windowHandle())
                m = o->windowHandle()->frameMargins();
        }
        moveClientTo(clientPosition(m));
        m_pending = true;
        m_clock = 0;
        m_poll.start();
    }

    // Once the window manager has framed the dialog: if it still stands
    // where it was put, centre it with the real margins.
    void settle()
    {
        if (!m_pending)
            return;
        m_clock += kPollMs;
        const QMargins m = realMargins();
        if (!hasMargins(m)) {
            if (m_clock > kSettleMs)
                stop();
            return;
        }
        knownDialogMargins() = m;
        stop();
        const QPoint now = m_dialog->geometry().topLeft();
        // A window manager that reads the position as the frame's moves the
        // client by the margins; anything else is someone else's choice.
        const bool asPlaced = now == m_placed || now == m_placed + QPoint(m.left(), m.top());
        if (!asPlaced)
            return;
        const QPoint wanted = clientPosition(m);
        if (wanted != now)
            moveClientTo(wanted);
    }

    void stop()
    {
        m_pending = false;
        m_poll.stop();
    }

    QWidget *m_dialog;
    QTimer m_poll;
    QPoint m_placed;
    bool m_pending = false;
    int m_clock = 0;
};

} // namespace

QPoint centredFramePosition(const QRect &ownerFrame, const QSize &frameSize, const QRect &available)
{
    QPoint p(ownerFrame.x() + (ownerFrame.width() - frameSize.width()) / 2,
             ownerFrame.y() + (ownerFrame.height() - frameSize.height()) / 2);
    if (available.isValid()) {
        p.setX(std::max(available.left(), std::min(p.x(), available.right() + 1 - frameSize.width())));
        p.setY(std::max(available.top(), std::min(p.y(), available.bottom() + 1 - frameSize.height())));
    }
    return p;
}

void centreOnOwnerWhenShown(QWidget *dialog)
{
    if (dialog && !dialog->findChild<QObject *>(QLatin1String(kName), Qt::FindDirectChildrenOnly))
        new Placer(dialog);
}

} // namespace tarvo
