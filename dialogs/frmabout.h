#pragma once

#include <QObject>
#include <QPointer>

class QDialog;
class QWidget;

namespace tarvo {

class PracticeEngine;

// The About box. This object lives for the program's life and keeps the
// box's suspension flag; the window with its controls is loaded afresh at
// each opening and unloaded when dismissed.
class FrmAbout : public QObject {
    Q_OBJECT
public:
    FrmAbout(PracticeEngine &engine, QWidget *owner);
    ~FrmAbout() override;

    // Loads the window, shows it modally and unloads it when dismissed.
    void showModal();

    bool suspendedTimers() const { return m_suspendedTimers; }
    // The window while it is loaded, else null.
    QDialog *window() const { return m_window; }

    void Form_Activate();
    // OK, the close box and Escape: resume what the box suspended, unload.
    void Command1_Click();
    // Opens the author's address in the mail program.
    void Label7_Click();

private:
    PracticeEngine &m_engine;
    QWidget *m_owner;
    bool m_suspendedTimers = false;
    QPointer<QDialog> m_window;
};

} // namespace tarvo
