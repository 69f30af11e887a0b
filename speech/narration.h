#pragma once

#include "exercisestate.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <QStringView>

#include <optional>

namespace tarvo {

// How long a screen reader's speech takes for a phrase: a start-up cost,
// then each Latin letter (spelled), Chinese character, digit and pause.
// The defaults are espeak-ng's Mandarin voice at Orca's default rate, as
// bench/speech.cpp measures them. A phrase of the game comes after what the
// reader says first of its own: Orca names a notification, "通知".
struct SpeechRate {
    int leadMs = 740;
    int baseMs = 330;
    int letterMs = 240;
    int hanziMs = 370;
    int digitMs = 150;
    int pauseMs = 140;
    // What a phrase that can wait leaves after the last one: a turn for the
    // player, and a share of the last phrase's length. The reader queues
    // what it is sent, so phrases sent back to back would leave no silence
    // to answer in, and speech that started late (behind the reader's own
    // words) would stay late for the rest of the exercise.
    int turnMs = 400;
    int slackPercent = 10;
};
// How long saying a phrase takes, without the lead.
int speakingTimeMs(QStringView phrase, const SpeechRate &rate = {});

// A word as it is to be heard: letter by letter, "KQD" as "K Q D".
QString spelled(QStringView word);

// The status strip's texts as they read aloud: "120 字/分钟" as
// "速度 每分钟 120 字", "50.% 正确率" as "正确率 50%", the countdown "163"
// as "剩余时间 2 分 43 秒".
QString spokenSpeed(QStringView speedText);
QString spokenAccuracy(QStringView accuracyText);
QString spokenTimeLeft(QStringView countdown);

// The occupied slots, lowest word (the most urgent) first; words at the
// same height keep slot order.
QList<int> slotsLowestFirst(const WordTable &words);

// What the narration compares before and after one handler of the game.
struct PlayState {
    WordTable words{};
    QString typed;
    QString countdown;
    bool running = false;
    bool paused = false;
    qint16 minutes = 3; // the duration the exercise was started with
};

// What a blind player hears of an exercise: new words spelled as they
// appear, the result of each submission with the words still to type,
// words that fall out, start, pause and resume, and the time left at each
// whole minute and at 30 and 10 seconds. Nothing for ticks that only move
// words.
//
// The screen reader queues the phrases it is sent and says them one after
// the other; every key the player presses cuts what it is saying and all
// that waits. So phrases are paced: an urgent one (a command, a
// submission's result) goes at once; the rest wait until the last phrase
// or key echo has been spoken, and the player has had a turn after a
// phrase, and are then said together, most urgent first. Words in a phrase
// that a key press cut before they were said wait to be said again, first
// with the next submission's result, so what was missed comes round again;
// words said whole are not repeated, which leaves the time for new ones.
// After a pause the lowest words are said again. Times are milliseconds on
// any steady clock.
class Narration {
public:
    enum class Handler { spawnTick, fallTick, clockTick, start, pauseCommand, dialog };
    struct Utterance {
        QString text;
        int durationMs = 0;
    };

    // How many words a phrase names at most.
    static constexpr int kWordsPerPhrase = 3;

    explicit Narration(SpeechRate rate = {}) : m_rate(rate) {}

    // A handler of the game ran at `now` and took the exercise from
    // `before` to `after`.
    void handled(Handler handler, const PlayState &before, const PlayState &after, qint64 now);
    // A key was pressed on the play field: the reader cut its speech and
    // echoed the key; a Space may have submitted a word, and Enter asks
    // what is on the field (how many words, and the lowest three).
    void keyPressed(int keyAscii, const PlayState &before, const PlayState &after, qint64 now);

    // What to say now, if anything is due; `state` is the exercise now.
    std::optional<Utterance> next(const PlayState &state, qint64 now);
    // When next() may have something to say: `now` or earlier for an urgent
    // phrase, the end of the current speech otherwise; -1 when nothing waits.
    qint64 dueAt() const;

private:
    struct Word {
        int slot = 0;
        QString text;
        int spokenByMs = 0; // when, from the phrase's start, it has been said
        // The same word in the same slot, whenever it was said.
        bool operator==(const Word &other) const { return slot == other.slot && text == other.text; }
    };
    bool urgent() const { return !m_notice.isEmpty() || m_removed.has_value() || m_summary; }
    void clearWaiting();
    void queue(const Word &word);

    SpeechRate m_rate;
    QString m_notice;             // start, pause or resume
    bool m_withLowest = false;    // the next phrase names the lowest words, heard or not
    bool m_summary = false;       // the next phrase also says how many words fall
    std::optional<int> m_removed; // the last submission's result
    QString m_timeLeft;           // a whole minute, 30 or 10 seconds
    QStringList m_fallen;         // words that fell out since the last phrase
    QList<Word> m_waiting;        // new or cut-off words still to be said
    QList<Word> m_inPhrase;       // the words of the phrase being spoken
    qint64 m_phraseStart = 0;
    qint64 m_busyUntil = 0;  // when the reader is done with the last phrase or key
    qint64 m_quietUntil = 0; // when a phrase that can wait may follow them
};

} // namespace tarvo
