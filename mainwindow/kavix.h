#pragma once

#include "practiceengine.h"
#include "randomsource.h"

#include <QMainWindow>
#include <QPointer>

class QAction;
class QLabel;
class QLineEdit;
class QMenu;
class QTimer;

namespace tarvo {

class FrameLine;
class FrmAbout;
class GamePict;
class PlayNarrator;
class SetForm;

// The main window: play field, typed-text box, status strip, frame lines,
// the three exercise timers and the menus. It owns the practice engine and
// serves as its view.
class Kavix : public QMainWindow, public PracticeView {
    Q_OBJECT
public:
    explicit Kavix(QWidget *parent = nullptr);
    ~Kavix() override;

    PracticeEngine &engine() { return m_engine; }
    const PracticeEngine &engine() const { return m_engine; }

    // Load defaults and maximise.
    void Form_Load();
    // Stretches the play field and moves the controls hung on the right and
    // bottom edges, from the window's outer size (from the client area under
    // a frame thicker than the design's).
    void Form_Resize();

    void mnuSpeed_Click();
    void mnuAbout_Click();
    void mnuExit_Click();
    void mnuPim_Click();

    // The dialogs, once created (null before first use).
    SetForm *settingsDialog() const;
    FrmAbout *aboutBox() const;

    // PracticeView
    double playFieldLeft() const override;
    double playFieldWidth() const override;
    double playFieldScaleHeight() const override;
    double textWidth(const QString &text) const override;
    void clearPicture() override;
    void printWord(float x, float y, const QString &text) override;
    void focusPlayField() override;
    QString labelText(Label label) const override;
    void setLabelText(Label label, const QString &text) override;
    void setLabelVisible(Label label, bool visible) override;
    QString pauseCaption() const override;
    void setPauseCaption(const QString &caption) override;
    QString typedTextBox() const override;
    void setTypedTextBox(const QString &text) override;
    void timerChanged(TimerId id, const ExerciseTimer &timer) override;
    bool askPlayAgain(const QString &title, const QString &text) override;

protected:
    void resizeEvent(QResizeEvent *event) override;
    void moveEvent(QMoveEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;
    void changeEvent(QEvent *event) override;

private:
    void createControls();
    void createTimers();
    void createMenus();
    // Colours the desktop leaves to the program, kept readable under any
    // colour scheme.
    void applyColours();
    QSizeF outerSizeInTwips() const;
    QSizeF clientSizeInTwips() const;
    bool laidOutForCurrentSize() const;
    QLabel *label(Label label) const;
    QTimer *timerFor(TimerId id) const;
    void endProgram();

    ClockSeededRandom m_random;
    PracticeEngine m_engine;

    QWidget *m_client = nullptr;
    GamePict *m_gamePict = nullptr;
    QLineEdit *m_textWord = nullptr;
    QLabel *m_lblPause = nullptr;
    QLabel *m_correctStatus = nullptr;
    QLabel *m_lblSpeed = nullptr;
    QLabel *m_lblTime = nullptr;
    QLabel *m_timeDisplay = nullptr;
    QLabel *m_speedStatus = nullptr;
    FrameLine *m_line1 = nullptr;
    FrameLine *m_line2 = nullptr;
    FrameLine *m_line3 = nullptr;
    FrameLine *m_line4 = nullptr;

    PlayNarrator *m_narrator = nullptr;

    QTimer *m_pictScroll = nullptr;
    QTimer *m_creatWord = nullptr;
    QTimer *m_gaTime = nullptr;

    QMenu *m_mnuGame = nullptr;
    QMenu *m_mnuHelp = nullptr;
    QAction *m_mnuStart = nullptr;
    QAction *m_mnuPause = nullptr;
    QString m_pauseCaption; // the Pause item's caption from the next opening of its menu on
    QAction *m_mnuSpeed = nullptr;
    QAction *m_mnuExit = nullptr;
    QAction *m_mnuAbout = nullptr;
    QAction *m_mnuPim = nullptr;

    QPointer<SetForm> m_setForm;
    QPointer<FrmAbout> m_frmAbout;

    QSizeF m_laidOutSize;   // the outer size in twips the layout was last made for
    QSizeF m_laidOutClient; // and the client area's
    bool m_ending = false;
};

} // namespace tarvo
