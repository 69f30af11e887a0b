// The changes a screen reader is told of, through Qt's accessibility events:
// the countdown, speed and accuracy, the typed text, and the set of words on
// the play field (not every fall tick). Needs an active accessibility
// bridge, so it runs on a desktop with the accessibility bus.
#include "gamepict.h"
#include "windowrig.h"

#include <QAccessible>
#include <QLabel>
#include <QTest>

using namespace Qt::StringLiterals;

using namespace tarvo;
using namespace tarvo::rig;

namespace {

// Every text change reported (a whole new text, or text inserted or
// removed), as the objectName of its widget.
QStringList changed;
void recordEvent(QAccessibleEvent *event)
{
    const auto type = event->type();
    if ((type == QAccessible::TextUpdated || type == QAccessible::TextInserted || type == QAccessible::TextRemoved)
        && event->object())
        changed << event->object()->objectName();
}

} // namespace

class TestAnnouncements : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void cleanup();
    void statusTextsAnnounceEachChange();
    void playFieldAnnouncesSpawnsAndRemovalsNotMoves();

private:
    WindowFixture fixture;
    Kavix *window = nullptr;
};

void TestAnnouncements::initTestCase()
{
    // The bridge turns active once it has reached the accessibility bus.
    QTRY_VERIFY2_WITH_TIMEOUT(QAccessible::isActive(), "no active accessibility bridge: is the accessibility bus up?",
                              10000);
    QAccessible::installUpdateHandler(recordEvent);
}

void TestAnnouncements::init()
{
    QVERIFY(fixture.open());
    window = fixture.window();
    menuItem(*window, "mnuStart")->trigger();
    QCoreApplication::processEvents();
    changed.clear();
}

void TestAnnouncements::cleanup()
{
    fixture.close();
}

void TestAnnouncements::statusTextsAnnounceEachChange()
{
    PracticeEngine &e = window->engine();
    e.GaTime_Timer();
    QCOMPARE(changed, QStringList{u"timeDisplay"_s});

    changed.clear();
    e.GamePict_KeyPress('k');
    e.GamePict_KeyPress('q');
    QCOMPARE(changed, (QStringList{u"textWord"_s, u"textWord"_s}));

    // Four more ticks end the speed window: the countdown and the speed.
    changed.clear();
    for (int i = 0; i < 4; ++i)
        e.GaTime_Timer();
    QCOMPARE(changed.count(u"timeDisplay"_s), 4);
    QCOMPARE(changed.count(u"speedStatus"_s), 1);

    // A submission, and five more ticks: the accuracy.
    e.GamePict_KeyPress(' ');
    changed.clear();
    for (int i = 0; i < 5; ++i)
        e.GaTime_Timer();
    QCOMPARE(changed.count(u"correctStatus"_s), 1);
    QCOMPARE(changed.count(u"speedStatus"_s), 1); // 24, then 0 字/分钟

    // Another quiet window gives "0 字/分钟" again: no change, nothing said.
    changed.clear();
    for (int i = 0; i < 5; ++i)
        e.GaTime_Timer();
    QCOMPARE(child<QLabel>(*window, u"speedStatus"_s)->text(), u"0 字/分钟"_s);
    QCOMPARE(changed.count(u"speedStatus"_s), 0);
    QCOMPARE(changed.count(u"timeDisplay"_s), 5);
}

void TestAnnouncements::playFieldAnnouncesSpawnsAndRemovalsNotMoves()
{
    PracticeEngine &e = window->engine();
    e.wordSlots()[0] = WordSlot{300, 0, u"KQD"_s};
    e.pictScroll_Timer();
    QTRY_COMPARE(changed.count(u"GamePict"_s), 1);

    // Ticks that only move the words say nothing.
    changed.clear();
    for (int i = 0; i < 3; ++i)
        e.pictScroll_Timer();
    QTest::qWait(20);
    QCOMPARE(changed.count(u"GamePict"_s), 0);

    // A new word, then a removal: once each.
    e.wordSlots()[1] = WordSlot{900, 0, u"AB"_s};
    e.pictScroll_Timer();
    QTRY_COMPARE(changed.count(u"GamePict"_s), 1);
    for (char c : {'K', 'Q', 'D', ' '})
        e.GamePict_KeyPress(c);
    e.pictScroll_Timer();
    QTRY_COMPARE(changed.count(u"GamePict"_s), 2);
}

QTEST_MAIN(TestAnnouncements)
#include "tst_announcements.moc"
