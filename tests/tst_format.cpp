#include "format.h"

#include <QTest>

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
    QTest::newRow("179 000") << 179.0 << "000" << "179";
    QTest::newRow("9 000") << 9.0 << "000" << "009";
    QTest::newRow("0 ####0") << 0.0 << "####0" << "0";
    QTest::newRow("100/3 ##0") << 100.0 / 3 << "##0" << "33";
    QTest::newRow("2/3 pct") << 2.0 / 3 << "###.##%" << "66.67%";
    QTest::newRow("1 pct") << 1.0 << "###.##%" << "100.%";
    QTest::newRow("0.5 pct") << 0.5 << "###.##%" << "50.%";
    QTest::newRow("0 pct") << 0.0 << "###.##%" << ".%";

    // Countdown texts.
    QTest::newRow("0 000") << 0.0 << "000" << "000";
    QTest::newRow("10 000") << 10.0 << "000" << "010";
    QTest::newRow("540 000") << 540.0 << "000" << "540";
    QTest::newRow("1234 000 shows every digit") << 1234.0 << "000" << "1234";
    QTest::newRow("32767 000") << 32767.0 << "000" << "32767";
    QTest::newRow("-1 000") << -1.0 << "000" << "-001";
    QTest::newRow("-42 000") << -42.0 << "000" << "-042";

    // Speeds.
    QTest::newRow("491 ####0") << 491.0 << "####0" << "491";
    QTest::newRow("123456 ####0 shows every digit") << 123456.0 << "####0" << "123456";
    QTest::newRow("32767 ####0") << 32767.0 << "####0" << "32767";
    QTest::newRow("0 ##0") << 0.0 << "##0" << "0";
    QTest::newRow("0.4 ##0") << 0.4 << "##0" << "0";
    QTest::newRow("0.5 ##0 half up") << 0.5 << "##0" << "1";
    QTest::newRow("2.5 ##0 half up") << 2.5 << "##0" << "3";
    QTest::newRow("3.5 ##0 half up") << 3.5 << "##0" << "4";
    QTest::newRow("-2.5 ##0 half away from zero") << -2.5 << "##0" << "-3";
    QTest::newRow("2.4999 ##0") << 2.4999 << "##0" << "2";
    QTest::newRow("200/3 ##0") << 200.0 / 3 << "##0" << "67";
    QTest::newRow("999.5 ##0 carries") << 999.5 << "##0" << "1000";
    QTest::newRow("32767/3 ##0") << 32767.0 / 3 << "##0" << "10922";

    // Accuracies.
    QTest::newRow("1/8 pct half up") << 1.0 / 8 << "###.##%" << "12.5%";
    QTest::newRow("0.125 pct") << 0.125 << "###.##%" << "12.5%";
    QTest::newRow("1/3 pct") << 1.0 / 3 << "###.##%" << "33.33%";
    QTest::newRow("1/6 pct") << 1.0 / 6 << "###.##%" << "16.67%";
    QTest::newRow("1/16 pct") << 1.0 / 16 << "###.##%" << "6.25%";
    QTest::newRow("1/32 pct half up") << 1.0 / 32 << "###.##%" << "3.13%";
    QTest::newRow("1/200 pct") << 1.0 / 200 << "###.##%" << ".5%";
    QTest::newRow("1/20000 pct half up") << 1.0 / 20000 << "###.##%" << ".01%";
    QTest::newRow("1/30000 pct rounds to nothing") << 1.0 / 30000 << "###.##%" << ".%";
    QTest::newRow("0.99999 pct carries") << 0.99999 << "###.##%" << "100.%";
    QTest::newRow("0.9999 pct") << 0.9999 << "###.##%" << "99.99%";
    QTest::newRow("0.1 pct") << 0.1 << "###.##%" << "10.%";
    QTest::newRow("2 pct") << 2.0 << "###.##%" << "200.%";
    QTest::newRow("3/2 pct") << 3.0 / 2 << "###.##%" << "150.%";
    QTest::newRow("32767 pct") << 32767.0 << "###.##%" << "3276700.%";
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
    QTest::newRow("180") << "180" << 180.0;
    QTest::newRow("009") << "009" << 9.0;
    QTest::newRow("000") << "000" << 0.0;
    QTest::newRow("empty") << "" << 0.0;
    QTest::newRow("abc") << "abc" << 0.0;
    QTest::newRow("leading blank and tail") << " 42x" << 42.0;
    QTest::newRow("-3") << "-3" << -3.0;
    QTest::newRow("-001") << "-001" << -1.0;
    QTest::newRow("1.5") << "1.5" << 1.5;
    QTest::newRow("second point ends it") << "1.5.7" << 1.5;
    QTest::newRow("sign alone") << "-" << 0.0;
    QTest::newRow("speed label") << "491 字/分钟" << 491.0;
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
