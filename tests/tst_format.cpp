#include "format.h"

#include <QTest>

using namespace Qt::StringLiterals;

using tarvo::Format;
using tarvo::Int;
using tarvo::Val;

class TestFormat : public QObject {
    Q_OBJECT
private slots:
    void formatsByPattern_data();
    void formatsByPattern();
    void valReadsTheLeadingNumber_data();
    void valReadsTheLeadingNumber();
    void intRoundsDown_data();
    void intRoundsDown();
};

void TestFormat::formatsByPattern_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<QString>("pattern");
    QTest::addColumn<QString>("expected");
    QTest::newRow("179 000") << 179.0 << u"000"_s << u"179"_s;
    QTest::newRow("9 000") << 9.0 << u"000"_s << u"009"_s;
    QTest::newRow("0 ####0") << 0.0 << u"####0"_s << u"0"_s;
    QTest::newRow("100/3 ##0") << 100.0 / 3 << u"##0"_s << u"33"_s;
    QTest::newRow("2/3 pct") << 2.0 / 3 << u"###.##%"_s << u"66.67%"_s;
    QTest::newRow("1 pct") << 1.0 << u"###.##%"_s << u"100.%"_s;
    QTest::newRow("0.5 pct") << 0.5 << u"###.##%"_s << u"50.%"_s;
    QTest::newRow("0 pct") << 0.0 << u"###.##%"_s << u".%"_s;

    // Countdown texts.
    QTest::newRow("0 000") << 0.0 << u"000"_s << u"000"_s;
    QTest::newRow("10 000") << 10.0 << u"000"_s << u"010"_s;
    QTest::newRow("540 000") << 540.0 << u"000"_s << u"540"_s;
    QTest::newRow("1234 000 shows every digit") << 1234.0 << u"000"_s << u"1234"_s;
    QTest::newRow("32767 000") << 32767.0 << u"000"_s << u"32767"_s;
    QTest::newRow("-1 000") << -1.0 << u"000"_s << u"-001"_s;
    QTest::newRow("-42 000") << -42.0 << u"000"_s << u"-042"_s;

    // Speeds.
    QTest::newRow("491 ####0") << 491.0 << u"####0"_s << u"491"_s;
    QTest::newRow("123456 ####0 shows every digit") << 123456.0 << u"####0"_s << u"123456"_s;
    QTest::newRow("32767 ####0") << 32767.0 << u"####0"_s << u"32767"_s;
    QTest::newRow("0 ##0") << 0.0 << u"##0"_s << u"0"_s;
    QTest::newRow("0.4 ##0") << 0.4 << u"##0"_s << u"0"_s;
    QTest::newRow("0.5 ##0 half up") << 0.5 << u"##0"_s << u"1"_s;
    QTest::newRow("2.5 ##0 half up") << 2.5 << u"##0"_s << u"3"_s;
    QTest::newRow("3.5 ##0 half up") << 3.5 << u"##0"_s << u"4"_s;
    QTest::newRow("-2.5 ##0 half away from zero") << -2.5 << u"##0"_s << u"-3"_s;
    QTest::newRow("2.4999 ##0") << 2.4999 << u"##0"_s << u"2"_s;
    QTest::newRow("200/3 ##0") << 200.0 / 3 << u"##0"_s << u"67"_s;
    QTest::newRow("999.5 ##0 carries") << 999.5 << u"##0"_s << u"1000"_s;
    QTest::newRow("32767/3 ##0") << 32767.0 / 3 << u"##0"_s << u"10922"_s;

    // Accuracies.
    QTest::newRow("1/8 pct half up") << 1.0 / 8 << u"###.##%"_s << u"12.5%"_s;
    QTest::newRow("0.125 pct") << 0.125 << u"###.##%"_s << u"12.5%"_s;
    QTest::newRow("1/3 pct") << 1.0 / 3 << u"###.##%"_s << u"33.33%"_s;
    QTest::newRow("1/6 pct") << 1.0 / 6 << u"###.##%"_s << u"16.67%"_s;
    QTest::newRow("1/16 pct") << 1.0 / 16 << u"###.##%"_s << u"6.25%"_s;
    QTest::newRow("1/32 pct half up") << 1.0 / 32 << u"###.##%"_s << u"3.13%"_s;
    QTest::newRow("1/200 pct") << 1.0 / 200 << u"###.##%"_s << u".5%"_s;
    QTest::newRow("1/20000 pct half up") << 1.0 / 20000 << u"###.##%"_s << u".01%"_s;
    QTest::newRow("1/30000 pct rounds to nothing") << 1.0 / 30000 << u"###.##%"_s << u".%"_s;
    QTest::newRow("0.99999 pct carries") << 0.99999 << u"###.##%"_s << u"100.%"_s;
    QTest::newRow("0.9999 pct") << 0.9999 << u"###.##%"_s << u"99.99%"_s;
    QTest::newRow("0.1 pct") << 0.1 << u"###.##%"_s << u"10.%"_s;
    QTest::newRow("2 pct") << 2.0 << u"###.##%"_s << u"200.%"_s;
    QTest::newRow("3/2 pct") << 3.0 / 2 << u"###.##%"_s << u"150.%"_s;
    QTest::newRow("32767 pct") << 32767.0 << u"###.##%"_s << u"3276700.%"_s;
}

void TestFormat::formatsByPattern()
{
    QFETCH(double, value);
    QFETCH(QString, pattern);
    QFETCH(QString, expected);
    QCOMPARE(Format(value, pattern), expected);
}

void TestFormat::valReadsTheLeadingNumber_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<double>("expected");
    QTest::newRow("180") << u"180"_s << 180.0;
    QTest::newRow("009") << u"009"_s << 9.0;
    QTest::newRow("000") << u"000"_s << 0.0;
    QTest::newRow("empty") << u""_s << 0.0;
    QTest::newRow("abc") << u"abc"_s << 0.0;
    QTest::newRow("leading blank and tail") << u" 42x"_s << 42.0;
    QTest::newRow("-3") << u"-3"_s << -3.0;
    QTest::newRow("-001") << u"-001"_s << -1.0;
    QTest::newRow("1.5") << u"1.5"_s << 1.5;
    QTest::newRow("second point ends it") << u"1.5.7"_s << 1.5;
    QTest::newRow("sign alone") << u"-"_s << 0.0;
    QTest::newRow("speed label") << u"491 字/分钟"_s << 491.0;
}

void TestFormat::valReadsTheLeadingNumber()
{
    QFETCH(QString, text);
    QFETCH(double, expected);
    QCOMPARE(Val(text), expected);
}

void TestFormat::intRoundsDown_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<double>("expected");
    QTest::newRow("whole") << 3.0 << 3.0;
    QTest::newRow("fraction") << 3.99 << 3.0;
    QTest::newRow("negative fraction goes down") << -0.5 << -1.0;
    QTest::newRow("41 chars per five seconds") << 41.0 / 5 * 60 << 491.0;
    QTest::newRow("largest draw times 7 plus 1") << 0.9999999 * 7 + 1 << 7.0;
    QTest::newRow("largest draw times 25 plus 65") << 0.9999999 * 25 + 65 << 89.0;
}

void TestFormat::intRoundsDown()
{
    QFETCH(double, value);
    QFETCH(double, expected);
    QCOMPARE(Int(value), expected);
}

QTEST_GUILESS_MAIN(TestFormat)
#include "tst_format.moc"
