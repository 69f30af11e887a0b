// Spawning, falling and typing: the three handlers that move words.
#include "enginerig.h"

#include <QTest>

using namespace Qt::StringLiterals;

using namespace tarvo;
using namespace tarvo::fakes;

namespace {

// A rig with a running exercise and the given words in slots 0, 1, ...
struct Playing : EngineRig {
    explicit Playing(const QStringList &words = {}, float y = 0.0f)
    {
        start();
        placeWords(words, y);
    }
};

} // namespace

class TestEnginePlay : public QObject {
    Q_OBJECT
private slots:
    void spawnFillsTheLowestFreeSlot_data();
    void spawnFillsTheLowestFreeSlot();
    void spawnDrawsLengthThenLettersThenPosition_data();
    void spawnDrawsLengthThenLettersThenPosition();
    void spawnedWordIsFirstDrawnByTheNextFallTick();
    void fallTickDrawsEachWordThenMovesIt_data();
    void fallTickDrawsEachWordThenMovesIt();
    void fallTickSkipsFreeSlotsAndDrawsInSlotOrder();
    void keysEditAndSubmitTheTypedText_data();
    void keysEditAndSubmitTheTypedText();
    void keysAreIgnoredWhileTheClockIsOff_data();
    void keysAreIgnoredWhileTheClockIsOff();
    void removedWordStaysInThePictureUntilTheNextFallTick();
};

void TestEnginePlay::spawnFillsTheLowestFreeSlot_data()
{
    QTest::addColumn<int>("occupied"); // slots 0 .. occupied-1 hold "ZZ"
    QTest::addColumn<int>("freed");    // then this one is emptied, -1 for none
    QTest::addColumn<int>("expected"); // slot of the new word, -1 for none
    QTest::newRow("empty table") << 0 << -1 << 0;
    QTest::newRow("slot 3 freed among 0 to 10") << 11 << 3 << 3;
    QTest::newRow("slot 0 freed among 0 to 10") << 11 << 0 << 0;
    QTest::newRow("0 to 10 occupied") << 11 << -1 << 11;
    QTest::newRow("only slot 50 free") << 50 << -1 << 50;
    QTest::newRow("slot 49 freed in a full table") << 51 << 49 << 49;
    QTest::newRow("full table") << 51 << -1 << -1;
}

void TestEnginePlay::spawnFillsTheLowestFreeSlot()
{
    QFETCH(int, occupied);
    QFETCH(int, freed);
    QFETCH(int, expected);
    Playing rig(QStringList(occupied, QStringLiteral("ZZ")), 700.0f);
    if (freed >= 0)
        rig.engine.wordSlots()[std::size_t(freed)].text.clear();
    const WordTable before = rig.engine.wordSlots();

    // A full table still draws the length, and only the length.
    rig.random.append(expected < 0 ? QList<double>{0.5} : QList<double>{0.0, 0.0, 0.5});
    rig.engine.CreatWord_Timer();
    QCOMPARE(rig.random.remaining(), 0);

    const WordTable &after = rig.engine.wordSlots();
    for (int i = 0; i < kSlotCount; ++i) {
        if (i == expected) {
            QCOMPARE(after[i].text, QStringLiteral("A"));
            QCOMPARE(after[i].y, 0.0f);
        } else {
            QCOMPARE(after[i].text, before[i].text);
            QCOMPARE(after[i].y, before[i].y);
        }
    }
    QCOMPARE(rig.engine.counters(), Counters{});
}

void TestEnginePlay::spawnDrawsLengthThenLettersThenPosition_data()
{
    QTest::addColumn<QList<double>>("draws");
    QTest::addColumn<double>("left");
    QTest::addColumn<double>("width");
    QTest::addColumn<QString>("word");
    QTest::addColumn<float>("x");
    // The fake measures 150 twips per letter; x = (W - w - 30 - (L + 30)) * r + (L + 30).
    QTest::newRow("lowest draws") << QList<double>{0.0, 0.0, 0.0} << 360.0 << 9000.0 << u"A"_s << 390.0f;
    QTest::newRow("highest draws") << QList<double>{0.9999999, 0.9999999, 0.9999999, 0.9999999, 0.9999999,
                                                    0.9999999, 0.9999999, 0.9999999, 0.9999999}
                                   << 360.0 << 9000.0 << u"YYYYYYY"_s << float(7530 * 0.9999999 + 390);
    QTest::newRow("letters in drawing order")
        << QList<double>{0.5, 0.05, 0.58, 0.94, 0.99, 0.5} << 360.0 << 9000.0 << u"BOXY"_s << 4380.0f;
    QTest::newRow("position drawn last") << QList<double>{0.2, 0.0, 0.99, 0.25} << 360.0 << 9000.0 << u"AY"_s
                                         << 2460.0f;
    QTest::newRow("no left offset") << QList<double>{0.0, 0.0, 0.5} << 0.0 << 6000.0 << u"A"_s << 2925.0f;
    QTest::newRow("narrow field, middle draw") << QList<double>{0.0, 0.0, 0.5} << 360.0 << 500.0 << u"A"_s << 355.0f;
    QTest::newRow("narrow field, top draw")
        << QList<double>{0.0, 0.0, 0.9999999} << 360.0 << 500.0 << u"A"_s << float(-70 * 0.9999999 + 390);
    QTest::newRow("narrow field, zero draw") << QList<double>{0.0, 0.0, 0.0} << 360.0 << 500.0 << u"A"_s << 390.0f;
}

void TestEnginePlay::spawnDrawsLengthThenLettersThenPosition()
{
    QFETCH(QList<double>, draws);
    QFETCH(double, left);
    QFETCH(double, width);
    QFETCH(QString, word);
    QFETCH(float, x);
    Playing rig;
    rig.view.left = left;
    rig.view.width = width;
    rig.random.append(draws);
    rig.engine.CreatWord_Timer();
    QCOMPARE(rig.random.remaining(), 0);
    const WordSlot &slot = rig.engine.wordSlots()[0];
    QCOMPARE(slot.text, word);
    QCOMPARE(slot.x, x);
    QCOMPARE(slot.y, 0.0f);
}

void TestEnginePlay::spawnedWordIsFirstDrawnByTheNextFallTick()
{
    Playing rig;
    rig.random.append({0.2, 0.0, 0.05, 0.0});
    const qsizetype mark = rig.view.log.size();
    rig.engine.CreatWord_Timer();
    QCOMPARE(rig.view.logSince(mark), QStringList());
    QVERIFY(rig.view.picture.isEmpty());

    rig.engine.pictScroll_Timer();
    QCOMPARE(rig.view.picture, QList<PrintedWord>({{390.0f, 0.0f, "AB"}}));
    QCOMPARE(rig.engine.wordSlots()[0].y, 50.0f);
}

void TestEnginePlay::fallTickDrawsEachWordThenMovesIt_data()
{
    QTest::addColumn<float>("y");
    QTest::addColumn<double>("scaleHeight");
    QTest::addColumn<bool>("kept");
    QTest::newRow("at the top") << 0.0f << 6000.0 << true;
    QTest::newRow("one step above the bottom") << 5950.0f << 6000.0 << true;
    QTest::newRow("exactly at the bottom") << 6000.0f << 6000.0 << true;
    QTest::newRow("a fraction below the bottom") << 6000.5f << 6000.0 << false;
    QTest::newRow("one step below the bottom") << 6050.0f << 6000.0 << false;
    QTest::newRow("field shrunk under it") << 3000.0f << 2999.0 << false;
    QTest::newRow("field shrunk to its edge") << 3000.0f << 3000.0 << true;
}

void TestEnginePlay::fallTickDrawsEachWordThenMovesIt()
{
    QFETCH(float, y);
    QFETCH(double, scaleHeight);
    QFETCH(bool, kept);
    Playing rig({"KQD"}, y);
    Counters counters;
    counters.totalChars = 7;
    counters.windowMatches = 2;
    rig.engine.counters() = counters;
    rig.view.picture.append({1.0f, 2.0f, "OLD"}); // left over from an earlier tick
    rig.view.scaleHeight = scaleHeight;
    const qsizetype mark = rig.view.log.size();

    rig.engine.pictScroll_Timer();

    const WordSlot &slot = rig.engine.wordSlots()[0];
    const QStringList log = rig.view.logSince(mark);
    QVERIFY(!log.isEmpty());
    QCOMPARE(log.first(), QStringLiteral("clear"));
    if (kept) {
        QCOMPARE(rig.view.picture, QList<PrintedWord>({{0.0f, y, "KQD"}}));
        QCOMPARE(slot.text, QStringLiteral("KQD"));
        QCOMPARE(slot.y, y + 50.0f);
    } else {
        QVERIFY(rig.view.picture.isEmpty());
        QVERIFY(slot.isFree());
    }
    QCOMPARE(rig.engine.counters(), counters);

    // A word kept at the bottom edge is dropped by the following tick.
    if (kept && y + 50.0f > float(scaleHeight)) {
        rig.engine.pictScroll_Timer();
        QVERIFY(rig.view.picture.isEmpty());
        QVERIFY(slot.isFree());
        QCOMPARE(rig.engine.counters(), counters);
    }
}

void TestEnginePlay::fallTickSkipsFreeSlotsAndDrawsInSlotOrder()
{
    Playing rig;
    WordTable &table = rig.engine.wordSlots();
    table[0] = {10.0f, 300.0f, "AB"};
    table[1] = {20.0f, 7000.0f, ""}; // free, with stale coordinates
    table[2] = {30.0f, 100.0f, "CD"};
    table[50] = {40.0f, 0.0f, "EF"};
    rig.engine.pictScroll_Timer();
    QCOMPARE(rig.view.picture, QList<PrintedWord>({{10.0f, 300.0f, "AB"}, {30.0f, 100.0f, "CD"}, {40.0f, 0.0f, "EF"}}));
    QCOMPARE(table[1].y, 7000.0f);
    QCOMPARE(table[0].y, 350.0f);
    QCOMPARE(table[2].y, 150.0f);
    QCOMPARE(table[50].y, 50.0f);

    // Shrinking the field between ticks drops only what is now below it.
    rig.view.scaleHeight = 200.0;
    rig.engine.pictScroll_Timer();
    QCOMPARE(rig.view.picture, QList<PrintedWord>({{30.0f, 150.0f, "CD"}, {40.0f, 50.0f, "EF"}}));
    QCOMPARE(rig.slotTexts(), QStringList() << u""_s << u""_s << u"CD"_s << QStringList(47, QString()) << u"EF"_s);
}

void TestEnginePlay::keysEditAndSubmitTheTypedText_data()
{
    QTest::addColumn<QStringList>("words");
    QTest::addColumn<QString>("keys");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QStringList>("left"); // the words still in the table
    QTest::addColumn<int>("chars");
    QTest::addColumn<int>("submits");
    QTest::addColumn<int>("matches");
    const QStringList ab = {"AB"};
    QTest::newRow("space with empty text") << ab << u" "_s << u""_s << ab << 0 << 0 << 0;
    QTest::newRow("backspace with empty text") << ab << u"\b"_s << u""_s << ab << 0 << 0 << 0;
    QTest::newRow("lower case a b") << ab << u"ab"_s << u"AB"_s << ab << 2 << 0 << 0;
    QTest::newRow("upper case A B") << ab << u"AB"_s << u"AB"_s << ab << 2 << 0 << 0;
    QTest::newRow("edge letters") << ab << u"AZaz"_s << u"AZAZ"_s << ab << 4 << 0 << 0;
    QTest::newRow("backspace removes the last letter") << ab << u"abc\b"_s << u"AB"_s << ab << 3 << 0 << 0;
    QTest::newRow("backspace twice then a letter") << ab << u"abc\b\bd"_s << u"AD"_s << ab << 4 << 0 << 0;
    QTest::newRow("backspace past the start") << ab << u"a\b\b"_s << u""_s << ab << 1 << 0 << 0;
    QTest::newRow("submission matching none")
        << QStringList{"CD"} << u"ab "_s << u""_s << QStringList{"CD"} << 2 << 1 << 0;
    QTest::newRow("submission matches one")
        << QStringList{"CD", "AB"} << u"ab "_s << u""_s << QStringList{"CD"} << 3 << 1 << 1;
    QTest::newRow("two equal words both go")
        << QStringList{"AB", "CD", "AB"} << u"ab "_s << u""_s << QStringList{"", "CD"} << 4 << 1 << 2;
    QTest::newRow("a prefix does not match")
        << QStringList{"ABC"} << u"ab "_s << u""_s << QStringList{"ABC"} << 2 << 1 << 0;
    QTest::newRow("a longer text does not match") << ab << u"abc "_s << u""_s << ab << 3 << 1 << 0;
    QTest::newRow("second space submits nothing") << ab << u"ab  "_s << u""_s << QStringList{} << 3 << 1 << 1;
    QTest::newRow("letter after submission") << ab << u"ab c"_s << u"C"_s << QStringList{} << 4 << 1 << 1;
    QTest::newRow("eight letters stay") << ab << u"abcdefgh"_s << u"ABCDEFGH"_s << ab << 8 << 0 << 0;
    QTest::newRow("nine letters A to I") << ab << u"abcdefghi"_s << u""_s << ab << 9 << 0 << 0;
    QTest::newRow("tenth letter starts again") << ab << u"abcdefghij"_s << u"J"_s << ab << 10 << 0 << 0;
    QTest::newRow("digits and punctuation") << ab << u"09.,;-/[`{@"_s << u""_s << ab << 0 << 0 << 0;
    QTest::newRow("enter and escape") << ab << u"ab\r\x1b"_s << u"AB"_s << ab << 2 << 0 << 0;
    QTest::newRow("codes above 127") << ab << QStringLiteral("a\u00e9\u00ff\u5b57\u00c0") << u"A"_s << ab << 1 << 0
                                     << 0;
}

void TestEnginePlay::keysEditAndSubmitTheTypedText()
{
    QFETCH(QStringList, words);
    QFETCH(QString, keys);
    QFETCH(QString, typed);
    QFETCH(QStringList, left);
    QFETCH(int, chars);
    QFETCH(int, submits);
    QFETCH(int, matches);
    Playing rig(words);
    for (const QChar key : keys) {
        rig.engine.GamePict_KeyPress(key.unicode());
        QCOMPARE(rig.view.typedTextBox(), rig.engine.typedText());
    }
    QCOMPARE(rig.engine.typedText(), typed);
    QCOMPARE(rig.slotTexts(), left);
    const Counters &c = rig.engine.counters();
    QCOMPARE(c.windowChars, chars);
    QCOMPARE(c.totalChars, chars);
    QCOMPARE(c.windowSubmits, submits);
    QCOMPARE(c.totalSubmits, submits);
    QCOMPARE(c.windowMatches, matches);
    QCOMPARE(c.totalMatches, matches);
    QCOMPARE(c.speedTicks, 0);
    QCOMPARE(c.accuracyTicks, 0);
}

void TestEnginePlay::keysAreIgnoredWhileTheClockIsOff_data()
{
    QTest::addColumn<QString>("state");
    QTest::newRow("before the first start") << u"idle"_s;
    QTest::newRow("paused") << u"paused"_s;
    QTest::newRow("suspended by a dialog") << u"suspended"_s;
    QTest::newRow("ended") << u"ended"_s;
}

void TestEnginePlay::keysAreIgnoredWhileTheClockIsOff()
{
    QFETCH(QString, state);
    EngineRig rig;
    rig.bringTo(state);
    rig.placeWords({"AB"});
    const QStringList words = rig.slotTexts();
    const QString typed = rig.engine.typedText();
    const Counters counters = rig.engine.counters();
    const qsizetype mark = rig.view.log.size();

    rig.type(u"\b\bab ");

    QCOMPARE(rig.engine.typedText(), typed);
    QCOMPARE(rig.slotTexts(), words);
    QCOMPARE(rig.engine.counters(), counters);
    QCOMPARE(rig.view.logSince(mark), QStringList());
}

void TestEnginePlay::removedWordStaysInThePictureUntilTheNextFallTick()
{
    Playing rig({"AB", "CD"});
    rig.engine.pictScroll_Timer();
    const QList<PrintedWord> shown = rig.view.picture;
    QCOMPARE(shown.size(), 2);
    rig.type(u"ab ");
    QCOMPARE(rig.view.picture, shown);
    rig.engine.pictScroll_Timer();
    QCOMPARE(rig.view.picture, QList<PrintedWord>({{100.0f, 50.0f, "CD"}}));
}

QTEST_GUILESS_MAIN(TestEnginePlay)
#include "tst_engine_play.moc"
