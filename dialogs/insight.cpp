#include "insight.h"

#include <QDialog>
#include <QEvent>
#include <QGuiApplication>
#include <QPointer>
#include <QTimer>
#include <QWindow>

namespace tarvo {

namespace {

constexpr Qt::WindowStates kOutOfShape = Qt::WindowMaximized | Qt::WindowFullScreen;

// Watches one dialog while execInSight() runs it.
class Keeper : public QObject {
public:
    Keeper(QDialog *dialog, bool showAgainWhenHidden) : m_dialog(dialog), m_showAgainWhenHidden(showAgainWhenHidden)
    {
        dialog->installEventFilter(this);
        if (QWidget *parent = dialog->parentWidget())
            m_owner = parent->window();
        if (m_owner && m_showAgainWhenHidden)
            m_owner->installEventFilter(this);
    }

    ~Keeper() override
    {
        if (m_dialog)
            m_dialog->removeEventFilter(this);
        if (m_owner)
            m_owner->removeEventFilter(this);
    }

    // Set when the dialog was hidden to be shown afresh.
    bool showAgain = false;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        // The event's type first: comparing the watched object casts it, and
        // a dialog being destroyed still sends events but is no longer a
        // QDialog.
        if (event->type() == QEvent::Show) {
            if (watched == m_dialog)
                watchWindow();
        } else if (event->type() == QEvent::WindowActivate) {
            if (watched == m_dialog) {
                m_answerable = true;
            } else if (watched == m_owner && m_answerable) {
                // The dialog was up and the player went to the game behind
                // it: it may be out of sight, minimised.
                showAfresh();
            }
        }
        return false;
    }

private:
    void watchWindow()
    {
        QWindow *window = m_dialog->windowHandle();
        if (!window || window == m_window)
            return;
        m_window = window;
        // Where the program draws the title bars itself on Wayland (under
        // weston and mutter; its owner's frame tells), the title bar
        // maximises a fixed-size dialog too, and a compositor may then end
        // the program for not filling the maximised size. Without a maximum
        // size the dialog fills it, for the moment until it is restored.
        if (m_showAgainWhenHidden && m_owner && m_owner->windowHandle()
            && !m_owner->windowHandle()->frameMargins().isNull())
            m_dialog->setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
        connect(window, &QWindow::windowStateChanged, this, [this](Qt::WindowState state) {
            if (state & kOutOfShape)
                QTimer::singleShot(0, this, &Keeper::restore);
            else if (state == Qt::WindowMinimized && m_showAgainWhenHidden)
                showAfresh();
        });
    }

    // The dialog's size is fixed and its place is by its owner.
    void restore()
    {
        if (m_window && (m_window->windowStates() & kOutOfShape))
            m_window->setWindowStates(m_window->windowStates() & ~kOutOfShape);
    }

    // Ends this round of exec() and has execInSight() show the dialog
    // again: a window mapped anew is placed and activated like a new one.
    void showAfresh()
    {
        if (m_pending || !m_dialog || !m_dialog->isVisible())
            return;
        m_pending = true;
        m_answerable = false;
        // Once the signal or event that asked for it is handled; unless the
        // player has answered the dialog meanwhile.
        QTimer::singleShot(0, this, [this] {
            m_pending = false;
            if (m_dialog && m_dialog->isVisible()) {
                showAgain = true;
                m_dialog->hide();
            }
        });
    }

    QPointer<QDialog> m_dialog;
    QPointer<QWidget> m_owner;
    QPointer<QWindow> m_window;
    bool m_showAgainWhenHidden;
    // The dialog has been active since it was last shown.
    bool m_answerable = false;
    bool m_pending = false;
};

} // namespace

bool desktopHidesWindowsUnseen()
{
    return QGuiApplication::platformName().startsWith(QLatin1String("wayland"));
}

int execInSight(QDialog *dialog, bool showAgainWhenHidden)
{
    QPointer<QDialog> alive(dialog);
    Keeper keeper(dialog, showAgainWhenHidden);
    int result = QDialog::Rejected;
    do {
        keeper.showAgain = false;
        result = dialog->exec();
        if (alive && keeper.showAgain) {
            // Shown again as it was before a minimise, once the window
            // system has told all it had to tell of the hidden window.
            QCoreApplication::processEvents();
            dialog->setWindowState(dialog->windowState() & ~Qt::WindowMinimized);
        }
    } while (alive && keeper.showAgain && !QCoreApplication::closingDown());
    return result;
}

} // namespace tarvo
