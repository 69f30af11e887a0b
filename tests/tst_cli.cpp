#include "tarvoconfig.h"

#include <QProcess>
#include <QTest>

using namespace Qt::StringLiterals;

// The real program, started as from a terminal without a display.
class TestCli : public QObject {
    Q_OBJECT
private slots:
    void exitsWithTheTextAUserSees_data();
    void exitsWithTheTextAUserSees();
    void helpNeedsNoDisplay();
    void platformOffscreenStartsTheGame();

private:
    static void start(QProcess &process, const QStringList &arguments);
};

void TestCli::start(QProcess &process, const QStringList &arguments)
{
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    for (const QString &name : {u"DISPLAY"_s, u"WAYLAND_DISPLAY"_s, u"QT_QPA_PLATFORM"_s}) {
        env.remove(name);
    }
    process.setProcessEnvironment(env);
    process.start(QStringLiteral(TARVO_BIN), arguments);
    QVERIFY(process.waitForStarted());
}

void TestCli::exitsWithTheTextAUserSees_data()
{
    const QString bin = QStringLiteral(TARVO_BIN);
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<int>("status");
    QTest::addColumn<QString>("out");
    QTest::addColumn<QString>("err");
    QTest::newRow("--version") << QStringList{u"--version"_s} << 0 << u"tarvo " TARVO_VERSION "\n"_s << QString();
    QTest::newRow("--no-such-option") << QStringList{u"--no-such-option"_s} << 2 << QString()
                                      << u"tarvo: 未知的选项“--no-such-option”\n请运行“"_s + bin
                                             + u" --help”查看可用的选项。\n"_s;
    QTest::newRow("no arguments") << QStringList{} << 2 << QString()
                                  << u"tarvo: 找不到显示（DISPLAY 和 WAYLAND_DISPLAY 均未设置）；"
                                     u"要在虚拟显示上运行：xvfb-run -a "_s
                                         + bin + u'\n';
}

void TestCli::exitsWithTheTextAUserSees()
{
    QFETCH(QStringList, arguments);
    QFETCH(int, status);
    QFETCH(QString, out);
    QFETCH(QString, err);
    QProcess process;
    start(process, arguments);
    QVERIFY(process.waitForFinished(10000));
    QCOMPARE(process.exitStatus(), QProcess::NormalExit);
    QCOMPARE(process.exitCode(), status);
    QCOMPARE(QString::fromUtf8(process.readAllStandardOutput()), out);
    QCOMPARE(QString::fromUtf8(process.readAllStandardError()), err);
}

void TestCli::helpNeedsNoDisplay()
{
    QProcess help;
    start(help, {u"--help"_s});
    QVERIFY(help.waitForFinished(10000));
    QCOMPARE(help.exitCode(), 0);
    const QString text = QString::fromUtf8(help.readAllStandardOutput());
    QVERIFY(text.startsWith(u"用法：tarvo [选项]\n"_s));
    QVERIFY(text.contains(u"\n  -platform <名称[:参数]>     使用指定的 Qt 平台插件"_s));
    QCOMPARE(help.readAllStandardError(), QByteArray());
}

void TestCli::platformOffscreenStartsTheGame()
{
    // Still running after a second: past the display check, in its event loop.
    QProcess game;
    start(game, {u"-platform"_s, u"offscreen"_s});
    QVERIFY2(!game.waitForFinished(1000), game.readAllStandardError().constData());
    game.kill();
    game.waitForFinished();
}

QTEST_GUILESS_MAIN(TestCli)

#include "tst_cli.moc"
