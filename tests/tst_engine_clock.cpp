// The clock: countdown, speed and accuracy windows, the end of an exercise
// and its result prompt, and one whole exercise driven as the timers would.
#include "enginerig.h"

#include <QTest>

#include <cmath>

using namespace Qt::StringLiterals;

using namespace tarvo;
using namespace tarvo::fakes;

namespace {

const QString kSpeedSentinel = QStringLiteral("77 字/分钟");
const QString kAccuracySentinel = QStringLiteral("12.5% 正确率");

// A rig with a running exercise of the given length, the given words in
// slots 0, 1, ..., and the status labels showing values from before.
struct Playing : EngineRig {
    explicit Playing(const QStringList &words = {}, int minutes = 3)
    {
        view.setLabelText(Label::speedStatus, kSpeedSentinel);
        view.setLabelText(Label::correctStatus, kAccuracySentinel);
        start(words, minutes);
    }
    QString countdown() const { return view.labelText(Label::timeDisplay); }
    QString speed() const { return view.labelText(Label::speedStatus); }
    QString accuracy() const { return view.labelText(Label::correctStatus); }
};

// The accuracy text of matches / submissions, worked out with integers:
// hundredths of a percent rounded half up, no leading zero, no trailing
// fraction zeros, the point always shown.
QString percentText(int matches, int submits)
{
    const qint64 hundredths = (qint64(matches) * 20000 + submits) / (2 * qint64(submits));
    QString fraction = QString::number(hundredths % 100).rightJustified(2, u'0');
    while (fraction.endsWith(u'0'))
        fraction.chop(1);
    const qint64 whole = hundredths / 100;
    return (whole ? QString::number(whole) : QString()) + u'.' + fraction + u'%';
}

QString resultText(const QString &speed, const QString &accuracy)
{
    return QStringLiteral("    速  度: ") + speed + QStringLiteral(" 字/分钟\r    正确率: ") + accuracy
           + QStringLiteral("\r    继续练习吗?");
}

} // namespace

class TestEngineClock : public QObject {
    Q_OBJECT
private slots:
    void clockCountsDownAndEndsAtZero_data();
    void clockCountsDownAndEndsAtZero();
    void speedShowsCharactersPerMinuteOnEveryFifthTick_data();
    void speedShowsCharactersPerMinuteOnEveryFifthTick();
    void accuracyShowsMatchesPerSubmissionOnEveryTenthTick_data();
    void accuracyShowsMatchesPerSubmissionOnEveryTenthTick();
    void accuracyWaitsForTheFirstSubmissionAfterAnEmptyWindow();
    void resultReportsTheWholeExercise_data();
    void resultReportsTheWholeExercise();
    void resultDividesByTheDurationTheExerciseStartedWith_data();
    void resultDividesByTheDurationTheExerciseStartedWith();
    void yesStartsANewExerciseAtOnce();
    void noLeavesTheWindowIdleWithAnEmptyPictureAndTextBox();
    void countersStayAt32767();
    void wholeExercisePlayedByTheTimersReportsWhatWasTyped();
};

void TestEngineClock::clockCountsDownAndEndsAtZero_data()
{
    QTest::addColumn<QString>("before");
    QTest::addColumn<QString>("after");
    QTest::addColumn<bool>("ends");
    QTest::newRow("full") << u"180"_s << u"179"_s << false;
    QTest::newRow("nine minutes") << u"540"_s << u"539"_s << false;
    QTest::newRow("hundred") << u"100"_s << u"099"_s << false;
    QTest::newRow("ten") << u"010"_s << u"009"_s << false;
    QTest::newRow("two") << u"002"_s << u"001"_s << false;
    QTest::newRow("last second") << u"001"_s << u"000"_s << true;
    QTest::newRow("already zero stays zero") << u"000"_s << u"000"_s << true;
}

void TestEngineClock::clockCountsDownAndEndsAtZero()
{
    QFETCH(QString, before);
    QFETCH(QString, after);
    QFETCH(bool, ends);
    Playing rig;
    rig.view.answers << false;
    rig.view.setLabelText(Label::timeDisplay, before);
    const qsizetype mark = rig.view.log.size();
    rig.ticks(1);
    QCOMPARE(rig.countdown(), after);
    QCOMPARE(rig.allTimers(false), ends);
    QCOMPARE(rig.view.prompts.size(), ends ? 1 : 0);
    if (!ends)
        return;
    // The timers stop, fall first, before the result is shown.
    QCOMPARE(
        rig.view.logSince(mark, {"timer", "ask"}),
        QStringList({"timer pictScroll off 200", "timer CreatWord off 1600", "timer GaTime off 1000", "ask 你的成绩"}));
    QCOMPARE(rig.view.prompts[0].title, QStringLiteral("你的成绩"));
    for (const ExerciseTimer &t : rig.view.prompts[0].timersWhenAsked)
        QVERIFY(!t.enabled);
}

void TestEngineClock::speedShowsCharactersPerMinuteOnEveryFifthTick_data()
{
    QTest::addColumn<int>("chars");
    QTest::addColumn<QString>("expected");
    QTest::newRow("41 rounds down to 491") << 41 << u"491 字/分钟"_s;
    QTest::newRow("30") << 30 << u"360 字/分钟"_s;
    QTest::newRow("1") << 1 << u"12 字/分钟"_s;
    QTest::newRow("0") << 0 << u"0 字/分钟"_s;
}

void TestEngineClock::speedShowsCharactersPerMinuteOnEveryFifthTick()
{
    QFETCH(int, chars);
    QFETCH(QString, expected);
    Playing rig;
    const int early = chars / 2;
    rig.type(QString(early, u'q'));
    for (int tick = 1; tick <= 4; ++tick) {
        rig.ticks(1);
        QCOMPARE(rig.speed(), kSpeedSentinel); // Start leaves the old text until the window is full
    }
    rig.type(QString(chars - early, u'q'));
    rig.ticks(1);
    QCOMPARE(rig.speed(), expected);
    QCOMPARE(rig.engine.counters().windowChars, 0);
    QCOMPARE(rig.engine.counters().totalChars, chars);

    // The next window starts empty.
    rig.ticks(4);
    QCOMPARE(rig.speed(), expected);
    rig.ticks(1);
    QCOMPARE(rig.speed(), QStringLiteral("0 字/分钟"));
}

void TestEngineClock::accuracyShowsMatchesPerSubmissionOnEveryTenthTick_data()
{
    QTest::addColumn<QStringList>("words");
    QTest::addColumn<QString>("keys");
    QTest::addColumn<QString>("expected");
    QTest::newRow("two of three") << QStringList{"AB", "CD"} << u"ab cd xy "_s << u"66.67% 正确率"_s;
    QTest::newRow("two of two") << QStringList{"AB", "CD"} << u"ab cd "_s << u"100.% 正确率"_s;
    QTest::newRow("one submission removes two") << QStringList{"AB", "AB"} << u"ab "_s << u"200.% 正确率"_s;
    QTest::newRow("one of three") << QStringList{"AB"} << u"ab xy xy "_s << u"33.33% 正确率"_s;
    QTest::newRow("none of one") << QStringList{} << u"xy "_s << u".% 正确率"_s;
}

void TestEngineClock::accuracyShowsMatchesPerSubmissionOnEveryTenthTick()
{
    QFETCH(QStringList, words);
    QFETCH(QString, keys);
    QFETCH(QString, expected);
    Playing rig(words);
    rig.ticks(3);
    rig.type(keys);
    for (int tick = 4; tick <= 9; ++tick) {
        rig.ticks(1);
        QCOMPARE(rig.accuracy(), kAccuracySentinel);
    }
    rig.ticks(1);
    QCOMPARE(rig.accuracy(), expected);
    const Counters &c = rig.engine.counters();
    QCOMPARE(c.accuracyTicks, 0);
    QCOMPARE(c.windowSubmits, 0);
    QCOMPARE(c.windowMatches, 0);
    QVERIFY(c.totalSubmits > 0);
}

void TestEngineClock::accuracyWaitsForTheFirstSubmissionAfterAnEmptyWindow()
{
    Playing rig({"AB", "CD"});
    rig.ticks(15);
    QCOMPARE(rig.accuracy(), kAccuracySentinel);
    QCOMPARE(rig.engine.counters().accuracyTicks, 15);

    rig.type(u"ab ");
    rig.ticks(1);
    QCOMPARE(rig.accuracy(), QStringLiteral("100.% 正确率"));

    // A fresh ten-tick window begins with that refresh.
    rig.type(u"xy ");
    rig.ticks(9);
    QCOMPARE(rig.accuracy(), QStringLiteral("100.% 正确率"));
    rig.ticks(1);
    QCOMPARE(rig.accuracy(), QStringLiteral(".% 正确率"));
}

void TestEngineClock::resultReportsTheWholeExercise_data()
{
    QTest::addColumn<int>("minutes");
    QTest::addColumn<QStringList>("words");
    QTest::addColumn<QString>("keys");
    QTest::addColumn<QString>("expected");
    const QString hundredChars = QStringLiteral("ab cd xy ") + QString(92, u'q'); // 3 + 3 + 2 + 92
    QTest::newRow("100 characters in 3 minutes, two of three")
        << 3 << QStringList{"AB", "CD"} << hundredChars
        << u"    速  度: 33 字/分钟\r    正确率: 66.67%\r    继续练习吗?"_s;
    QTest::newRow("no submission") << 3 << QStringList{"AB"} << u"qqqqq"_s
                                   << u"    速  度: 2 字/分钟\r    正确率: 100.%\r    继续练习吗?"_s;
    QTest::newRow("nothing typed") << 3 << QStringList{} << u""_s
                                   << u"    速  度: 0 字/分钟\r    正确率: 100.%\r    继续练习吗?"_s;
    QTest::newRow("100 characters in 6 minutes") << 6 << QStringList{"AB", "CD"} << hundredChars
                                                 << u"    速  度: 17 字/分钟\r    正确率: 66.67%\r    继续练习吗?"_s;
    QTest::newRow("13.5 per minute rounds up")
        << 6 << QStringList{} << QString(81, u'q') << u"    速  度: 14 字/分钟\r    正确率: 100.%\r    继续练习吗?"_s;
    QTest::newRow("9 minutes, one submission removes two")
        << 9 << QStringList{"AB", "AB"} << u"ab "_s << u"    速  度: 0 字/分钟\r    正确率: 200.%\r    继续练习吗?"_s;
}

void TestEngineClock::resultReportsTheWholeExercise()
{
    QFETCH(int, minutes);
    QFETCH(QStringList, words);
    QFETCH(QString, keys);
    QFETCH(QString, expected);
    Playing rig(words, minutes);
    rig.view.answers << false;
    rig.ticks(7);
    rig.type(keys);
    // The exercise ends on the tick that shows "000", not one earlier.
    rig.ticks(minutes * 60 - 8);
    QCOMPARE(rig.countdown(), QStringLiteral("001"));
    QCOMPARE(rig.view.prompts.size(), 0);
    rig.ticks(1);
    QCOMPARE(rig.view.prompts.size(), 1);
    QCOMPARE(rig.view.prompts[0].title, QStringLiteral("你的成绩"));
    QCOMPARE(rig.view.prompts[0].text, expected);
}

void TestEngineClock::resultDividesByTheDurationTheExerciseStartedWith_data()
{
    QTest::addColumn<int>("started");
    QTest::addColumn<int>("changedTo");
    QTest::addColumn<QString>("speed");
    QTest::newRow("3 minutes, then 9 chosen") << 3 << 9 << u"33"_s;
    QTest::newRow("9 minutes, then 3 chosen") << 9 << 3 << u"11"_s;
}

void TestEngineClock::resultDividesByTheDurationTheExerciseStartedWith()
{
    QFETCH(int, started);
    QFETCH(int, changedTo);
    QFETCH(QString, speed);
    Playing rig({}, started);
    rig.view.answers << false;
    rig.type(QString(100, u'q'));
    rig.ticks(60);

    // The settings dialog is confirmed during the exercise.
    bool suspended = false;
    rig.engine.SuspendForDialog(suspended);
    rig.engine.settings().practiceMinutes = qint16(changedTo);
    rig.engine.ApplySpeedLevel();
    rig.engine.ResumeAfterDialog(suspended);
    QCOMPARE(rig.engine.exerciseMinutes(), started);
    QCOMPARE(rig.countdown(), QString::number(started * 60 - 60).rightJustified(3, u'0'));

    rig.ticks(started * 60 - 60);
    QCOMPARE(rig.view.prompts.size(), 1);
    QCOMPARE(rig.view.prompts[0].text, resultText(speed, QStringLiteral("100.%")));
}

void TestEngineClock::yesStartsANewExerciseAtOnce()
{
    Playing rig({"AB"});
    rig.view.answers << true;
    rig.type(u"ab q");
    rig.ticks(180);
    QCOMPARE(rig.view.prompts.size(), 1);
    QVERIFY(rig.allTimers(true));
    QCOMPARE(rig.engine.timer(TimerId::GaTime).period, 1000);
    QCOMPARE(rig.countdown(), QStringLiteral("180"));
    QCOMPARE(rig.engine.counters(), Counters{});
    QCOMPARE(rig.engine.typedText(), QString());
    QCOMPARE(rig.slotTexts(), QStringList());
    const QStringList log = rig.view.log;
    QVERIFY(log.lastIndexOf(QStringLiteral("ask 你的成绩"))
            < log.lastIndexOf(QStringLiteral("timer pictScroll on 200")));
    rig.ticks(1);
    QCOMPARE(rig.countdown(), QStringLiteral("179"));
}

void TestEngineClock::noLeavesTheWindowIdleWithAnEmptyPictureAndTextBox()
{
    Playing rig({"AB", "CD"});
    rig.view.answers << false;
    rig.type(u"ab ");
    rig.ticks(179);
    rig.engine.pictScroll_Timer();
    rig.type(u"cx");
    QCOMPARE(rig.view.picture.size(), 1);
    const qsizetype mark = rig.view.log.size();
    rig.ticks(1);

    QVERIFY(rig.allTimers(false));
    QVERIFY(rig.view.picture.isEmpty());
    QCOMPARE(rig.view.typedTextBox(), QString());
    QCOMPARE(rig.engine.typedText(), QString());
    QCOMPARE(rig.view.logSince(mark, {"ask", "clear", "box"}), QStringList({"ask 你的成绩", "clear", "box "}));
    // The table and the totals keep their values until the next Start.
    QCOMPARE(rig.slotTexts(), QStringList({"", "CD"}));
    QCOMPARE(rig.engine.counters().totalChars, 5);
    QCOMPARE(rig.engine.counters().totalSubmits, 1);
    rig.engine.mnuPause_Click();
    QVERIFY(rig.allTimers(false));
}

void TestEngineClock::countersStayAt32767()
{
    Playing rig({"AB", "AB"});
    rig.view.answers << false;
    Counters &c = rig.engine.counters();
    c.windowChars = c.totalChars = 32765;
    c.windowSubmits = c.totalSubmits = 32767;
    c.windowMatches = c.totalMatches = 32766;
    rig.type(u"ab ");
    QCOMPARE(c.windowChars, 32767);
    QCOMPARE(c.totalChars, 32767);
    QCOMPARE(c.windowSubmits, 32767);
    QCOMPARE(c.totalSubmits, 32767);
    QCOMPARE(c.windowMatches, 32767);
    QCOMPARE(c.totalMatches, 32767);

    c.windowSubmits = 0;
    c.accuracyTicks = 32767;
    rig.ticks(1);
    QCOMPARE(c.accuracyTicks, 32767);
    QCOMPARE(rig.accuracy(), kAccuracySentinel);

    rig.view.setLabelText(Label::timeDisplay, QStringLiteral("001"));
    rig.ticks(1);
    QCOMPARE(rig.view.prompts.size(), 1);
    QCOMPARE(rig.view.prompts[0].text, resultText(QStringLiteral("10922"), QStringLiteral("100.%")));
}

void TestEngineClock::wholeExercisePlayedByTheTimersReportsWhatWasTyped()
{
    FakeView view;
    view.scaleHeight = 3000; // a word falls out about twelve seconds after it appears
    view.answers << false;
    SeededRandom random(20240607);
    PracticeEngine engine(view, random);
    engine.LoadDefaults();
    engine.mnuStart_Click();

    // What the player did, counted here from the keys pressed and the words
    // they hit, never from the engine's counters.
    int chars = 0, submits = 0, matches = 0;
    int windowChars = 0, windowSubmits = 0, windowMatches = 0, speedTicks = 0, accuracyTicks = 0;
    int fallTicks = 0, spawnTicks = 0, clockTicks = 0, typedWords = 0;
    QString speedText = view.labelText(Label::speedStatus);
    QString accuracyText = view.labelText(Label::correctStatus);

    const auto submit = [&](const QString &keys, const QString &word) {
        int removed = 0;
        for (const WordSlot &slot : engine.wordSlots())
            removed += slot.text == word ? 1 : 0;
        for (const QChar key : keys)
            engine.GamePict_KeyPress(key.unicode());
        engine.GamePict_KeyPress(' ');
        int letters = 0;
        for (const QChar key : keys)
            letters += key.isLetter() ? 1 : 0;
        chars += letters + removed;
        windowChars += letters + removed;
        ++submits;
        ++windowSubmits;
        matches += removed;
        windowMatches += removed;
    };
    const auto due = [&](TimerId id, int ms) {
        const ExerciseTimer &t = view.timerState(id);
        return t.enabled && t.period > 0 && ms % t.period == 0;
    };

    for (int ms = 1; view.prompts.isEmpty(); ++ms) {
        QVERIFY2(ms <= 181000, "the exercise did not end");
        // Timers due at the same millisecond fire in this fixed order.
        if (due(TimerId::pictScroll, ms)) {
            engine.pictScroll_Timer();
            ++fallTicks;
        }
        if (due(TimerId::CreatWord, ms)) {
            engine.CreatWord_Timer();
            ++spawnTicks;
        }
        if (due(TimerId::GaTime, ms)) {
            engine.GaTime_Timer();
            ++clockTicks;
            if (++speedTicks == 5) {
                speedText = QString::number(int(std::floor(double(windowChars) / 5 * 60))) + QStringLiteral(" 字/分钟");
                speedTicks = windowChars = 0;
            }
            if (++accuracyTicks >= 10 && windowSubmits != 0) {
                accuracyText = percentText(windowMatches, windowSubmits) + QStringLiteral(" 正确率");
                accuracyTicks = windowSubmits = windowMatches = 0;
            }
            QCOMPARE(view.labelText(Label::timeDisplay), QString::number(180 - clockTicks).rightJustified(3, u'0'));
            QCOMPARE(view.labelText(Label::speedStatus), speedText);
            QCOMPARE(view.labelText(Label::correctStatus), accuracyText);
        }
        // Every two seconds, between ticks, the player types the first word
        // on the field; every third one with a stray letter taken back.
        if (ms % 2000 == 100 && !view.picture.isEmpty()) {
            const QString word = view.picture.first().text;
            QString keys = word.toLower();
            if (++typedWords % 3 == 0)
                keys += QStringLiteral("z\b");
            submit(keys, word);
        }
        // Now and then a word that cannot be on the field ("Z" never falls).
        if (ms % 20000 == 10100)
            submit(QStringLiteral("qz"), QStringLiteral("QZ"));
    }

    QCOMPARE(clockTicks, 180);
    QCOMPARE(fallTicks, 900);
    QCOMPARE(spawnTicks, 112);
    QCOMPARE(random.seeds, 1);
    QCOMPARE(view.prompts.size(), 1);
    QCOMPARE(view.prompts[0].text, resultText(QString::number((2 * chars + 3) / 6), percentText(matches, submits)));
    QVERIFY(view.picture.isEmpty());
    QCOMPARE(view.typedTextBox(), QString());

    // The run was a real one: many words hit, and some left to fall out.
    int onField = 0;
    for (const WordSlot &slot : engine.wordSlots())
        onField += slot.isFree() ? 0 : 1;
    QVERIFY2(matches > 40, qPrintable(QString::number(matches)));
    QVERIFY2(matches + onField < spawnTicks, qPrintable(QString::number(matches + onField)));
}

QTEST_GUILESS_MAIN(TestEngineClock)
#include "tst_engine_clock.moc"
