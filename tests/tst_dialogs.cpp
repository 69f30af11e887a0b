#include "frmabout.h"
#include "insight.h"
#include "kavix.h"
#include "setform.h"
#include "twips.h"
#include "windowrig.h"

#include "tarvoconfig.h"

#include <QAbstractButton>
#include <QAccessible>
#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QElapsedTimer>
#include <QGroupBox>
#include <QLabel>
#include <QMenu>
#include <QMessageBox>
#include <QPointer>
#include <QTest>
#include <QTimer>
#include <QUrl>
#include <QWindow>

#include <functional>

using namespace Qt::StringLiterals;

using namespace tarvo;
using namespace tarvo::rig;

enum class Phase { idle, running, paused };
enum class Dismiss { ok, cancel, closeBox, escape };
Q_DECLARE_METATYPE(Phase)
Q_DECLARE_METATYPE(Dismiss)

namespace {

void typeLetters(PracticeEngine &engine, int count)
{
    while (count-- > 0)
        engine.GamePict_KeyPress('a');
}

// Idle as loaded, or an exercise two seconds in ("178"), running or paused.
void enterPhase(Kavix &w, Phase phase)
{
    if (phase == Phase::idle)
        return;
    menuItem(w, "mnuStart")->trigger();
    w.engine().GaTime_Timer();
    w.engine().GaTime_Timer();
    if (phase == Phase::paused)
        menuItem(w, "mnuPause")->trigger();
}

// What held while a modal dialog was up.
struct Seen {
    QPointer<QDialog> dialog;
    QString name;
    QString spokenName; // what a screen reader names it
    bool running = true;
    bool suspended = false;
    int activeTimers = 3;
    bool leftOpen = false; // the test failed to dismiss it
};

// Runs `open`, which blocks in a modal dialog, and `drive` on that dialog
// from inside its event loop.
Seen whileModal(Kavix &w, const std::function<void()> &open, const std::function<void(QDialog &)> &drive)
{
    Seen seen;
    auto forceClose = [&seen] {
        if (auto *dialog = qobject_cast<QDialog *>(QApplication::activeModalWidget())) {
            seen.leftOpen = true;
            dialog->done(QDialog::Rejected);
        }
    };
    QTimer::singleShot(0, &w, [&] {
        seen.dialog = qobject_cast<QDialog *>(QApplication::activeModalWidget());
        if (!seen.dialog)
            return;
        seen.name = seen.dialog->objectName();
        seen.running = w.engine().isRunning();
        if (seen.name == u"setForm")
            seen.suspended = w.settingsDialog()->suspendedTimers();
        else if (seen.name == u"frmAbout")
            seen.suspended = w.aboutBox()->suspendedTimers();
        seen.activeTimers = activeTimers(w);
        seen.spokenName = QAccessible::queryAccessibleInterface(seen.dialog)->text(QAccessible::Name);
        drive(*seen.dialog);
        if (seen.dialog && seen.dialog->isVisible())
            forceClose();
    });
    QTimer watchdog;
    watchdog.callOnTimeout(forceClose);
    watchdog.start(10000);
    open();
    return seen;
}

Seen openFromMenu(Kavix &w, const QString &item, const std::function<void(QDialog &)> &drive)
{
    return whileModal(
        w, [&] { menuItem(w, qPrintable(item))->trigger(); }, drive);
}

void clickButton(QDialog &dialog, const QString &name)
{
    auto *button = dialog.findChild<QAbstractButton *>(name);
    QVERIFY2(button, qPrintable(name));
    button->click();
}

void choose(QDialog &dialog, int timeIndex, int speedIndex)
{
    clickButton(dialog, QStringLiteral("GaTime(%1)").arg(timeIndex));
    clickButton(dialog, QStringLiteral("GaSpeed(%1)").arg(speedIndex));
}

void dismiss(QDialog &dialog, Dismiss how)
{
    switch (how) {
    case Dismiss::ok:
        return clickButton(dialog, dialog.objectName() == u"setForm" ? u"setSpeedOK"_s : u"Command1"_s);
    case Dismiss::cancel:
        return clickButton(dialog, u"setSpeedCancel"_s);
    case Dismiss::closeBox:
        dialog.close();
        return;
    case Dismiss::escape:
        QTest::keyClick(&dialog, Qt::Key_Escape);
        return;
    }
}

QStringList checkedOptions(const QDialog &dialog)
{
    QStringList names;
    for (const QAbstractButton *b : dialog.findChildren<QAbstractButton *>())
        if (b->isCheckable() && b->isChecked())
            names.append(b->objectName());
    names.sort();
    return names;
}

} // namespace

class TestDialogs : public QObject {
    Q_OBJECT
private slots:
    void aDialogIsKeptThereToBeAnswered_data();
    void aDialogIsKeptThereToBeAnswered();
    void okWhileIdleSetsFullCountdownAndPeriods_data();
    void okWhileIdleSetsFullCountdownAndPeriods();
    void dialogSuspendsOnlyARunningExerciseAndEveryDismissalResumesIt_data();
    void dialogSuspendsOnlyARunningExerciseAndEveryDismissalResumesIt();
    void okDuringAnExerciseKeepsItsTimeAndItsResultUsesTheStartedDuration();
    void cancelledChoiceIsShownAgainAndALaterOkAppliesIt_data();
    void cancelledChoiceIsShownAgainAndALaterOkAppliesIt();
    void aboutBoxLoadsAFreshWindowAtEveryOpening();
    void emailLinkOpensTheMailAddressOnALeftClickOnly_data();
    void emailLinkOpensTheMailAddressOnALeftClickOnly();
    void controlsCarryTheirCaptionsValuesAndPlaces_data();
    void controlsCarryTheirCaptionsValuesAndPlaces();
    void eachOptionGroupIsExclusiveWithinItsFrame_data();
    void eachOptionGroupIsExclusiveWithinItsFrame();
    void dialogsAreFixedModalAndFocusTheirFirstButton_data();
    void dialogsAreFixedModalAndFocusTheirFirstButton();
};

void TestDialogs::okWhileIdleSetsFullCountdownAndPeriods_data()
{
    QTest::addColumn<int>("timeIndex");
    QTest::addColumn<int>("speedIndex");
    QTest::addColumn<QString>("time");
    QTest::addColumn<int>("fall");
    QTest::addColumn<int>("spawn");
    QTest::newRow("3 minutes slow") << 0 << 0 << u"180"_s << 300 << 2400;
    QTest::newRow("3 minutes medium") << 0 << 1 << u"180"_s << 200 << 1600;
    QTest::newRow("3 minutes fast") << 0 << 2 << u"180"_s << 100 << 800;
    QTest::newRow("6 minutes slow") << 1 << 0 << u"360"_s << 300 << 2400;
    QTest::newRow("6 minutes medium") << 1 << 1 << u"360"_s << 200 << 1600;
    QTest::newRow("6 minutes fast") << 1 << 2 << u"360"_s << 100 << 800;
    QTest::newRow("9 minutes slow") << 2 << 0 << u"540"_s << 300 << 2400;
    QTest::newRow("9 minutes medium") << 2 << 1 << u"540"_s << 200 << 1600;
    QTest::newRow("9 minutes fast") << 2 << 2 << u"540"_s << 100 << 800;
}

void TestDialogs::okWhileIdleSetsFullCountdownAndPeriods()
{
    QFETCH(int, timeIndex);
    QFETCH(int, speedIndex);
    QFETCH(QString, time);
    QFETCH(int, fall);
    QFETCH(int, spawn);
    Kavix w;
    w.show();
    const Seen seen = openFromMenu(w, u"mnuSpeed"_s, [&](QDialog &d) {
        choose(d, timeIndex, speedIndex);
        clickButton(d, u"setSpeedOK"_s);
    });
    QCOMPARE(seen.name, u"setForm"_s);
    QVERIFY(!seen.leftOpen);
    QVERIFY(!seen.suspended);
    QCOMPARE(countdown(w), time);
    QCOMPARE(w.engine().FullDurationText(), time);
    QCOMPARE(w.engine().timer(TimerId::pictScroll).period, fall);
    QCOMPARE(w.engine().timer(TimerId::CreatWord).period, spawn);
    QCOMPARE(exerciseTimer(w, "pictScroll")->interval(), fall);
    QCOMPARE(exerciseTimer(w, "CreatWord")->interval(), spawn);
    // Applying settings starts nothing.
    QVERIFY(!w.engine().isRunning());
    QCOMPARE(activeTimers(w), 0);
}

void TestDialogs::dialogSuspendsOnlyARunningExerciseAndEveryDismissalResumesIt_data()
{
    QTest::addColumn<QString>("item");
    QTest::addColumn<Dismiss>("how");
    QTest::addColumn<Phase>("phase");
    QTest::addColumn<QString>("time");
    QTest::addColumn<int>("fall"); // settings rows choose 6 minutes, slow
    const struct {
        const char *item, *name;
        Dismiss how;
        const char *idleTime;
        int fall;
    } ways[] = {{"mnuSpeed", "settings OK", Dismiss::ok, "360", 300},
                {"mnuSpeed", "settings Cancel", Dismiss::cancel, "180", 200},
                {"mnuSpeed", "settings close box", Dismiss::closeBox, "180", 200},
                {"mnuSpeed", "settings Escape", Dismiss::escape, "180", 200},
                {"mnuAbout", "About OK", Dismiss::ok, "180", 200},
                {"mnuAbout", "About close box", Dismiss::closeBox, "180", 200},
                {"mnuAbout", "About Escape", Dismiss::escape, "180", 200}};
    for (const auto &way : ways) {
        QTest::addRow("%s while idle", way.name) << way.item << way.how << Phase::idle << way.idleTime << way.fall;
        QTest::addRow("%s while running", way.name) << way.item << way.how << Phase::running << u"178"_s << way.fall;
        QTest::addRow("%s while paused", way.name) << way.item << way.how << Phase::paused << u"178"_s << way.fall;
    }
}

void TestDialogs::dialogSuspendsOnlyARunningExerciseAndEveryDismissalResumesIt()
{
    QFETCH(QString, item);
    QFETCH(Dismiss, how);
    QFETCH(Phase, phase);
    QFETCH(QString, time);
    QFETCH(int, fall);
    const bool settings = item == u"mnuSpeed";
    Kavix w;
    w.show();
    enterPhase(w, phase);
    const Seen seen = openFromMenu(w, item, [&](QDialog &d) {
        if (settings)
            choose(d, 1, 0);
        dismiss(d, how);
    });
    QCOMPARE(seen.name, settings ? u"setForm"_s : u"frmAbout"_s);
    QVERIFY(!seen.leftOpen);
    QVERIFY(!seen.running);
    QCOMPARE(seen.activeTimers, 0);
    // A paused exercise is not the dialog's to resume.
    QCOMPARE(seen.suspended, phase == Phase::running);
    const QString title = settings ? u"高级设置"_s : u"关于 Tarvo"_s;
    QCOMPARE(seen.spokenName, phase == Phase::running ? title + u"，练习已暂停，关闭后继续"_s : title);

    if (settings) {
        QVERIFY(seen.dialog && !seen.dialog->isVisible()); // hidden, kept
        QVERIFY(!w.settingsDialog()->suspendedTimers());
    } else {
        QVERIFY(seen.dialog.isNull()); // unloaded
        QVERIFY(!w.aboutBox()->window());
        QVERIFY(!w.aboutBox()->suspendedTimers());
    }
    QCOMPARE(w.engine().isRunning(), phase == Phase::running);
    QCOMPARE(activeTimers(w), phase == Phase::running ? 3 : 0);
    QCOMPARE(countdown(w), time);
    QCOMPARE(w.engine().timer(TimerId::pictScroll).period, fall);
    QCOMPARE(exerciseTimer(w, "pictScroll")->interval(), fall);
    QCOMPARE(exerciseTimer(w, "CreatWord")->interval(), fall * 8);
    QCOMPARE(w.engine().settings().isPaused, phase == Phase::paused);
    emit w.findChild<QMenu *>(u"mnuGame"_s)->aboutToShow();
    QCOMPARE(menuItem(w, "mnuPause")->text(), phase == Phase::paused ? u"继续练习(&P)"_s : u"暂停练习(&P)"_s);
    QCOMPARE(w.findChild<QLabel *>(u"lblPause"_s)->isVisible(), phase == Phase::paused);
}

void TestDialogs::okDuringAnExerciseKeepsItsTimeAndItsResultUsesTheStartedDuration()
{
    Kavix w;
    w.show();
    PracticeEngine &engine = w.engine();
    menuItem(w, "mnuStart")->trigger();
    typeLetters(engine, 30);
    for (int i = 0; i < 3; ++i)
        engine.GaTime_Timer();
    QCOMPARE(countdown(w), u"177"_s);

    const Seen seen = openFromMenu(w, u"mnuSpeed"_s, [](QDialog &d) {
        choose(d, 2, 2); // 9 minutes, fast
        clickButton(d, u"setSpeedOK"_s);
    });
    QVERIFY(!seen.leftOpen && !seen.running && seen.suspended);
    QVERIFY(engine.isRunning());
    QCOMPARE(activeTimers(w), 3);
    QVERIFY(!w.settingsDialog()->suspendedTimers());
    QCOMPARE(countdown(w), u"177"_s);
    QCOMPARE(exerciseTimer(w, "pictScroll")->interval(), 100);
    QCOMPARE(exerciseTimer(w, "CreatWord")->interval(), 800);
    QCOMPARE(exerciseTimer(w, "GaTime")->interval(), 1000);
    QCOMPARE(engine.settings().practiceMinutes, 9);
    QCOMPARE(engine.exerciseMinutes(), 3);

    // 90 characters over the 3 minutes the exercise was started with.
    typeLetters(engine, 60);
    for (int i = 0; i < 176; ++i)
        engine.GaTime_Timer();
    QCOMPARE(countdown(w), u"001"_s);
    QString result;
    const Seen end = whileModal(
        w, [&] { engine.GaTime_Timer(); },
        [&](QDialog &d) {
            if (auto *box = qobject_cast<QMessageBox *>(&d)) {
                result = box->text();
                box->button(QMessageBox::No)->click();
            }
        });
    QCOMPARE(end.name, u"resultPrompt"_s);
    QVERIFY(!end.leftOpen);
    QCOMPARE(result.section(u'\n', 0, 0), u"    速  度: 30 字/分钟"_s);
    QVERIFY(!engine.isRunning());
    QCOMPARE(countdown(w), u"000"_s);
}

void TestDialogs::cancelledChoiceIsShownAgainAndALaterOkAppliesIt_data()
{
    QTest::addColumn<Dismiss>("how");
    QTest::newRow("Cancel") << Dismiss::cancel;
    QTest::newRow("close box") << Dismiss::closeBox;
    QTest::newRow("Escape") << Dismiss::escape;
}

void TestDialogs::cancelledChoiceIsShownAgainAndALaterOkAppliesIt()
{
    QFETCH(Dismiss, how);
    Kavix w;
    w.show();
    const Seen first = openFromMenu(w, u"mnuSpeed"_s, [&](QDialog &d) {
        choose(d, 2, 0); // 9 minutes, slow
        dismiss(d, how);
    });
    QVERIFY(!first.leftOpen);
    QCOMPARE(countdown(w), u"180"_s);
    QCOMPARE(w.engine().timer(TimerId::pictScroll).period, 200);

    QStringList shownAgain;
    const Seen second = openFromMenu(w, u"mnuSpeed"_s, [&](QDialog &d) {
        shownAgain = checkedOptions(d);
        clickButton(d, u"setSpeedOK"_s);
    });
    QVERIFY(!second.leftOpen);
    QVERIFY(first.dialog);
    QVERIFY(second.dialog == first.dialog);
    QVERIFY(second.dialog == w.settingsDialog());
    QCOMPARE(shownAgain, QStringList({u"GaSpeed(0)"_s, u"GaTime(2)"_s}));
    QCOMPARE(countdown(w), u"540"_s);
    QCOMPARE(w.engine().timer(TimerId::pictScroll).period, 300);
    QCOMPARE(w.engine().timer(TimerId::CreatWord).period, 2400);
}

void TestDialogs::aboutBoxLoadsAFreshWindowAtEveryOpening()
{
    Kavix w;
    w.show();
    menuItem(w, "mnuStart")->trigger();
    QPointer<FrmAbout> box;
    const Seen first = openFromMenu(w, u"mnuAbout"_s, [&](QDialog &d) {
        box = w.aboutBox();
        d.setProperty("seenBefore", true);
        clickButton(d, u"Command1"_s);
    });
    QVERIFY(!first.leftOpen);
    QVERIFY(first.dialog.isNull());
    QVERIFY(box);

    bool fresh = false;
    const Seen second = openFromMenu(w, u"mnuAbout"_s, [&](QDialog &d) {
        fresh = !d.property("seenBefore").isValid() && d.findChild<QAbstractButton *>(u"Command1"_s);
        clickButton(d, u"Command1"_s);
    });
    QCOMPARE(second.name, u"frmAbout"_s);
    QVERIFY(!second.leftOpen);
    QVERIFY(fresh);
    QVERIFY(second.dialog.isNull());
    QVERIFY(second.suspended); // the living object suspends again
    QVERIFY(w.aboutBox() == box);
    QVERIFY(w.engine().isRunning());
}

void TestDialogs::emailLinkOpensTheMailAddressOnALeftClickOnly_data()
{
    QTest::addColumn<Qt::MouseButton>("button");
    QTest::addColumn<bool>("opens");
    QTest::newRow("left button") << Qt::LeftButton << true;
    QTest::newRow("right button") << Qt::RightButton << false;
    QTest::newRow("middle button") << Qt::MiddleButton << false;
}

void TestDialogs::emailLinkOpensTheMailAddressOnALeftClickOnly()
{
    QFETCH(Qt::MouseButton, button);
    QFETCH(bool, opens);
    Kavix w;
    w.show();
    UrlCatcher catcher({u"mailto"_s});
    QString text;
    Qt::CursorShape cursor = Qt::ArrowCursor;
    const Seen seen = openFromMenu(w, u"mnuAbout"_s, [&](QDialog &d) {
        auto *label7 = d.findChild<QLabel *>(u"Label7"_s);
        QVERIFY(label7);
        text = label7->text();
        cursor = label7->cursor().shape();
        QTest::mouseClick(label7, button);
        clickButton(d, u"Command1"_s);
    });
    QVERIFY(!seen.leftOpen);
    QCOMPARE(text, QStringLiteral(TARVO_AUTHOR_EMAIL));
    QCOMPARE(cursor, Qt::PointingHandCursor);
    QCOMPARE(catcher.urls.size(), opens ? 1 : 0);
    if (opens)
        QCOMPARE(catcher.urls.first().toString(), u"mailto:"_s + QStringLiteral(TARVO_AUTHOR_EMAIL));
}

void TestDialogs::controlsCarryTheirCaptionsValuesAndPlaces_data()
{
    QTest::addColumn<QString>("item");
    QTest::addColumn<QString>("parent");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QString>("tag");
    QTest::addColumn<QRectF>("twips");
    const QString set = u"mnuSpeed"_s;
    const QString about = u"mnuAbout"_s;
    QTest::newRow("Frame1") << set << u"setForm"_s << u"练习时间"_s << u""_s << QRectF(173, 240, 1995, 2235);
    QTest::newRow("GaTime(0)") << set << u"Frame1"_s << u"3 分钟"_s << u"3"_s << QRectF(420, 600, 1155, 255);
    QTest::newRow("GaTime(1)") << set << u"Frame1"_s << u"6 分钟"_s << u"6"_s << QRectF(420, 1080, 1035, 195);
    QTest::newRow("GaTime(2)") << set << u"Frame1"_s << u"9 分钟"_s << u"9"_s << QRectF(420, 1440, 1035, 255);
    QTest::newRow("Frame2") << set << u"setForm"_s << u"练习速度"_s << u""_s << QRectF(2513, 240, 1995, 2235);
    QTest::newRow("GaSpeed(0)") << set << u"Frame2"_s << u"低 速"_s << u"3"_s << QRectF(420, 660, 1035, 195);
    QTest::newRow("GaSpeed(1)") << set << u"Frame2"_s << u"中 速"_s << u"2"_s << QRectF(420, 1080, 1215, 195);
    QTest::newRow("GaSpeed(2)") << set << u"Frame2"_s << u"高 速"_s << u"1"_s << QRectF(420, 1500, 1155, 195);
    QTest::newRow("setSpeedOK") << set << u"setForm"_s << u"确定"_s << u""_s << QRectF(2280, 2700, 1035, 315);
    QTest::newRow("setSpeedCancel") << set << u"setForm"_s << u"取消"_s << u""_s << QRectF(3480, 2700, 1035, 315);
    QTest::newRow("Label1") << about << u"frmAbout"_s << u"Tarvo"_s << u""_s << QRectF(1080, 240, 1320, 315);
    QTest::newRow("Label3") << about << u"frmAbout"_s << u"作  者:"_s << u""_s << QRectF(960, 870, 660, 195);
    QTest::newRow("Label6") << about << u"frmAbout"_s << TARVO_AUTHOR_NAME << u""_s << QRectF(1800, 870, 810, 195);
    QTest::newRow("Label5") << about << u"frmAbout"_s << u"E-mail:"_s << u""_s << QRectF(615, 1230, 660, 195);
    QTest::newRow("Label7") << about << u"frmAbout"_s << TARVO_AUTHOR_EMAIL << u""_s << QRectF(1290, 1230, 1680, 195);
    QTest::newRow("Command1") << about << u"frmAbout"_s << u"确定"_s << u""_s << QRectF(1200, 1680, 1035, 315);
    QTest::newRow("Image1") << about << u"frmAbout"_s << u""_s << u""_s << QRectF(120, 120, 480, 480);
}

void TestDialogs::controlsCarryTheirCaptionsValuesAndPlaces()
{
    QFETCH(QString, item);
    QFETCH(QString, parent);
    QFETCH(QString, caption);
    QFETCH(QString, tag);
    QFETCH(QRectF, twips);
    const QString name = QString::fromUtf8(QTest::currentDataTag());
    Kavix w;
    w.show();
    QString shownParent, shownCaption, shownTag;
    QRectF shownTwips;
    const Seen seen = openFromMenu(w, item, [&](QDialog &d) {
        if (QWidget *c = d.findChild<QWidget *>(name)) {
            shownParent = c->parentWidget()->objectName();
            if (auto *b = qobject_cast<QAbstractButton *>(c))
                shownCaption = b->text();
            else if (auto *g = qobject_cast<QGroupBox *>(c))
                shownCaption = g->title();
            else if (auto *l = qobject_cast<QLabel *>(c))
                shownCaption = l->text();
            shownTag = c->property("Tag").toString();
            shownTwips = twipsGeometry(c);
        }
        d.close();
    });
    QVERIFY(!seen.leftOpen);
    QCOMPARE(shownParent, parent);
    QCOMPARE(shownCaption, caption);
    QCOMPARE(shownTag, tag);
    QCOMPARE(shownTwips, twips);
}

void TestDialogs::eachOptionGroupIsExclusiveWithinItsFrame_data()
{
    QTest::addColumn<QString>("clicked");
    QTest::addColumn<QStringList>("checked");
    QTest::newRow("as created") << u""_s << QStringList{"GaSpeed(1)", "GaTime(0)"};
    QTest::newRow("GaTime(0) again") << u"GaTime(0)"_s << QStringList{"GaSpeed(1)", "GaTime(0)"};
    QTest::newRow("GaTime(1)") << u"GaTime(1)"_s << QStringList{"GaSpeed(1)", "GaTime(1)"};
    QTest::newRow("GaTime(2)") << u"GaTime(2)"_s << QStringList{"GaSpeed(1)", "GaTime(2)"};
    QTest::newRow("GaSpeed(0)") << u"GaSpeed(0)"_s << QStringList{"GaSpeed(0)", "GaTime(0)"};
    QTest::newRow("GaSpeed(1) again") << u"GaSpeed(1)"_s << QStringList{"GaSpeed(1)", "GaTime(0)"};
    QTest::newRow("GaSpeed(2)") << u"GaSpeed(2)"_s << QStringList{"GaSpeed(2)", "GaTime(0)"};
}

void TestDialogs::eachOptionGroupIsExclusiveWithinItsFrame()
{
    QFETCH(QString, clicked);
    QFETCH(QStringList, checked);
    Kavix w;
    w.show();
    QStringList shown;
    const Seen seen = openFromMenu(w, u"mnuSpeed"_s, [&](QDialog &d) {
        if (!clicked.isEmpty())
            clickButton(d, clicked);
        shown = checkedOptions(d);
        clickButton(d, u"setSpeedCancel"_s);
    });
    QVERIFY(!seen.leftOpen);
    QCOMPARE(shown, checked);
}

void TestDialogs::dialogsAreFixedModalAndFocusTheirFirstButton_data()
{
    QTest::addColumn<QString>("item");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("title");
    QTest::addColumn<QSizeF>("client");
    QTest::addColumn<QString>("focus");
    QTest::addColumn<QString>("afterTab");
    QTest::newRow("settings") << u"mnuSpeed"_s << u"setForm"_s << u"高级设置"_s << QSizeF(4680, 3195) << u"setSpeedOK"_s
                              << u"setSpeedCancel"_s;
    // Tab goes from OK to the e-mail link.
    QTest::newRow("about") << u"mnuAbout"_s << u"frmAbout"_s << u"关于 Tarvo"_s << QSizeF(3480, 2160) << u"Command1"_s
                           << u"Label7"_s;
}

void TestDialogs::dialogsAreFixedModalAndFocusTheirFirstButton()
{
    QFETCH(QString, item);
    QFETCH(QString, name);
    QFETCH(QString, title);
    QFETCH(QSizeF, client);
    QFETCH(QString, focus);
    QFETCH(QString, afterTab);
    Kavix w;
    w.show();
    QString shownTitle, shownFocus, shownAfterTab;
    Qt::WindowFlags flags;
    bool modal = false, sized = false;
    auto focusName = [] { return QApplication::focusWidget() ? QApplication::focusWidget()->objectName() : QString(); };
    const Seen seen = openFromMenu(w, item, [&](QDialog &d) {
        shownTitle = d.windowTitle();
        flags = d.windowFlags();
        modal = d.isModal();
        sized = d.size() == twipsToPixels(&d, QRectF(QPointF(), client)).size();
        QVERIFY(QTest::qWaitForWindowActive(&d));
        shownFocus = focusName();
        if (QWidget *focused = QApplication::focusWidget())
            QTest::keyClick(focused, Qt::Key_Tab);
        shownAfterTab = focusName();
        d.close();
    });
    QVERIFY(!seen.leftOpen);
    QCOMPARE(seen.name, name);
    QCOMPARE(shownTitle, title);
    QVERIFY(modal && sized);
    QVERIFY(!(flags & (Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint)));
    QCOMPARE(shownFocus, focus);
    QCOMPARE(shownAfterTab, afterTab);
}

enum class Happening { maximised, fullScreen, minimised, ownerActivatedAfterDialog };
Q_DECLARE_METATYPE(Happening)

namespace {

// Counts the times a widget is shown by the program (not restored by the
// window system).
class ShowCounter : public QObject {
public:
    int shows = 0;
    bool eventFilter(QObject *, QEvent *event) override
    {
        shows += event->type() == QEvent::Show && !event->spontaneous();
        return false;
    }
};

} // namespace

void TestDialogs::aDialogIsKeptThereToBeAnswered_data()
{
    QTest::addColumn<Happening>("happening");
    QTest::addColumn<bool>("hidesUnseen"); // Wayland
    QTest::addColumn<int>("shows");        // how often the dialog was shown in all

    // Restored at once, whatever the desktop.
    QTest::newRow("maximised") << Happening::maximised << false << 1;
    QTest::newRow("maximised on Wayland") << Happening::maximised << true << 1;
    QTest::newRow("full screen") << Happening::fullScreen << false << 1;
    // A minimise asked for by Qt's own title bar on Wayland: shown afresh.
    // On X11 the window manager minimises the owner along and brings both
    // back: left to it.
    QTest::newRow("minimised on Wayland") << Happening::minimised << true << 2;
    QTest::newRow("minimised on X11") << Happening::minimised << false << 1;
    // The owner activated after the dialog was: it may be out of sight.
    QTest::newRow("owner activated on Wayland") << Happening::ownerActivatedAfterDialog << true << 2;
    QTest::newRow("owner activated on X11") << Happening::ownerActivatedAfterDialog << false << 1;
}

void TestDialogs::aDialogIsKeptThereToBeAnswered()
{
    QFETCH(Happening, happening);
    QFETCH(bool, hidesUnseen);
    QFETCH(int, shows);

    QWidget owner;
    owner.resize(400, 300);
    owner.show();
    QVERIFY(QTest::qWaitForWindowExposed(&owner));
    QDialog dialog(&owner);
    dialog.setFixedSize(200, 120);
    ShowCounter counter;
    dialog.installEventFilter(&counter);

    // From inside whichever round of exec() runs: the happening once the
    // dialog is up, then a look at it 100 ms on, and the answer.
    bool visible = false;
    Qt::WindowStates states;
    QSize size;
    QElapsedTimer clock;
    QTimer step;
    step.setInterval(10);
    step.callOnTimeout([&] {
        if (!clock.isValid()) {
            if (!dialog.isVisible())
                return;
            clock.start();
            QWindow *window = dialog.windowHandle();
            switch (happening) {
            case Happening::maximised:
                window->setWindowStates(Qt::WindowMaximized);
                break;
            case Happening::fullScreen:
                window->setWindowStates(Qt::WindowFullScreen);
                break;
            case Happening::minimised:
                window->setWindowState(Qt::WindowMinimized);
                break;
            case Happening::ownerActivatedAfterDialog:
                dialog.activateWindow();
                owner.activateWindow();
                break;
            }
        } else if (clock.elapsed() >= 100) {
            step.stop();
            visible = dialog.isVisible();
            states = dialog.windowHandle()->windowStates();
            size = dialog.size();
            dialog.accept();
        }
    });
    step.start();
    QTimer watchdog;
    watchdog.setSingleShot(true);
    watchdog.callOnTimeout(&dialog, &QDialog::reject);
    watchdog.start(5000);

    QCOMPARE(execInSight(&dialog, hidesUnseen), int(QDialog::Accepted));
    QVERIFY(watchdog.isActive());
    QVERIFY(visible);
    QCOMPARE(states & (Qt::WindowMaximized | Qt::WindowFullScreen), Qt::WindowStates());
    QCOMPARE(size, QSize(200, 120));
    QCOMPARE(counter.shows, shows);
}

QTEST_MAIN(TestDialogs)
#include "tst_dialogs.moc"
