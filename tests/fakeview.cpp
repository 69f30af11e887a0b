#include "fakeview.h"

#include "practiceengine.h"

#include <QTest>

#include <algorithm>

namespace tarvo::fakes {

namespace {
std::size_t at(Label label)
{
    return static_cast<std::size_t>(label);
}
std::size_t at(TimerId id)
{
    return static_cast<std::size_t>(id);
}
} // namespace

QString labelName(Label label)
{
    switch (label) {
    case Label::timeDisplay:
        return QStringLiteral("timeDisplay");
    case Label::speedStatus:
        return QStringLiteral("speedStatus");
    case Label::correctStatus:
        return QStringLiteral("correctStatus");
    case Label::lblPause:
        return QStringLiteral("lblPause");
    }
    return QStringLiteral("?");
}

QString timerName(TimerId id)
{
    switch (id) {
    case TimerId::pictScroll:
        return QStringLiteral("pictScroll");
    case TimerId::CreatWord:
        return QStringLiteral("CreatWord");
    case TimerId::GaTime:
        return QStringLiteral("GaTime");
    }
    return QStringLiteral("?");
}

char *toString(const PrintedWord &word)
{
    return qstrdup(QStringLiteral("(%1, %2, \"%3\")").arg(word.x).arg(word.y).arg(word.text).toUtf8().constData());
}

FakeView::FakeView() : m_pauseCaption(kPauseCaption.toString()) {}

bool FakeView::isLabelVisible(Label label) const
{
    return m_labelVisible[at(label)];
}

const ExerciseTimer &FakeView::timerState(TimerId id) const
{
    return m_timers[at(id)];
}

QStringList FakeView::logSince(qsizetype mark, const QStringList &prefixes) const
{
    QStringList lines;
    for (qsizetype i = mark; i < log.size(); ++i) {
        const QString &line = log[i];
        if (prefixes.isEmpty()
            || std::any_of(prefixes.begin(), prefixes.end(), [&](const QString &p) { return line.startsWith(p); }))
            lines << line;
    }
    return lines;
}

void FakeView::clearPicture()
{
    picture.clear();
    ++clearCount;
    log << QStringLiteral("clear");
}

void FakeView::printWord(float x, float y, const QString &text)
{
    picture.append({x, y, text});
    log << QStringLiteral("print %1,%2 %3").arg(x).arg(y).arg(text);
}

void FakeView::focusPlayField()
{
    ++focusCount;
    log << QStringLiteral("focus");
}

QString FakeView::labelText(Label label) const
{
    return m_labelTexts[at(label)];
}

void FakeView::setLabelText(Label label, const QString &text)
{
    m_labelTexts[at(label)] = text;
    log << QStringLiteral("text %1=%2").arg(labelName(label), text);
}

void FakeView::setLabelVisible(Label label, bool visible)
{
    m_labelVisible[at(label)] = visible;
    log << (visible ? QStringLiteral("show ") : QStringLiteral("hide ")) + labelName(label);
}

void FakeView::setPauseCaption(const QString &caption)
{
    m_pauseCaption = caption;
    log << QStringLiteral("caption ") + caption;
}

void FakeView::setTypedTextBox(const QString &text)
{
    m_textBox = text;
    log << QStringLiteral("box ") + text;
}

void FakeView::timerChanged(TimerId id, const ExerciseTimer &timer)
{
    m_timers[at(id)] = timer;
    log << QStringLiteral("timer %1 %2 %3")
               .arg(timerName(id), timer.enabled ? QStringLiteral("on") : QStringLiteral("off"))
               .arg(timer.period);
}

bool FakeView::askPlayAgain(const QString &title, const QString &text)
{
    prompts.append({title, text, m_timers});
    log << QStringLiteral("ask ") + title;
    if (answers.isEmpty()) {
        QTest::qFail("FakeView: the result prompt was shown but no answer was scripted", __FILE__, __LINE__);
        return false;
    }
    return answers.takeFirst();
}

} // namespace tarvo::fakes

namespace tarvo {

char *toString(const Counters &c)
{
    return qstrdup(
        QStringLiteral("chars %1/%2, submits %3/%4, matches %5/%6 (window/total), speed ticks %7, accuracy ticks %8")
            .arg(c.windowChars)
            .arg(c.totalChars)
            .arg(c.windowSubmits)
            .arg(c.totalSubmits)
            .arg(c.windowMatches)
            .arg(c.totalMatches)
            .arg(c.speedTicks)
            .arg(c.accuracyTicks)
            .toUtf8()
            .constData());
}

char *toString(const ExerciseTimer &timer)
{
    return qstrdup(QStringLiteral("%1 %2 ms").arg(timer.enabled ? "on" : "off").arg(timer.period).toUtf8().constData());
}

} // namespace tarvo
