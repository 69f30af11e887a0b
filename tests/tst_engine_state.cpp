// Load-time defaults, the timer group and the exercise commands: Start,
// Pause / Resume and suspension by a dialog.
#include "enginerig.h"

#include <QTest>

using namespace Qt::StringLiterals;

using namespace tarvo;
using namespace tarvo::fakes;

namespace {
const QStringList kAllOn = {"timer pictScroll on 200", "timer CreatWord on 1600", "timer GaTime on 1000"};
const QStringList kAllOff = {"timer pictScroll off 200", "timer CreatWord off 1600", "timer GaTime off 1000"};
} // namespace

class TestEngineState : public QObject {
    Q_OBJECT
private slots:
    void loadDefaultsStopEverythingAndShowTheStartingTexts();
    void startFromAnyStateBeginsAFreshExercise_data();
    void startFromAnyStateBeginsAFreshExercise();
    void commandsSwitchAllTimersFallFirstOrDoNothing_data();
    void commandsSwitchAllTimersFallFirstOrDoNothing();
    void pauseAndResumeSwitchCaptionLabelsAndTimersTogether();
    void resumingIsDecidedByTheMenuCaptionNotTheFlag();
    void pausedExerciseStaysPausedAcrossADialog();
    void onlyTheDialogThatStoppedTheExerciseResumesIt();
    void speedLevelSetsFallAndSpawnPeriods_data();
    void speedLevelSetsFallAndSpawnPeriods();
    void fullDurationTextFollowsTheMinutes_data();
    void fullDurationTextFollowsTheMinutes();
    void chosenSettingsApplyAtOnceAndOnlyAnIdleCountdownShowsTheNewDuration_data();
    void chosenSettingsApplyAtOnceAndOnlyAnIdleCountdownShowsTheNewDuration();
};

void TestEngineState::loadDefaultsStopEverythingAndShowTheStartingTexts()
{
    EngineRig rig;
    const PracticeEngine &e = rig.engine;
    QCOMPARE(rig.random.seeds, 1);
    QCOMPARE(rig.random.draws, 0);
    QCOMPARE(e.settings().speedLevel, 2);
    QCOMPARE(e.settings().practiceMinutes, 3);
    QCOMPARE(e.settings().isPaused, false);
    QCOMPARE(e.timer(TimerId::pictScroll), (ExerciseTimer{false, 200}));
    QCOMPARE(e.timer(TimerId::CreatWord), (ExerciseTimer{false, 1600}));
    QCOMPARE(e.timer(TimerId::GaTime), (ExerciseTimer{false, 0}));
    QCOMPARE(rig.view.timerState(TimerId::pictScroll), (ExerciseTimer{false, 200}));
    QCOMPARE(rig.view.timerState(TimerId::CreatWord), (ExerciseTimer{false, 1600}));
    QVERIFY(!e.isRunning());

    // The accuracy text is written before the speed text, the countdown after both.
    QCOMPARE(rig.view.logSince(0, {"text"}),
             QStringList({"text correctStatus=100% 正确率", "text speedStatus=0 字/分钟", "text timeDisplay=180"}));

    // Typing before the first Start has no effect at all.
    const qsizetype mark = rig.view.log.size();
    rig.type(u"ab \bcd ");
    QCOMPARE(e.typedText(), QString());
    QCOMPARE(e.counters(), Counters{});
    QCOMPARE(rig.view.logSince(mark), QStringList());
}

void TestEngineState::startFromAnyStateBeginsAFreshExercise_data()
{
    QTest::addColumn<QString>("state");
    for (const char *state : {"idle", "running", "paused", "suspended", "suspended then resumed", "ended"})
        QTest::newRow(state) << QString::fromLatin1(state);
}

void TestEngineState::startFromAnyStateBeginsAFreshExercise()
{
    QFETCH(QString, state);
    EngineRig rig;
    rig.bringTo(state);
    // Start leaves the status texts for the clock to refresh.
    rig.view.setLabelText(Label::speedStatus, QStringLiteral("491 字/分钟"));
    rig.view.setLabelText(Label::correctStatus, QStringLiteral("66.67% 正确率"));
    const int clears = rig.view.clearCount;
    const int focuses = rig.view.focusCount;
    const qsizetype mark = rig.view.log.size();

    rig.engine.mnuStart_Click();

    const PracticeEngine &e = rig.engine;
    QCOMPARE(e.timer(TimerId::pictScroll), (ExerciseTimer{true, 200}));
    QCOMPARE(e.timer(TimerId::CreatWord), (ExerciseTimer{true, 1600}));
    QCOMPARE(e.timer(TimerId::GaTime), (ExerciseTimer{true, 1000}));
    for (const TimerId id : {TimerId::pictScroll, TimerId::CreatWord, TimerId::GaTime})
        QCOMPARE(rig.view.timerState(id), e.timer(id));
    QCOMPARE(e.counters(), Counters{});
    QCOMPARE(rig.view.labelText(Label::timeDisplay), QStringLiteral("180"));
    QCOMPARE(e.typedText(), QString());
    QCOMPARE(rig.view.typedTextBox(), QString());
    QVERIFY(!rig.view.isLabelVisible(Label::lblPause));
    QVERIFY(rig.view.isLabelVisible(Label::speedStatus));
    QVERIFY(rig.view.isLabelVisible(Label::correctStatus));
    QCOMPARE(rig.view.pauseCaption(), kPauseCaption.toString());
    QCOMPARE(e.settings().isPaused, false);
    QCOMPARE(rig.slotTexts(), QStringList());
    QCOMPARE(rig.view.clearCount, clears + 1);
    QVERIFY(rig.view.picture.isEmpty());
    QCOMPARE(rig.view.focusCount, focuses + 1);
    QCOMPARE(rig.view.labelText(Label::speedStatus), QStringLiteral("491 字/分钟"));
    QCOMPARE(rig.view.labelText(Label::correctStatus), QStringLiteral("66.67% 正确率"));

    // The play field is cleared, then focused, and the clock period is
    // assigned last, even when it already was 1000, restarting its second.
    const QStringList log = rig.view.logSince(mark);
    QVERIFY2(log.size() >= 3, qPrintable(log.join(u'|')));
    QCOMPARE(log.mid(log.size() - 3), QStringList({"clear", "focus", "timer GaTime on 1000"}));

    rig.type(u"q");
    QCOMPARE(e.typedText(), QStringLiteral("Q"));
    rig.ticks(1);
    QCOMPARE(rig.view.labelText(Label::timeDisplay), QStringLiteral("179"));
}

void TestEngineState::commandsSwitchAllTimersFallFirstOrDoNothing_data()
{
    QTest::addColumn<QString>("state");
    QTest::addColumn<QString>("command");
    QTest::addColumn<QStringList>("timers"); // the timer reports; none means no call at all
    QTest::addColumn<bool>("flag");          // the dialog's suspension flag afterwards
    const QStringList period = {"timer GaTime on 1000"};
    QTest::newRow("first start") << u"idle"_s << u"start"_s
                                 << QStringList({"timer pictScroll on 200", "timer CreatWord on 1600",
                                                 "timer GaTime on 0", "timer GaTime on 1000"})
                                 << false;
    QTest::newRow("restart") << u"running"_s << u"start"_s << period << false;
    QTest::newRow("start while paused") << u"paused"_s << u"start"_s << kAllOn + period << false;
    QTest::newRow("start while suspended keeps the flag") << u"suspended"_s << u"start"_s << kAllOn + period << true;
    QTest::newRow("start after the end") << u"ended"_s << u"start"_s << kAllOn + period << false;
    QTest::newRow("pause") << u"running"_s << u"pause"_s << kAllOff << false;
    QTest::newRow("resume") << u"paused"_s << u"pause"_s << kAllOn << false;
    QTest::newRow("pause before the first start") << u"idle"_s << u"pause"_s << QStringList() << false;
    QTest::newRow("pause after the end") << u"ended"_s << u"pause"_s << QStringList() << false;
    QTest::newRow("pause while suspended") << u"suspended"_s << u"pause"_s << QStringList() << true;
    QTest::newRow("dialog opens while running") << u"running"_s << u"open"_s << kAllOff << true;
    QTest::newRow("dialog activated again") << u"suspended"_s << u"open"_s << QStringList() << true;
    QTest::newRow("dialog opens while paused") << u"paused"_s << u"open"_s << QStringList() << false;
    QTest::newRow("dialog opens before the first start") << u"idle"_s << u"open"_s << QStringList() << false;
    QTest::newRow("dialog opens after the end") << u"ended"_s << u"open"_s << QStringList() << false;
    QTest::newRow("dialog closes") << u"suspended"_s << u"close"_s << kAllOn << false;
    QTest::newRow("dialog closes while paused") << u"paused"_s << u"close"_s << QStringList() << false;
}

void TestEngineState::commandsSwitchAllTimersFallFirstOrDoNothing()
{
    QFETCH(QString, state);
    QFETCH(QString, command);
    QFETCH(QStringList, timers);
    QFETCH(bool, flag);
    EngineRig rig;
    rig.bringTo(state);
    const qsizetype mark = rig.view.log.size();
    if (command == u"start")
        rig.engine.mnuStart_Click();
    else if (command == u"pause")
        rig.engine.mnuPause_Click();
    else if (command == u"open")
        rig.engine.SuspendForDialog(rig.dialogFlag);
    else
        rig.engine.ResumeAfterDialog(rig.dialogFlag);
    QCOMPARE(rig.view.logSince(mark, {"timer"}), timers);
    if (timers.isEmpty())
        QCOMPARE(rig.view.logSince(mark), QStringList());
    QCOMPARE(rig.dialogFlag, flag);
}

void TestEngineState::pauseAndResumeSwitchCaptionLabelsAndTimersTogether()
{
    EngineRig rig;
    rig.bringTo(u"running");
    const Counters before = rig.engine.counters();
    qsizetype mark = rig.view.log.size();

    rig.engine.mnuPause_Click();
    QVERIFY(rig.allTimers(false));
    QCOMPARE(rig.view.pauseCaption(), kResumeCaption.toString());
    QVERIFY(rig.view.isLabelVisible(Label::lblPause));
    QVERIFY(!rig.view.isLabelVisible(Label::speedStatus));
    QVERIFY(!rig.view.isLabelVisible(Label::correctStatus));
    QVERIFY(rig.engine.settings().isPaused);
    QCOMPARE(rig.view.logSince(mark, {"show", "hide"}),
             QStringList({"show lblPause", "hide correctStatus", "hide speedStatus"}));

    mark = rig.view.log.size();
    rig.engine.mnuPause_Click();
    QVERIFY(rig.allTimers(true));
    QCOMPARE(rig.view.pauseCaption(), kPauseCaption.toString());
    QVERIFY(!rig.view.isLabelVisible(Label::lblPause));
    QVERIFY(rig.view.isLabelVisible(Label::speedStatus));
    QVERIFY(rig.view.isLabelVisible(Label::correctStatus));
    QVERIFY(!rig.engine.settings().isPaused);
    QCOMPARE(rig.view.logSince(mark, {"show", "hide"}),
             QStringList({"hide lblPause", "show speedStatus", "show correctStatus"}));

    // The exercise goes on where it stopped.
    QCOMPARE(rig.engine.counters(), before);
    QCOMPARE(rig.engine.typedText(), QStringLiteral("Q"));
    QCOMPARE(rig.slotTexts(), QStringList({"", "CD", "", "EF"}));
    rig.ticks(1);
    QCOMPARE(rig.view.labelText(Label::timeDisplay), QStringLiteral("176"));
}

void TestEngineState::resumingIsDecidedByTheMenuCaptionNotTheFlag()
{
    EngineRig rig;
    rig.engine.settings().isPaused = true; // the flag alone: nothing to resume
    rig.engine.mnuPause_Click();
    QVERIFY(rig.allTimers(false));

    rig.engine.settings().isPaused = false;
    rig.view.setPauseCaption(kResumeCaption.toString()); // the caption alone: resumes
    rig.engine.mnuPause_Click();
    QVERIFY(rig.allTimers(true));
    QCOMPARE(rig.view.pauseCaption(), kPauseCaption.toString());
}

void TestEngineState::pausedExerciseStaysPausedAcrossADialog()
{
    EngineRig rig;
    rig.bringTo(u"paused");
    bool flag = false;
    rig.engine.SuspendForDialog(flag);
    rig.engine.ResumeAfterDialog(flag);
    QVERIFY(rig.allTimers(false));
    QVERIFY(rig.engine.settings().isPaused);
    QCOMPARE(rig.view.pauseCaption(), kResumeCaption.toString());
    QVERIFY(rig.view.isLabelVisible(Label::lblPause));
    rig.engine.mnuPause_Click();
    QVERIFY(rig.allTimers(true));
}

void TestEngineState::onlyTheDialogThatStoppedTheExerciseResumesIt()
{
    EngineRig rig;
    rig.bringTo(u"running");
    const Counters before = rig.engine.counters();
    bool settingsFlag = false;
    bool aboutFlag = false;
    rig.engine.SuspendForDialog(settingsFlag);
    rig.engine.SuspendForDialog(aboutFlag); // finds it stopped already
    QVERIFY(settingsFlag);
    QVERIFY(!aboutFlag);
    rig.engine.ResumeAfterDialog(aboutFlag);
    QVERIFY(rig.allTimers(false));
    rig.engine.ResumeAfterDialog(settingsFlag);
    QVERIFY(rig.allTimers(true));
    QVERIFY(!settingsFlag);

    // Countdown and windows simply continue.
    QCOMPARE(rig.engine.counters(), before);
    rig.ticks(1);
    QCOMPARE(rig.view.labelText(Label::timeDisplay), QStringLiteral("176"));

    // A flag left set (its dialog was closed without OK or Cancel) stays set.
    bool leftSet = true;
    rig.engine.SuspendForDialog(leftSet);
    QVERIFY(leftSet);
    QVERIFY(rig.allTimers(false));
}

void TestEngineState::speedLevelSetsFallAndSpawnPeriods_data()
{
    QTest::addColumn<int>("level");
    QTest::addColumn<int>("fall");
    QTest::addColumn<int>("spawn");
    QTest::newRow("fast") << 1 << 100 << 800;
    QTest::newRow("medium") << 2 << 200 << 1600;
    QTest::newRow("slow") << 3 << 300 << 2400;
}

void TestEngineState::speedLevelSetsFallAndSpawnPeriods()
{
    QFETCH(int, level);
    QFETCH(int, fall);
    QFETCH(int, spawn);
    EngineRig rig;
    rig.start();
    rig.engine.settings().speedLevel = qint16(level);
    const qsizetype mark = rig.view.log.size();
    rig.engine.ApplySpeedLevel();
    QCOMPARE(rig.engine.timer(TimerId::pictScroll), (ExerciseTimer{true, fall}));
    QCOMPARE(rig.engine.timer(TimerId::CreatWord), (ExerciseTimer{true, spawn}));
    QCOMPARE(rig.engine.timer(TimerId::GaTime), (ExerciseTimer{true, 1000}));
    QCOMPARE(rig.view.logSince(mark, {"timer"}), QStringList({QStringLiteral("timer pictScroll on %1").arg(fall),
                                                              QStringLiteral("timer CreatWord on %1").arg(spawn)}));
}

void TestEngineState::fullDurationTextFollowsTheMinutes_data()
{
    QTest::addColumn<int>("minutes");
    QTest::addColumn<QString>("expected");
    QTest::newRow("3 minutes") << 3 << u"180"_s;
    QTest::newRow("6 minutes") << 6 << u"360"_s;
    QTest::newRow("9 minutes") << 9 << u"540"_s;
}

void TestEngineState::fullDurationTextFollowsTheMinutes()
{
    QFETCH(int, minutes);
    QFETCH(QString, expected);
    EngineRig rig;
    rig.engine.settings().practiceMinutes = qint16(minutes);
    QCOMPARE(rig.engine.FullDurationText(), expected);
    QCOMPARE(rig.view.labelText(Label::timeDisplay), QStringLiteral("180")); // not written by itself
    rig.engine.mnuStart_Click();
    QCOMPARE(rig.view.labelText(Label::timeDisplay), expected);
    QCOMPARE(rig.engine.exerciseMinutes(), minutes);
}

void TestEngineState::chosenSettingsApplyAtOnceAndOnlyAnIdleCountdownShowsTheNewDuration_data()
{
    QTest::addColumn<QString>("state");
    QTest::addColumn<int>("minutes");
    QTest::addColumn<int>("level");
    QTest::addColumn<QString>("countdown"); // afterwards
    QTest::addColumn<bool>("running");      // afterwards
    QTest::addColumn<QStringList>("log");   // timers and the countdown, in order
    // Idle: the new full duration shows; nothing starts.
    QTest::newRow("idle, 9 minutes fast")
        << u"idle"_s << 9 << 1 << u"540"_s << false
        << QStringList{"timer pictScroll off 100", "timer CreatWord off 800", "text timeDisplay=540"};
    QTest::newRow("idle, 6 minutes slow")
        << u"idle"_s << 6 << 3 << u"360"_s << false
        << QStringList{"timer pictScroll off 300", "timer CreatWord off 2400", "text timeDisplay=360"};
    // An exercise the dialog suspended goes on at the new speed with its
    // remaining time.
    QTest::newRow("suspended, 9 minutes fast")
        << u"suspended"_s << 9 << 1 << u"177"_s << true
        << QStringList{"timer pictScroll off 100", "timer CreatWord off 800", "timer pictScroll on 100",
                       "timer CreatWord on 800", "timer GaTime on 1000"};
    // A paused exercise stays paused with its remaining time.
    QTest::newRow("paused, 3 minutes slow") << u"paused"_s << 3 << 3 << u"177"_s << false
                                            << QStringList{"timer pictScroll off 300", "timer CreatWord off 2400"};
    // After the end the countdown reads 000 until the new duration shows.
    QTest::newRow("ended, 6 minutes medium")
        << u"ended"_s << 6 << 2 << u"360"_s << false
        << QStringList{"timer pictScroll off 200", "timer CreatWord off 1600", "text timeDisplay=360"};
}

void TestEngineState::chosenSettingsApplyAtOnceAndOnlyAnIdleCountdownShowsTheNewDuration()
{
    QFETCH(QString, state);
    QFETCH(int, minutes);
    QFETCH(int, level);
    QFETCH(QString, countdown);
    QFETCH(bool, running);
    QFETCH(QStringList, log);
    EngineRig rig;
    rig.bringTo(state);
    const bool wasPaused = rig.engine.settings().isPaused;
    const qsizetype mark = rig.view.log.size();

    rig.engine.ApplyChosenSettings(qint16(minutes), qint16(level), rig.dialogFlag);

    QCOMPARE(rig.view.logSince(mark, {"timer", "text"}), log);
    QCOMPARE(rig.engine.settings().practiceMinutes, qint16(minutes));
    QCOMPARE(rig.engine.settings().speedLevel, qint16(level));
    QCOMPARE(rig.engine.settings().isPaused, wasPaused);
    QCOMPARE(rig.view.labelText(Label::timeDisplay), countdown);
    QCOMPARE(rig.engine.isRunning(), running);
    QVERIFY(!rig.dialogFlag);
}

QTEST_GUILESS_MAIN(TestEngineState)
#include "tst_engine_state.moc"
