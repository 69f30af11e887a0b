#include "practiceengine.h"

#include "format.h"

#include <limits>

namespace tarvo {

namespace {

// 16-bit product of a setting; saturates rather than wrapping round.
qint16 product16(qint16 a, int b)
{
    const int p = int(a) * b;
    if (p > std::numeric_limits<qint16>::max())
        return std::numeric_limits<qint16>::max();
    if (p < std::numeric_limits<qint16>::min())
        return std::numeric_limits<qint16>::min();
    return qint16(p);
}

} // namespace

PracticeEngine::PracticeEngine(PracticeView &view, RandomSource &random) : m_view(view), m_random(random) {}

void PracticeEngine::setTimerEnabled(TimerId id, bool enabled)
{
    ExerciseTimer &t = m_timers[index(id)];
    if (t.enabled == enabled)
        return;
    t.enabled = enabled;
    m_view.timerChanged(id, t);
}

void PracticeEngine::setTimerPeriod(TimerId id, int period)
{
    ExerciseTimer &t = m_timers[index(id)];
    t.period = period;
    // Reported even when unchanged: assigning a period restarts the timer's
    // count, as at Start, where the first second of the clock is a whole one.
    m_view.timerChanged(id, t);
}

void PracticeEngine::setTyped(const QString &text)
{
    m_typedText = text;
    m_view.setTypedTextBox(m_typedText);
}

void PracticeEngine::SetExerciseTimers(bool enabled)
{
    setTimerEnabled(TimerId::pictScroll, enabled);
    setTimerEnabled(TimerId::CreatWord, enabled);
    setTimerEnabled(TimerId::GaTime, enabled);
}

void PracticeEngine::ApplySpeedLevel()
{
    setTimerPeriod(TimerId::pictScroll, product16(m_settings.speedLevel, 100));
    setTimerPeriod(TimerId::CreatWord, product16(m_settings.speedLevel, 800));
}

QString PracticeEngine::FullDurationText() const
{
    return Format(product16(m_settings.practiceMinutes, 60), u"000");
}

void PracticeEngine::ShowFullDuration()
{
    m_view.setLabelText(Label::timeDisplay, FullDurationText());
}

void PracticeEngine::LoadDefaults()
{
    m_random.seedFromClock();
    m_view.setLabelText(Label::correctStatus, QStringLiteral("100% 正确率"));
    m_view.setLabelText(Label::speedStatus, QStringLiteral("0 字/分钟"));
    m_settings.practiceMinutes = 3;
    m_settings.speedLevel = 2;
    m_exerciseMinutes = m_settings.practiceMinutes;
    ShowFullDuration();
    ApplySpeedLevel();
    SetExerciseTimers(false);
}

void PracticeEngine::mnuStart_Click()
{
    SetExerciseTimers(true);
    m_counters = Counters{};
    m_exerciseMinutes = m_settings.practiceMinutes;
    ShowFullDuration();
    setTyped(QString());
    if (m_settings.isPaused) {
        showPaused(false, CaptionStep::last);
        m_settings.isPaused = false;
    }
    for (WordSlot &slot : m_wordSlots)
        slot.text.clear();
    m_view.clearPicture();
    m_view.focusPlayField();
    setTimerPeriod(TimerId::GaTime, 1000);
}

void PracticeEngine::mnuPause_Click()
{
    if (isRunning()) {
        SetExerciseTimers(false);
        showPaused(true, CaptionStep::first);
        m_settings.isPaused = true;
    } else if (m_view.pauseCaption() == kResumeCaption) {
        // Whether to resume is read from the menu caption, not the flag.
        SetExerciseTimers(true);
        showPaused(false, CaptionStep::first);
        m_settings.isPaused = false;
    }
}

void PracticeEngine::showPaused(bool paused, CaptionStep caption)
{
    const QString text = (paused ? kResumeCaption : kPauseCaption).toString();
    if (caption == CaptionStep::first)
        m_view.setPauseCaption(text);
    m_view.setLabelVisible(Label::lblPause, paused);
    // Shown speed first, hidden accuracy first.
    for (Label status : paused ? std::array{Label::correctStatus, Label::speedStatus}
                               : std::array{Label::speedStatus, Label::correctStatus})
        m_view.setLabelVisible(status, !paused);
    if (caption == CaptionStep::last)
        m_view.setPauseCaption(text);
}

void PracticeEngine::SuspendForDialog(bool &suspendedTimers)
{
    if (isRunning()) {
        SetExerciseTimers(false);
        suspendedTimers = true;
    }
}

void PracticeEngine::ResumeAfterDialog(bool &suspendedTimers)
{
    if (suspendedTimers) {
        SetExerciseTimers(true);
        suspendedTimers = false;
    }
}

void PracticeEngine::ApplyChosenSettings(qint16 minutes, qint16 level, bool &suspendedTimers)
{
    m_settings.speedLevel = level;
    m_settings.practiceMinutes = minutes;
    ApplySpeedLevel();
    if (suspendedTimers)
        SetExerciseTimers(true); // the exercise goes on at the new speed
    if (!suspendedTimers && !m_settings.isPaused)
        ShowFullDuration(); // a suspended or paused exercise keeps its time
    suspendedTimers = false;
}

} // namespace tarvo
