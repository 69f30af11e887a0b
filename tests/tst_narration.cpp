// What a blind player hears: the spoken forms of the status texts, and the
// phrases of an exercise as they are paced around the player's keys. Each
// exercise is a small script of timed steps, run without a window.
#include "narration.h"

#include <QTest>

using namespace Qt::StringLiterals;
using namespace tarvo;

class TestNarration : public QObject {
    Q_OBJECT
private slots:
    void statusTextsReadAsWords_data();
    void statusTextsReadAsWords();
    void phrasesArePacedAroundThePlayersKeys_data();
    void phrasesArePacedAroundThePlayersKeys();
};

void TestNarration::statusTextsReadAsWords_data()
{
    QTest::addColumn<QString>("spoken");
    QTest::addColumn<QString>("expected");
    QTest::newRow("accuracy 50.%") << spokenAccuracy(u"50.% 正确率") << u"正确率 50%"_s;
    QTest::newRow("accuracy .%") << spokenAccuracy(u".% 正确率") << u"正确率 0%"_s;
    QTest::newRow("accuracy 66.67%") << spokenAccuracy(u"66.67% 正确率") << u"正确率 66.67%"_s;
    QTest::newRow("accuracy at load") << spokenAccuracy(u"100% 正确率") << u"正确率 100%"_s;
    QTest::newRow("speed") << spokenSpeed(u"491 字/分钟") << u"速度 每分钟 491 字"_s;
    QTest::newRow("full duration") << spokenTimeLeft(u"180") << u"剩余时间 3 分钟"_s;
    QTest::newRow("minutes and seconds") << spokenTimeLeft(u"163") << u"剩余时间 2 分 43 秒"_s;
    QTest::newRow("leading zero") << spokenTimeLeft(u"083") << u"剩余时间 1 分 23 秒"_s;
    QTest::newRow("one minute") << spokenTimeLeft(u"060") << u"剩余时间 1 分钟"_s;
    QTest::newRow("under a minute") << spokenTimeLeft(u"059") << u"剩余时间 59 秒"_s;
    QTest::newRow("over") << spokenTimeLeft(u"000") << u"剩余时间 0 秒"_s;
    QTest::newRow("spelled") << spelled(u"KQD") << u"K Q D"_s;
    QTest::newRow("speaking time") << QString::number(speakingTimeMs(u"消去 1 个。K Q")) << u"2210"_s;
}

void TestNarration::statusTextsReadAsWords()
{
    QFETCH(QString, spoken);
    QFETCH(QString, expected);
    QCOMPARE(spoken, expected);
}

// A script is one step a line, "<ms> <step> <arguments>":
//   start N          Start, an exercise of N minutes
//   spawn S WORD     a spawn tick puts WORD into slot S, at the top
//   fall             a fall tick: every word 50 twips down
//   drop S           a fall tick in which slot S falls out
//   clock TEXT       a clock tick that leaves TEXT in the countdown
//   end              the clock tick that ends the exercise
//   key C            a key (a letter, "space", "backspace" or "enter")
//   type WORD        the letters of WORD and Space, 100 ms apart
//   pause, resume    the Pause command, pausing or resuming
//   dialog           a dialog that held the exercise was closed
//   say TEXT         the next phrase at that time is TEXT
//   quiet            nothing is said at that time
// A slot's y and the typed text follow the steps, as the game's would.
void TestNarration::phrasesArePacedAroundThePlayersKeys_data()
{
    QTest::addColumn<QString>("script");

    QTest::newRow("start, then new words once the start is said")
        << u"0 start 3\n"
           "0 say 开始练习，3 分钟\n"
           "1600 spawn 0 KQD\n"
           "1600 quiet\n" // the start phrase takes 3.6 s
           "3200 spawn 1 AB\n"
           "3600 quiet\n"          // the player's turn: 0.4 s and a tenth of the phrase
           "4340 say K Q D，A B\n" // oldest, so lowest, first
           "4400 spawn 2 XY\n"
           "4400 quiet\n"
           "7390 quiet\n"
           "7400 say X Y\n"
           "7400 fall\n"
           "9000 quiet\n"_s; // ticks that only move words say nothing
    QTest::newRow("at most three words a phrase, the rest next")
        << u"0 start 3\n0 say 开始练习，3 分钟\n"
           "100 spawn 0 A\n100 spawn 1 B\n100 spawn 2 C\n100 spawn 3 D\n"
           "4340 say A，B，C\n"
           "6500 quiet\n"
           "7020 say D\n"_s;
    QTest::newRow("a submission's result at once, with the words a key cut off")
        << u"0 start 3\n0 say 开始练习，3 分钟\n"
           "100 spawn 0 KQD\n100 fall\n200 spawn 1 AB\n200 spawn 2 KQD\n"
           "4340 say K Q D，A B，K Q D\n"
           "4400 spawn 3 XY\n"
           "4500 type KQD\n"
           "4900 say 消去 2 个。A B，X Y\n"
           "9000 quiet\n"_s; // X Y was said with the result
    QTest::newRow("a result names no word already heard") << u"0 start 3\n0 say 开始练习，3 分钟\n"
                                                             "100 spawn 0 KQD\n100 fall\n100 spawn 1 AB\n"
                                                             "4340 say K Q D，A B\n"
                                                             "8000 type KQD\n"
                                                             "8400 say 对\n"_s;
    QTest::newRow("a submission that removes nothing") << u"0 start 3\n0 say 开始练习，3 分钟\n"
                                                          "100 spawn 0 KQD\n4340 say K Q D\n"
                                                          "5000 type AB\n"
                                                          "5300 say 错。K Q D\n"_s;
    QTest::newRow("words a key cut off come again, those said do not")
        << u"0 start 3\n0 say 开始练习，3 分钟\n"
           "100 spawn 0 KQD\n100 fall\n100 spawn 1 AB\n100 spawn 2 WE\n"
           "4340 say K Q D，A B，W E\n" // K Q D said by 6.1 s, A B by 6.8 s
           "6300 key K\n"
           "6300 quiet\n" // the echo of K
           "6900 say A B，W E\n"_s;
    QTest::newRow("backspace and keys with nothing typed submit nothing") << u"0 start 3\n0 say 开始练习，3 分钟\n"
                                                                             "4000 key space\n4000 key backspace\n"
                                                                             "4000 quiet\n"
                                                                             "6000 quiet\n"_s;
    QTest::newRow("a word that fell out, then several") << u"0 start 3\n0 say 开始练习，3 分钟\n"
                                                           "100 spawn 0 KQD\n100 fall\n100 spawn 1 AB\n100 spawn 2 XY\n"
                                                           "4340 say K Q D，A B，X Y\n"
                                                           "8000 drop 0\n8000 quiet\n8100 say 漏掉 K Q D\n"
                                                           "12000 drop 1\n12000 drop 2\n12000 say 漏掉 2 个\n"_s;
    QTest::newRow("time left at whole minutes and at 30 and 10 seconds") << u"0 start 3\n0 say 开始练习，3 分钟\n"
                                                                            "4000 clock 179\n4000 quiet\n"
                                                                            "5000 clock 120\n5000 say 剩余 2 分钟\n"
                                                                            "9000 clock 090\n9000 quiet\n"
                                                                            "9500 clock 060\n9500 say 剩余 1 分钟\n"
                                                                            "13000 clock 030\n13000 say 剩余 30 秒\n"
                                                                            "16000 clock 011\n16000 quiet\n"
                                                                            "17000 clock 010\n17000 say 剩余 10 秒\n"_s;
    QTest::newRow("the time waits while the player types, then comes with the result")
        << u"0 start 3\n0 say 开始练习，3 分钟\n"
           "100 spawn 0 KQD\n4340 say K Q D\n"
           "5000 key K\n5100 clock 060\n5100 key Q\n5200 key D\n5300 quiet\n5300 key space\n"
           "5300 say 对。剩余 1 分钟\n"_s;
    QTest::newRow("pause forgets what waits; resume names the lowest words")
        << u"0 start 3\n0 say 开始练习，3 分钟\n"
           "100 spawn 0 KQD\n100 fall\n100 spawn 1 AB\n"
           "1000 pause\n1000 say 已暂停\n"
           "5000 quiet\n"
           "6000 resume\n6000 say 继续练习。K Q D，A B\n"_s;
    QTest::newRow("a dialog that held the exercise: resumed with the lowest words")
        << u"0 start 3\n0 say 开始练习，3 分钟\n"
           "100 spawn 0 KQD\n"
           "4000 dialog\n4000 say 继续练习。K Q D\n"_s;
    QTest::newRow("Enter: how many words fall, the lowest three whether heard or not")
        << u"0 start 3\n0 say 开始练习，3 分钟\n"
           "100 spawn 0 KQD\n100 fall\n100 spawn 1 AB\n100 fall\n100 spawn 2 XY\n100 fall\n100 spawn 3 W\n"
           "4340 say K Q D，A B，X Y\n"
           "5000 key enter\n5000 say 4 个单词，最下面：K Q D，A B，X Y\n"
           "12000 say W\n"_s;
    QTest::newRow("Enter on an empty field, and after a result")
        << u"0 start 3\n0 say 开始练习，3 分钟\n"
           "4000 key enter\n4000 say 没有单词\n"
           "4100 spawn 0 KQD\n4100 fall\n4100 spawn 1 AB\n"
           "4200 type KQD\n4600 key enter\n4600 say 对。1 个单词，最下面：A B\n"
           "9000 quiet\n"_s;
    QTest::newRow("the end of the exercise leaves nothing to say") << u"0 start 3\n0 say 开始练习，3 分钟\n"
                                                                      "100 spawn 0 KQD\n100 clock 010\n"
                                                                      "200 end\n"
                                                                      "5000 quiet\n"_s;
}

void TestNarration::phrasesArePacedAroundThePlayersKeys()
{
    QFETCH(QString, script);
    Narration narration;
    PlayState state;
    const auto step = [&](Narration::Handler handler, const auto &change, qint64 now) {
        const PlayState before = state;
        change();
        narration.handled(handler, before, state, now);
    };
    const auto key = [&](int code, qint64 now) {
        const PlayState before = state;
        if (code >= 'A' && code <= 'Z') {
            state.typed += QChar(code);
        } else if (code == ' ' && !state.typed.isEmpty()) {
            for (WordSlot &slot : state.words) {
                if (slot.text == state.typed)
                    slot.text.clear();
            }
            state.typed.clear();
        }
        narration.keyPressed(code, before, state, now);
    };

    for (const QString &line : script.split(u'\n', Qt::SkipEmptyParts)) {
        const QStringList w = line.split(u' ');
        const qint64 now = w[0].toLongLong();
        const QString &verb = w[1];
        const QString rest = w.mid(2).join(u' ');
        using H = Narration::Handler;
        if (verb == u"start") {
            step(
                H::start, [&] { state = PlayState{{}, {}, {}, true, false, qint16(rest.toInt())}; }, now);
        } else if (verb == u"spawn") {
            step(
                H::spawnTick,
                [&] {
                    state.words[w[2].toInt()] = WordSlot{0, 0, w[3]};
                },
                now);
        } else if (verb == u"fall") {
            step(
                H::fallTick,
                [&] {
                    for (WordSlot &s : state.words)
                        s.y += 50;
                },
                now);
        } else if (verb == u"drop") {
            step(
                H::fallTick, [&] { state.words[w[2].toInt()].text.clear(); }, now);
        } else if (verb == u"clock") {
            step(
                H::clockTick, [&] { state.countdown = rest; }, now);
        } else if (verb == u"end") {
            step(
                H::clockTick, [&] { state.countdown = u"000"_s, state.running = false; }, now);
        } else if (verb == u"key") {
            key(rest == u"space"       ? ' '
                : rest == u"backspace" ? 8
                : rest == u"enter"     ? '\r'
                                       : rest.at(0).unicode(),
                now);
        } else if (verb == u"type") {
            qint64 t = now;
            for (QChar c : rest + u' ')
                key(c.unicode(), t += 100);
        } else if (verb == u"pause" || verb == u"resume") {
            step(
                H::pauseCommand, [&] { state.paused = !state.paused, state.running = !state.paused; }, now);
        } else if (verb == u"dialog") {
            step(
                H::dialog, [] {}, now);
        } else if (verb == u"say" || verb == u"quiet") {
            const auto phrase = narration.next(state, now);
            const QString said = phrase ? phrase->text : u"(quiet)"_s;
            const QString expected = verb == u"say" ? rest : u"(quiet)"_s;
            if (said != expected)
                QFAIL(qPrintable(u"at %1 ms\n   said:     %2\n   expected: %3"_s.arg(now).arg(said, expected)));
            if (phrase)
                QCOMPARE(phrase->durationMs, SpeechRate{}.leadMs + speakingTimeMs(said));
        } else {
            QFAIL(qPrintable(u"unknown step: "_s + line));
        }
    }
}

QTEST_GUILESS_MAIN(TestNarration)
#include "tst_narration.moc"
