#pragma once

#include "exercisestate.h"
#include "practiceview.h"
#include "randomsource.h"

#include <QString>
#include <QStringView>

#include <array>

namespace tarvo {

inline constexpr QStringView kPauseCaption = u"暂停练习(&P)";
inline constexpr QStringView kResumeCaption = u"继续练习(&P)";
inline constexpr QStringView kResultTitle = u"你的成绩";

// The practice engine: the state of an exercise and the handlers that the
// window's timers, keyboard and commands call. It is driven from outside
// and reaches the window only through PracticeView.
class PracticeEngine {
public:
    PracticeEngine(PracticeView &view, RandomSource &random);

    PracticeEngine(const PracticeEngine &) = delete;
    PracticeEngine &operator=(const PracticeEngine &) = delete;

    // Exercise state.
    WordTable &wordSlots() { return m_wordSlots; }
    const WordTable &wordSlots() const { return m_wordSlots; }
    const QString &typedText() const { return m_typedText; }
    Counters &counters() { return m_counters; }
    const Counters &counters() const { return m_counters; }
    Settings &settings() { return m_settings; }
    const Settings &settings() const { return m_settings; }
    const ExerciseTimer &timer(TimerId id) const { return m_timers[index(id)]; }
    // An exercise is running exactly while the fall timer is enabled.
    bool isRunning() const { return timer(TimerId::pictScroll).enabled; }
    // The duration the current (or last) exercise was started with.
    qint16 exerciseMinutes() const { return m_exerciseMinutes; }

    // The timer group.
    void SetExerciseTimers(bool enabled);
    void ApplySpeedLevel();
    QString FullDurationText() const;
    // Writes FullDurationText into the countdown.
    void ShowFullDuration();
    // Load-time defaults: seeds the generator, sets the status texts, medium
    // speed, three minutes, countdown "180", timers stopped.
    void LoadDefaults();

    // Timer handlers.
    void CreatWord_Timer();
    void pictScroll_Timer();
    void GaTime_Timer();

    // Keyboard: one character code per key (8 Backspace, 32 Space).
    void GamePict_KeyPress(int keyAscii);

    // Commands.
    void mnuStart_Click();
    void mnuPause_Click();
    // A modal dialog stops a running exercise while it is open and starts it
    // again when dismissed; each dialog keeps its own flag.
    void SuspendForDialog(bool &suspendedTimers);
    void ResumeAfterDialog(bool &suspendedTimers);
    // The settings dialog's OK: takes the chosen duration and level, applies
    // the level's periods at once, continues an exercise the dialog
    // suspended, and shows the new full duration unless an exercise is
    // suspended or paused, which keeps its remaining time.
    void ApplyChosenSettings(qint16 minutes, qint16 level, bool &suspendedTimers);

    // The result prompt's text for the exercise just ended.
    QString ResultText() const;

private:
    static constexpr std::size_t index(TimerId id) { return static_cast<std::size_t>(id); }
    void setTimerEnabled(TimerId id, bool enabled);
    void setTimerPeriod(TimerId id, int period);
    void setTyped(const QString &text);
    // The paused look: 暂停 in place of the two status texts and the Pause
    // item offering to resume, or the other way round. Pause and Resume
    // change the caption first, Start last.
    enum class CaptionStep { first, last };
    void showPaused(bool paused, CaptionStep caption);

    PracticeView &m_view;
    RandomSource &m_random;

    WordTable m_wordSlots{};
    QString m_typedText;
    Counters m_counters;
    Settings m_settings;
    std::array<ExerciseTimer, 3> m_timers{};
    qint16 m_exerciseMinutes = 3;
};

} // namespace tarvo
