#include "commandline.h"

#include "tarvoconfig.h"

#include <QRegularExpression>
#include <QTest>

using namespace Qt::StringLiterals;

using tarvo::CommandLine;
using tarvo::Platform;

Q_DECLARE_METATYPE(CommandLine::Action)
Q_DECLARE_METATYPE(Platform)

namespace {

CommandLine parse(const QStringList &arguments)
{
    return tarvo::parseCommandLine(QStringList{u"tarvo"_s} + arguments);
}

const QString hint = u"请运行“tarvo --help”查看可用的选项。\n"_s;

} // namespace

// Runs without a QCoreApplication, as main() parses before making one.
class TestCommandLine : public QObject {
    Q_OBJECT
private slots:
    void helpAndVersion_data();
    void helpAndVersion();
    void helpListsTheOptionsAligned();
    void usageErrorsNameTheArgument_data();
    void usageErrorsNameTheArgument();
    void qtOptionsPlayWithTheirValues_data();
    void qtOptionsPlayWithTheirValues();
    void displayIsCheckedOnlyOnUnix_data();
    void displayIsCheckedOnlyOnUnix();
};

void TestCommandLine::helpAndVersion_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<CommandLine::Action>("action");
    const auto help = CommandLine::Action::ShowHelp;
    const auto version = CommandLine::Action::ShowVersion;
    QTest::newRow("--help") << QStringList{u"--help"_s} << help;
    QTest::newRow("-h") << QStringList{u"-h"_s} << help;
    QTest::newRow("-help") << QStringList{u"-help"_s} << help;
    QTest::newRow("--version") << QStringList{u"--version"_s} << version;
    QTest::newRow("-v") << QStringList{u"-v"_s} << version;
    QTest::newRow("-version") << QStringList{u"-version"_s} << version;
    QTest::newRow("help before version") << QStringList{u"-v"_s, u"-h"_s} << help;
    QTest::newRow("after a Qt option") << QStringList{u"-platform"_s, u"xcb"_s, u"-v"_s} << version;
}

void TestCommandLine::helpAndVersion()
{
    QFETCH(QStringList, arguments);
    QFETCH(CommandLine::Action, action);
    const CommandLine commandLine = parse(arguments);
    QCOMPARE(commandLine.action, action);
    QCOMPARE(commandLine.exitStatus(), 0);
    if (action == CommandLine::Action::ShowVersion) {
        QCOMPARE(commandLine.message, u"tarvo " TARVO_VERSION "\n"_s);
    } else {
        QVERIFY(commandLine.message.startsWith(u"用法：tarvo [选项]\n"_s));
    }
}

void TestCommandLine::helpListsTheOptionsAligned()
{
    const QStringList lines = parse({u"--help"_s}).message.split(u'\n');
    // The descriptions start in one column, CJK characters counting two.
    QVERIFY(lines.contains(u"  -h, --help                  显示帮助信息"_s));
    QVERIFY(lines.contains(u"  -v, --version               显示版本信息"_s));
    QVERIFY(lines.contains(u"  -platformpluginpath <目录>  在指定目录中查找平台插件"_s));
    QVERIFY(lines.contains(u"  -reverse                    界面改为从右到左排列"_s));
    QCOMPARE(lines.indexOf(u"Qt 选项（交给 Qt 处理）："_s), lines.indexOf(u"选项："_s) + 4);
    QCOMPARE(lines.filter(QRegularExpression(u"^  -"_s)).size(), 17);
    QVERIFY(lines.last().isEmpty());
}

void TestCommandLine::usageErrorsNameTheArgument_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QString>("problem");
    QTest::newRow("unknown") << QStringList{u"--no-such-option"_s} << u"未知的选项“--no-such-option”"_s;
    QTest::newRow("unknown, one dash") << QStringList{u"-nosuch"_s} << u"未知的选项“-nosuch”"_s;
    QTest::newRow("unknown with a value") << QStringList{u"--nosuch=3"_s} << u"未知的选项“--nosuch”"_s;
    QTest::newRow("two unknown") << QStringList{u"-x"_s, u"-platform"_s, u"xcb"_s, u"--yy=3"_s}
                                 << u"未知的选项“-x”、“--yy”"_s;
    QTest::newRow("unknown beats help") << QStringList{u"--help"_s, u"-nograb"_s} << u"未知的选项“-nograb”"_s;
    QTest::newRow("no value last") << QStringList{u"-platform"_s} << u"选项“-platform”缺少值"_s;
    QTest::newRow("no value, two dashes")
        << QStringList{u"-reverse"_s, u"--qwindowtitle"_s} << u"选项“--qwindowtitle”缺少值"_s;
    QTest::newRow("switch with a value") << QStringList{u"--help=yes"_s} << u"选项“--help”不带值"_s;
    QTest::newRow("Qt switch with a value") << QStringList{u"-reverse=1"_s} << u"选项“-reverse”不带值"_s;
    QTest::newRow("joined -platform") << QStringList{u"-platform=offscreen"_s}
                                      << u"Qt 不认识“-platform=offscreen”的写法，请写作“-platform offscreen”"_s;
    QTest::newRow("joined --display") << QStringList{u"--display=:1"_s}
                                      << u"Qt 不认识“--display=:1”的写法，请写作“--display :1”"_s;
    QTest::newRow("argument") << QStringList{u"words.txt"_s} << u"多余的参数“words.txt”"_s;
    QTest::newRow("after --") << QStringList{u"--"_s, u"-reverse"_s} << u"多余的参数“-reverse”"_s;
}

void TestCommandLine::usageErrorsNameTheArgument()
{
    QFETCH(QStringList, arguments);
    QFETCH(QString, problem);
    const CommandLine commandLine = parse(arguments);
    QCOMPARE(commandLine.action, CommandLine::Action::UsageError);
    QCOMPARE(commandLine.exitStatus(), 2);
    QCOMPARE(commandLine.message, u"tarvo: "_s + problem + u'\n' + hint);
}

void TestCommandLine::qtOptionsPlayWithTheirValues_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QString>("platform");
    QTest::addColumn<QString>("display");
    QTest::newRow("none") << QStringList{} << QString() << QString();
    QTest::newRow("-platform") << QStringList{u"-platform"_s, u"offscreen"_s} << u"offscreen"_s << QString();
    QTest::newRow("--platform with options") << QStringList{u"--platform"_s, u"xcb:a=1"_s} << u"xcb:a=1"_s << QString();
    QTest::newRow("-display") << QStringList{u"-display"_s, u":1"_s} << QString() << u":1"_s;
    const QStringList valued = {u"platformpluginpath"_s, u"platformtheme"_s, u"plugin"_s,       u"geometry"_s,
                                u"qwindowgeometry"_s,    u"qwindowicon"_s,   u"qwindowtitle"_s, u"style"_s,
                                u"stylesheet"_s,         u"session"_s,       u"qmljsdebugger"_s};
    for (const QString &name : valued) {
        QTest::addRow("-%s", qPrintable(name)) << QStringList{u'-' + name, u"-x=1"_s} << QString() << QString();
    }
    for (const QString &joined : {u"-style=fusion"_s, u"--stylesheet=a.qss"_s, u"-qmljsdebugger=port:1234"_s}) {
        QTest::addRow("%s", qPrintable(joined)) << QStringList{joined} << QString() << QString();
    }
    QTest::newRow("switches") << QStringList{u"-reverse"_s, u"--widgetcount"_s} << QString() << QString();
}

void TestCommandLine::qtOptionsPlayWithTheirValues()
{
    QFETCH(QStringList, arguments);
    QFETCH(QString, platform);
    QFETCH(QString, display);
    const CommandLine commandLine = parse(arguments);
    QCOMPARE(commandLine.message, QString());
    QCOMPARE(commandLine.action, CommandLine::Action::Play);
    QCOMPARE(commandLine.platform, platform);
    QCOMPARE(commandLine.display, display);
    // --help lists each of them in Qt's spelling.
    if (!arguments.isEmpty()) {
        const QString name = arguments.first().section(u'=', 0, 0).remove(QRegularExpression(u"^--?"_s));
        QVERIFY(parse({u"-h"_s}).message.contains(u"\n  -"_s + name + u' '));
    }
}

void TestCommandLine::displayIsCheckedOnlyOnUnix_data()
{
    QTest::addColumn<Platform>("platform");
    QTest::addColumn<QStringList>("environment");
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<bool>("missing");
    QTest::newRow("Unix, nothing") << Platform::Unix << QStringList{} << QStringList{} << true;
    QTest::newRow("Unix, empty DISPLAY") << Platform::Unix << QStringList{u"DISPLAY="_s} << QStringList{} << true;
    QTest::newRow("Unix, DISPLAY") << Platform::Unix << QStringList{u"DISPLAY=:0"_s} << QStringList{} << false;
    QTest::newRow("Unix, WAYLAND_DISPLAY")
        << Platform::Unix << QStringList{u"WAYLAND_DISPLAY=wayland-0"_s} << QStringList{} << false;
    QTest::newRow("Unix, QT_QPA_PLATFORM")
        << Platform::Unix << QStringList{u"QT_QPA_PLATFORM=offscreen"_s} << QStringList{} << false;
    QTest::newRow("Unix, -platform") << Platform::Unix << QStringList{} << QStringList{u"-platform"_s, u"offscreen"_s}
                                     << false;
    QTest::newRow("Unix, -display") << Platform::Unix << QStringList{} << QStringList{u"-display"_s, u":1"_s} << false;
    QTest::newRow("Windows") << Platform::Windows << QStringList{} << QStringList{} << false;
    QTest::newRow("macOS") << Platform::MacOS << QStringList{} << QStringList{} << false;
    QTest::newRow("Other") << Platform::Other << QStringList{} << QStringList{} << false;
}

void TestCommandLine::displayIsCheckedOnlyOnUnix()
{
    QFETCH(Platform, platform);
    QFETCH(QStringList, environment);
    QFETCH(QStringList, arguments);
    QFETCH(bool, missing);
    QProcessEnvironment env;
    for (const QString &entry : environment) {
        env.insert(entry.section(u'=', 0, 0), entry.section(u'=', 1));
    }
    QCOMPARE(tarvo::displayMissing(platform, env, parse(arguments)), missing);
#ifdef Q_OS_LINUX
    QCOMPARE(tarvo::hostPlatform(), Platform::Unix);
#endif
}

QTEST_APPLESS_MAIN(TestCommandLine)

#include "tst_commandline.moc"
