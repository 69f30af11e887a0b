#pragma once

#include <QDialog>

#include <array>

class QGroupBox;
class QPushButton;
class QRadioButton;

namespace tarvo {

class PracticeEngine;

// The settings dialog: exercise duration and speed level. Created once and
// afterwards only hidden and shown again, so its buttons keep their state.
// It stops a running exercise while it is open.
class SetForm : public QDialog {
    Q_OBJECT
public:
    explicit SetForm(PracticeEngine &engine, QWidget *parent = nullptr);

    // Shows the dialog modally and returns when it is dismissed.
    void showModal();

    bool suspendedTimers() const { return m_suspendedTimers; }

    void Form_Activate();
    // Applies the chosen duration and level and closes.
    void setSpeedOK_Click();
    // Closes without applying.
    void setSpeedCancel_Click();

    // The close box and Escape act as Cancel.
    void reject() override;

protected:
    void showEvent(QShowEvent *event) override;
    bool event(QEvent *event) override;

private:
    PracticeEngine &m_engine;
    bool m_suspendedTimers = false;

    QGroupBox *m_frame1 = nullptr;
    QGroupBox *m_frame2 = nullptr;
    std::array<QRadioButton *, 3> m_gaTime{};
    std::array<QRadioButton *, 3> m_gaSpeed{};
    QPushButton *m_ok = nullptr;
    QPushButton *m_cancel = nullptr;
};

} // namespace tarvo
