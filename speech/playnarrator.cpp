#include "playnarrator.h"

#include "readers.h"

#include "practiceengine.h"

#include <QAccessible>
#include <QApplication>
#include <QEvent>
#include <QWidget>

namespace tarvo {

PlayNarrator::PlayNarrator(const PracticeEngine &engine, const PracticeView &view, QWidget *field,
                           WindowReaders *readers, QObject *parent)
    : QObject(parent),
      m_engine(engine),
      m_view(view),
      m_field(field),
      m_readers(readers),
      m_narration(SpeechRate{.leadMs = WindowReaders::kLeadMs})
{
    m_clock.start();
    m_due.setSingleShot(true);
    connect(&m_due, &QTimer::timeout, this, &PlayNarrator::speak);
    field->installEventFilter(this);
}

bool PlayNarrator::listening()
{
    return QAccessible::isActive();
}

PlayState PlayNarrator::state() const
{
    return PlayState{m_engine.wordSlots(), m_engine.typedText(),         m_view.labelText(Label::timeDisplay),
                     m_engine.isRunning(), m_engine.settings().isPaused, m_engine.exerciseMinutes()};
}

bool PlayNarrator::fieldHasFocus() const
{
    return m_field && m_field->hasFocus() && m_field->window()->isActiveWindow() && !QApplication::activePopupWidget()
           && !QApplication::activeModalWidget();
}

void PlayNarrator::statusMayHaveChanged()
{
    if (m_readers)
        m_readers->statusMayHaveChanged();
}

void PlayNarrator::schedule()
{
    const qint64 due = m_narration.dueAt();
    if (due < 0 || !fieldHasFocus()) {
        // Waits for the focus to come back to the play field.
        m_due.stop();
        return;
    }
    // Never at once: the reader hears of the focus before the phrase.
    m_due.start(int(std::max<qint64>(0, due - m_clock.elapsed())));
}

void PlayNarrator::speak()
{
    if (!listening() || !fieldHasFocus() || !m_readers)
        return;
    if (const auto phrase = m_narration.next(state(), m_clock.elapsed()))
        m_readers->announce(phrase->text, phrase->durationMs, m_field);
    schedule();
}

bool PlayNarrator::eventFilter(QObject *watched, QEvent *event)
{
    // The event first: the comparison casts the field, and a field being
    // destroyed is no longer of its derived type.
    if (event->type() == QEvent::FocusIn && watched == m_field && listening())
        schedule();
    return QObject::eventFilter(watched, event);
}

} // namespace tarvo
