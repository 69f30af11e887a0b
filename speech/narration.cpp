#include "narration.h"

#include "format.h"

#include <algorithm>
#include <utility>

namespace tarvo {

namespace {

bool isHanzi(QChar c)
{
    return c.unicode() >= 0x4E00 && c.unicode() <= 0x9FFF;
}

// The number before the first '%' of an accuracy text, as it is said:
// "50." as "50", "." as "0".
QString percentValue(QStringView text)
{
    const qsizetype percent = text.indexOf(u'%');
    QString number = text.left(percent < 0 ? 0 : percent).trimmed().toString();
    if (number.endsWith(u'.'))
        number.chop(1);
    if (number.startsWith(u'.'))
        number.prepend(u'0');
    return number.isEmpty() ? QStringLiteral("0") : number;
}

} // namespace

int speakingTimeMs(QStringView phrase, const SpeechRate &rate)
{
    int ms = rate.baseMs;
    for (QChar c : phrase) {
        if (c.isLetter() && c.unicode() < 0x80)
            ms += rate.letterMs;
        else if (isHanzi(c))
            ms += rate.hanziMs;
        else if (c.isDigit())
            ms += rate.digitMs;
        else if (QStringView(u"，。,.；;：:").contains(c))
            ms += rate.pauseMs;
    }
    return ms;
}

QString spelled(QStringView word)
{
    QString out;
    out.reserve(word.size() * 2);
    for (QChar c : word) {
        if (!out.isEmpty())
            out += u' ';
        out += c;
    }
    return out;
}

QString spokenSpeed(QStringView speedText)
{
    const qsizetype unit = speedText.indexOf(u" 字/分钟");
    const QStringView number = (unit < 0 ? speedText : speedText.left(unit)).trimmed();
    if (number.isEmpty())
        return QStringLiteral("速度");
    return QStringLiteral("速度 每分钟 %1 字").arg(number);
}

QString spokenAccuracy(QStringView accuracyText)
{
    return QStringLiteral("正确率 %1%").arg(percentValue(accuracyText));
}

QString spokenTimeLeft(QStringView countdown)
{
    const int seconds = std::max(0, int(Val(countdown)));
    const int minutes = seconds / 60;
    if (minutes == 0)
        return QStringLiteral("剩余时间 %1 秒").arg(seconds);
    if (seconds % 60 == 0)
        return QStringLiteral("剩余时间 %1 分钟").arg(minutes);
    return QStringLiteral("剩余时间 %1 分 %2 秒").arg(minutes).arg(seconds % 60);
}

QList<int> slotsLowestFirst(const WordTable &words)
{
    QList<int> occupied;
    for (int i = 0; i < kSlotCount; ++i) {
        if (!words[i].isFree())
            occupied.append(i);
    }
    std::stable_sort(occupied.begin(), occupied.end(), [&words](int a, int b) { return words[a].y > words[b].y; });
    return occupied;
}

void Narration::clearWaiting()
{
    m_notice.clear();
    m_withLowest = false;
    m_summary = false;
    m_removed.reset();
    m_timeLeft.clear();
    m_fallen.clear();
    m_waiting.clear();
}

void Narration::queue(const Word &word)
{
    if (!m_waiting.contains(word))
        m_waiting.append(Word{word.slot, word.text, 0});
}

void Narration::handled(Handler handler, const PlayState &before, const PlayState &after, qint64)
{
    switch (handler) {
    case Handler::start:
        clearWaiting();
        m_notice = QStringLiteral("开始练习，%1 分钟").arg(after.minutes);
        return;
    case Handler::pauseCommand:
    case Handler::dialog:
        if (!before.paused && after.paused) {
            clearWaiting();
            m_notice = QStringLiteral("已暂停");
        } else if (after.running && (handler == Handler::dialog ? before.running : before.paused)) {
            // Resumed: what is falling now comes with it.
            m_notice = QStringLiteral("继续练习");
            m_withLowest = true;
        }
        return;
    case Handler::spawnTick:
        for (int i = 0; i < kSlotCount; ++i) {
            if (before.words[i].isFree() && !after.words[i].isFree())
                queue(Word{i, after.words[i].text, 0});
        }
        return;
    case Handler::fallTick:
        for (int i = 0; i < kSlotCount; ++i) {
            if (!before.words[i].isFree() && after.words[i].text != before.words[i].text)
                m_fallen.append(before.words[i].text);
        }
        return;
    case Handler::clockTick: {
        if (before.running && !after.running) {
            // The exercise is over; the result box speaks for itself.
            clearWaiting();
            return;
        }
        if (after.countdown == before.countdown)
            return;
        const int seconds = int(Val(after.countdown));
        if (seconds > 0 && seconds % 60 == 0)
            m_timeLeft = QStringLiteral("剩余 %1 分钟").arg(seconds / 60);
        else if (seconds == 30 || seconds == 10)
            m_timeLeft = QStringLiteral("剩余 %1 秒").arg(seconds);
        return;
    }
    }
}

void Narration::keyPressed(int keyAscii, const PlayState &before, const PlayState &after, qint64 now)
{
    if (now < m_busyUntil) {
        // The key cut the phrase: its words not yet said wait for the next
        // quiet moment.
        for (const Word &w : std::as_const(m_inPhrase)) {
            if (now - m_phraseStart < w.spokenByMs)
                queue(w);
        }
    }
    m_inPhrase.clear();
    const QString echo = keyAscii == ' '    ? QStringLiteral("空格")
                         : keyAscii == 8    ? QStringLiteral("退格")
                         : keyAscii == '\r' ? QStringLiteral("回车")
                                            : QString(QChar(char16_t(keyAscii)));
    m_busyUntil = now + speakingTimeMs(echo, m_rate);
    m_quietUntil = m_busyUntil;
    if (keyAscii == '\r')
        m_summary = true;

    if (keyAscii == ' ' && !before.typed.isEmpty() && before.running) {
        int removed = 0;
        for (int i = 0; i < kSlotCount; ++i) {
            if (before.words[i].text == before.typed && after.words[i].isFree())
                ++removed;
        }
        m_removed = removed;
    }
}

std::optional<Narration::Utterance> Narration::next(const PlayState &state, qint64 now)
{
    if (!urgent() && now < m_quietUntil)
        return std::nullopt;
    // Asked for with Enter: how many words fall, and the lowest, heard or not.
    const bool summary = std::exchange(m_summary, false);

    // Words still falling, lowest first: all of them after a resume,
    // otherwise those not yet heard.
    m_waiting.removeIf([&state](const Word &w) { return state.words[w.slot].text != w.text; });
    QList<Word> words;
    const QList<int> falling = slotsLowestFirst(state.words);
    if (state.running || summary) {
        for (int slot : falling) {
            if (words.size() == kWordsPerPhrase)
                break;
            const Word w{slot, state.words[slot].text, 0};
            if (m_withLowest || summary || m_waiting.contains(w))
                words.append(w);
        }
    }

    QStringList parts;
    if (!m_notice.isEmpty())
        parts << m_notice;
    if (m_removed)
        parts << (*m_removed == 0   ? QStringLiteral("错")
                  : *m_removed == 1 ? QStringLiteral("对")
                                    : QStringLiteral("消去 %1 个").arg(*m_removed));
    if (!m_timeLeft.isEmpty())
        parts << m_timeLeft;
    if (m_fallen.size() == 1)
        parts << QStringLiteral("漏掉 ") + spelled(m_fallen.first());
    else if (m_fallen.size() > 1)
        parts << QStringLiteral("漏掉 %1 个").arg(m_fallen.size());

    QString text = parts.join(u'。');
    if (summary) {
        if (!text.isEmpty())
            text += u'。';
        text +=
            falling.isEmpty() ? QStringLiteral("没有单词") : QStringLiteral("%1 个单词，最下面").arg(falling.size());
    }
    m_notice.clear();
    m_removed.reset();
    m_timeLeft.clear();
    m_fallen.clear();
    m_withLowest = false;
    if (text.isEmpty() && words.isEmpty())
        return std::nullopt;

    for (qsizetype i = 0; i < words.size(); ++i) {
        if (!text.isEmpty())
            text += i > 0 ? u'，' : summary ? u'：' : u'。';
        text += spelled(words[i].text);
        words[i].spokenByMs = m_rate.leadMs + speakingTimeMs(text, m_rate);
        m_waiting.removeAll(words[i]);
    }
    const int duration = m_rate.leadMs + speakingTimeMs(text, m_rate);
    m_inPhrase = words;
    m_phraseStart = now;
    m_busyUntil = now + duration;
    m_quietUntil = m_busyUntil + m_rate.turnMs + duration * m_rate.slackPercent / 100;
    return Utterance{text, duration};
}

qint64 Narration::dueAt() const
{
    if (urgent())
        return 0;
    if (m_waiting.isEmpty() && m_timeLeft.isEmpty() && m_fallen.isEmpty())
        return -1;
    return m_quietUntil;
}

} // namespace tarvo
