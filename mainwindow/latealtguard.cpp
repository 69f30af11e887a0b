#include "latealtguard.h"

#include <QKeyEvent>
#include <QMenu>

namespace tarvo {

namespace {

// The bridge waits 100 ms for the reader; anything later is not the Alt of
// the chord that opened the menu.
constexpr qint64 kLateAltMs = 1000;

bool isAltKey(QEvent *event)
{
    return static_cast<QKeyEvent *>(event)->key() == Qt::Key_Alt;
}

} // namespace

LateAltGuard::LateAltGuard(QObject *parent) : QObject(parent) {}

void LateAltGuard::watch(QMenu *menu)
{
    connect(menu, &QMenu::aboutToShow, this, [this, menu] { menuAboutToShow(menu); });
    connect(menu, &QMenu::aboutToHide, this, [this, menu] {
        if (m_armed == menu)
            m_armed = nullptr;
    });
}

void LateAltGuard::menuAboutToShow(QMenu *menu)
{
    if (m_altPending && m_altDown.isValid() && m_altDown.elapsed() < kLateAltMs)
        m_armed = menu;
}

bool LateAltGuard::eventFilter(QObject *watched, QEvent *event)
{
    switch (event->type()) {
    case QEvent::ShortcutOverride:
        // Sent when the key goes down, before the bridge holds anything back.
        if (isAltKey(event)) {
            m_altPending = true;
            m_altDown.start();
        }
        break;
    case QEvent::KeyPress:
        // Key events count once they reach a widget: the bridge holds them
        // back at the window.
        if (isAltKey(event) && watched->isWidgetType()) {
            m_altPending = false;
            if (m_armed && watched == m_armed) {
                m_armed = nullptr;
                event->accept();
                return true;
            }
        }
        break;
    case QEvent::KeyRelease:
        if (isAltKey(event) && watched->isWidgetType()) {
            m_altPending = false;
            m_armed = nullptr;
        }
        break;
    default:
        break;
    }
    return false;
}

} // namespace tarvo
