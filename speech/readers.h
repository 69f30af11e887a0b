#pragma once

#include <QList>
#include <QPointer>
#include <QString>
#include <QTimer>

class QLabel;
class QWidget;

namespace tarvo {

// The labels of the main window's status strip.
struct StatusStrip {
    QPointer<QLabel> speed;
    QPointer<QLabel> accuracy;
    QPointer<QLabel> pause;
    QPointer<QLabel> countdown;
    // Every label of the strip, for its extent on screen.
    QList<QPointer<QLabel>> all;
};

// The strip as a screen reader reads it: the pause state, the speed, the
// accuracy and the time left, in words.
QString spokenStatus(const StatusStrip &strip);

// What screen readers find in the main window besides its widgets, as
// children of its client area: the status strip as the window's status
// bar (a reader's status-bar command speaks spokenStatus()), and a notice
// that shows the game's spoken phrases (a notification, which Orca speaks
// as it appears, whatever has the focus). Both exist only for readers: no
// widget is added, the labels stay where they are, mouse clicks on the
// strip are untouched.
class WindowReaders : public QObject {
    Q_OBJECT
public:
    WindowReaders(QWidget *client, const StatusStrip &strip, QObject *parent = nullptr);
    ~WindowReaders() override;

    // Has a screen reader say `phrase` now; the notice shows it for
    // `durationMs`, or until the next phrase. Built with Qt 6.8 or later,
    // Qt's own announcement carries it instead, made by `speaker`, the
    // widget that has the focus: a reader that speaks both would say every
    // phrase twice, and Orca 48 drops an announcement that comes within
    // 0.1 s of another one unless the focused object makes it.
    void announce(const QString &phrase, int durationMs, QWidget *speaker);
    // What a reader says before each phrase: Orca names a notice, "通知";
    // an announcement comes alone.
    static constexpr int kLeadMs = QT_VERSION >= QT_VERSION_CHECK(6, 8, 0) ? 0 : 740;
    QString notice() const { return m_notice; }

    // The status strip may read differently now: readers that keep a copy of
    // the status bar's name (Orca 48) are told its new one. No reader speaks
    // a name change of an object that does not have the focus.
    void statusMayHaveChanged();

private:
    void hideNotice();
    static void forgetClient(const QObject *client);

    QPointer<QWidget> m_client;
    QString m_toldStatus;
    QString m_notice;
    QTimer m_noticeEnd;
};

} // namespace tarvo
