#include "format.h"

#include <QTest>

using tarvo::Format;
using tarvo::Val;

class TestFormat : public QObject {
    Q_OBJECT
private slots:
    void formatsByPattern_data();
    void formatsByPattern();
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
}

void TestFormat::formatsByPattern()
{
    QFETCH(double, value);
    QFETCH(QString, pattern);
    QFETCH(QString, expected);
    QCOMPARE(Format(value, pattern), expected);
}

QTEST_GUILESS_MAIN(TestFormat)
#include "tst_format.moc"
