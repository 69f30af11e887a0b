#pragma once

#include "narration.h"

#include <QElapsedTimer>
#include <QObject>
#include <QPointer>
#include <QTimer>

class QWidget;

namespace tarvo {

class PracticeEngine;
class PracticeView;
class WindowReaders;

// Tells a screen reader what happens in an exercise, through the window's
// notice. It wraps the game's handlers: each runs as before,
// and only while a screen reader listens is the exercise's state compared
// before and after it. Phrases are said while the play field has the
// focus; one that falls due while a menu or dialog has it waits for the
// focus to come back.
class PlayNarrator : public QObject {
    Q_OBJECT
public:
    PlayNarrator(const PracticeEngine &engine, const PracticeView &view, QWidget *field, WindowReaders *readers,
                 QObject *parent = nullptr);

    // Whether a screen reader listens.
    static bool listening();

    // Runs one handler of the game.
    template<typename Handler>
    void run(Narration::Handler handler, Handler &&body)
    {
        if (!listening()) {
            body();
            return;
        }
        const PlayState before = state();
        m_playAgain = false;
        body();
        m_narration.handled(m_playAgain ? Narration::Handler::start : handler, before, state(), m_clock.elapsed());
        // Ticks that only spawn or move words leave the status strip as it was.
        if (handler != Narration::Handler::spawnTick && handler != Narration::Handler::fallTick)
            statusMayHaveChanged();
        schedule();
    }
    // Runs the play field's key handler for one key.
    template<typename Handler>
    void runKey(int keyAscii, Handler &&body)
    {
        if (!listening()) {
            body();
            return;
        }
        const PlayState before = state();
        body();
        m_narration.keyPressed(keyAscii, before, state(), m_clock.elapsed());
        schedule();
    }
    // The result box was answered with Yes: the handler that showed it
    // starts the next exercise.
    void playAgainChosen() { m_playAgain = true; }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    PlayState state() const;
    bool fieldHasFocus() const;
    void statusMayHaveChanged();
    void schedule();
    void speak();

    const PracticeEngine &m_engine;
    const PracticeView &m_view;
    QPointer<QWidget> m_field;
    QPointer<WindowReaders> m_readers;
    Narration m_narration;
    QElapsedTimer m_clock;
    QTimer m_due;
    bool m_playAgain = false;
};

} // namespace tarvo
