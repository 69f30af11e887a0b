#pragma once

#include <QElapsedTimer>
#include <QObject>
#include <QPointer>

class QMenu;

namespace tarvo {

// Keeps a menu that Alt+letter opened open when the Alt press itself
// arrives only after the menu has opened.
//
// With a screen reader listening to keys, Qt's AT-SPI bridge holds each key
// press and release back until the reader has answered for it (up to
// 100 ms), while the menu bar's Alt+letter shortcut runs as soon as the
// letter goes down. A fast chord thus opens the menu first, and the late Alt
// press then closes it. Installed on the application, this filter swallows
// that one late press. Without a screen reader the Alt press always arrives
// before its letter, and nothing changes.
class LateAltGuard : public QObject {
public:
    explicit LateAltGuard(QObject *parent = nullptr);

    // A menu of the menu bar whose mnemonic opens it.
    void watch(QMenu *menu);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void menuAboutToShow(QMenu *menu);

    // Alt went down (its shortcut override was seen) and its key press has
    // not reached a widget yet.
    bool m_altPending = false;
    QElapsedTimer m_altDown;
    // The menu that opened while that Alt press was still on its way.
    QPointer<QMenu> m_armed;
};

} // namespace tarvo
