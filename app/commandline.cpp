#include "commandline.h"

#include "tarvoconfig.h"

#include <QChar>
#include <QCommandLineOption>
#include <QCommandLineParser>
#include <QList>

#include <algorithm>

namespace tarvo {

namespace {

// An option the program accepts, with its text for --help.
struct OptionInfo {
    QStringList names;
    QString valueName; // empty for a switch
    QString description;
    // For Qt's options with a value: Qt also reads "-name=value"; the others
    // only as "-name value".
    bool joinedValue = false;
};

const QList<OptionInfo> &ownOptions()
{
    static const QList<OptionInfo> options = {
        {{QStringLiteral("h"), QStringLiteral("help")}, {}, QStringLiteral("显示帮助信息")},
        {{QStringLiteral("v"), QStringLiteral("version")}, {}, QStringLiteral("显示版本信息")},
    };
    return options;
}

// Qt's own options, as QGuiApplication and QApplication read them. They are
// declared so that the parser accepts them with their values; QApplication
// reads them from the untouched argv.
const QList<OptionInfo> &qtOptions()
{
    static const QList<OptionInfo> options = {
        {{QStringLiteral("platform")},
         QStringLiteral("名称[:参数]"),
         QStringLiteral("使用指定的 Qt 平台插件，如 xcb、wayland、offscreen")},
        {{QStringLiteral("platformpluginpath")}, QStringLiteral("目录"), QStringLiteral("在指定目录中查找平台插件")},
        {{QStringLiteral("platformtheme")}, QStringLiteral("主题"), QStringLiteral("使用指定的平台主题")},
        {{QStringLiteral("plugin")}, QStringLiteral("插件"), QStringLiteral("加载附加的插件，如输入设备插件")},
        {{QStringLiteral("display")},
         QStringLiteral("显示"),
         QStringLiteral("连接指定的 X11 显示，如 :0（仅用于 X11）")},
        {{QStringLiteral("geometry")}, QStringLiteral("几何"), QStringLiteral("同 -qwindowgeometry（仅用于 X11）")},
        {{QStringLiteral("qwindowgeometry")},
         QStringLiteral("几何"),
         QStringLiteral("主窗口的大小和位置，如 800x600+50+50")},
        {{QStringLiteral("qwindowicon")}, QStringLiteral("图标"), QStringLiteral("窗口的图标")},
        {{QStringLiteral("qwindowtitle")}, QStringLiteral("标题"), QStringLiteral("主窗口的标题")},
        {{QStringLiteral("style")}, QStringLiteral("样式"), QStringLiteral("界面样式，如 Fusion"), true},
        {{QStringLiteral("stylesheet")}, QStringLiteral("文件"), QStringLiteral("使用指定的样式表文件"), true},
        {{QStringLiteral("reverse")}, {}, QStringLiteral("界面改为从右到左排列")},
        {{QStringLiteral("session")}, QStringLiteral("会话"), QStringLiteral("恢复先前的会话（供会话管理器使用）")},
        {{QStringLiteral("widgetcount")}, {}, QStringLiteral("退出时报告未释放的窗口部件数")},
        {{QStringLiteral("qmljsdebugger")}, QStringLiteral("参数"), QStringLiteral("QML/JS 调试器的参数"), true},
    };
    return options;
}

const OptionInfo *findIn(const QList<OptionInfo> &options, const QString &name)
{
    const auto it = std::find_if(options.begin(), options.end(),
                                 [&name](const OptionInfo &info) { return info.names.contains(name); });
    return it != options.end() ? &*it : nullptr;
}

const OptionInfo *findOption(const QString &name)
{
    const OptionInfo *own = findIn(ownOptions(), name);
    return own ? own : findIn(qtOptions(), name);
}

bool isOptionArgument(const QString &argument)
{
    return argument.size() > 1 && argument.startsWith(u'-');
}

// The name in an option argument: "-a", "--a", "-a=1" and "--a=1" all name "a".
QString optionName(const QString &argument)
{
    return argument.mid(argument.startsWith(QStringLiteral("--")) ? 2 : 1).section(u'=', 0, 0);
}

// The option argument as typed, without its value.
QString spelling(const QString &argument)
{
    return argument.section(u'=', 0, 0);
}

// Columns a text takes in a terminal: CJK characters take two.
qsizetype columns(const QString &text)
{
    qsizetype width = 0;
    for (const QChar c : text) {
        const char16_t u = c.unicode();
        const bool wide = (u >= 0x1100 && u <= 0x115F) || (u >= 0x2E80 && u <= 0xA4CF) || (u >= 0xAC00 && u <= 0xD7A3)
                          || (u >= 0xF900 && u <= 0xFAFF) || (u >= 0xFE30 && u <= 0xFE4F)
                          || (u >= 0xFF00 && u <= 0xFF60) || (u >= 0xFFE0 && u <= 0xFFE6);
        width += wide ? 2 : 1;
    }
    return width;
}

// "-h, --help" for the program's options; Qt's in Qt's single-dash spelling.
QString synopsis(const OptionInfo &info, bool qt)
{
    QStringList spelled;
    for (const QString &name : info.names) {
        spelled << (name.size() == 1 || qt ? QStringLiteral("-") : QStringLiteral("--")) + name;
    }
    QString text = spelled.join(QStringLiteral(", "));
    if (!info.valueName.isEmpty()) {
        text += QStringLiteral(" <%1>").arg(info.valueName);
    }
    return text;
}

QString helpText()
{
    qsizetype width = 0;
    for (const OptionInfo &info : ownOptions()) {
        width = std::max(width, columns(synopsis(info, false)));
    }
    for (const OptionInfo &info : qtOptions()) {
        width = std::max(width, columns(synopsis(info, true)));
    }
    const auto lines = [width](const QList<OptionInfo> &options, bool qt) {
        QString text;
        for (const OptionInfo &info : options) {
            const QString left = synopsis(info, qt);
            text += QStringLiteral("  ") + left + QString(width - columns(left) + 2, u' ') + info.description + u'\n';
        }
        return text;
    };
    return QStringLiteral("用法：tarvo [选项]\n"
                          "打字练习游戏：由随机大写字母组成的单词从练习区落下，输入单词并按空格键消去它。\n"
                          "不带选项启动时打开游戏窗口。\n"
                          "\n"
                          "选项：\n")
           + lines(ownOptions(), false) + QStringLiteral("\nQt 选项（交给 Qt 处理）：\n") + lines(qtOptions(), true);
}

CommandLine usageError(const QString &program, const QString &problem)
{
    CommandLine result;
    result.action = CommandLine::Action::UsageError;
    result.message = QStringLiteral("tarvo: %1\n请运行“%2 --help”查看可用的选项。\n").arg(problem, program);
    return result;
}

QString quoted(const QString &text)
{
    return QStringLiteral("“%1”").arg(text);
}

// What is wrong with an option the parser knows, found by walking the
// arguments as the parser does: a switch given a value, an option that needs
// one given last, or a value joined with "=" to a Qt option that Qt reads
// only as "-name value" (Qt would silently ignore that argument). Empty when
// nothing is.
QString optionProblem(const QStringList &arguments)
{
    for (qsizetype i = 1; i < arguments.size(); ++i) {
        const QString &argument = arguments.at(i);
        if (argument == QStringLiteral("--")) {
            break;
        }
        const OptionInfo *info = isOptionArgument(argument) ? findOption(optionName(argument)) : nullptr;
        if (!info) {
            continue;
        }
        const bool joined = argument.contains(u'=');
        if (info->valueName.isEmpty()) {
            if (joined) {
                return QStringLiteral("选项%1不带值").arg(quoted(spelling(argument)));
            }
        } else if (!joined) {
            if (++i == arguments.size()) {
                return QStringLiteral("选项%1缺少值").arg(quoted(argument));
            }
        } else if (findIn(qtOptions(), optionName(argument)) == info && !info->joinedValue) {
            return QStringLiteral("Qt 不认识%1的写法，请写作%2")
                .arg(quoted(argument), quoted(spelling(argument) + u' ' + argument.section(u'=', 1)));
        }
    }
    return {};
}

} // namespace

QStringList argumentList(int argc, const char *const *argv)
{
    QStringList arguments;
    arguments.reserve(argc);
    for (int i = 0; i < argc; ++i) {
        arguments << QString::fromLocal8Bit(argv[i]);
    }
    return arguments;
}

CommandLine parseCommandLine(const QStringList &arguments)
{
    const QStringList args = arguments.isEmpty() ? QStringList{QStringLiteral("tarvo")} : arguments;
    const QString &program = args.first();

    QCommandLineParser parser;
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    for (const QList<OptionInfo> *list : {&ownOptions(), &qtOptions()}) {
        for (const OptionInfo &info : *list) {
            parser.addOption(QCommandLineOption(info.names, info.description, info.valueName));
        }
    }

    if (!parser.parse(args)) {
        const QStringList unknown = parser.unknownOptionNames();
        if (unknown.isEmpty()) {
            const QString problem = optionProblem(args);
            return usageError(program, problem.isEmpty() ? QStringLiteral("命令行有误") : problem);
        }
        // Named as typed: the parser keeps only the bare names.
        QStringList named;
        for (const QString &name : unknown) {
            const auto it = std::find_if(args.begin() + 1, args.end(), [&name](const QString &argument) {
                return isOptionArgument(argument) && optionName(argument) == name;
            });
            named << quoted(it != args.end() ? spelling(*it) : QStringLiteral("--") + name);
        }
        return usageError(program, QStringLiteral("未知的选项%1").arg(named.join(u'、')));
    }

    CommandLine result;
    if (parser.isSet(QStringLiteral("help"))) {
        result.action = CommandLine::Action::ShowHelp;
        result.message = helpText();
        return result;
    }
    if (parser.isSet(QStringLiteral("version"))) {
        result.action = CommandLine::Action::ShowVersion;
        result.message = QStringLiteral("tarvo " TARVO_VERSION "\n");
        return result;
    }
    if (const QString problem = optionProblem(args); !problem.isEmpty()) {
        return usageError(program, problem);
    }
    if (!parser.positionalArguments().isEmpty()) {
        return usageError(program, QStringLiteral("多余的参数%1").arg(quoted(parser.positionalArguments().first())));
    }
    result.platform = parser.value(QStringLiteral("platform"));
    result.display = parser.value(QStringLiteral("display"));
    return result;
}

bool displayMissing(Platform platform, const QProcessEnvironment &environment, const CommandLine &commandLine)
{
    if (platform != Platform::Unix) {
        return false;
    }
    const auto set = [&environment](const QString &name) { return !environment.value(name).isEmpty(); };
    return commandLine.platform.isEmpty() && commandLine.display.isEmpty() && !set(QStringLiteral("DISPLAY"))
           && !set(QStringLiteral("WAYLAND_DISPLAY")) && !set(QStringLiteral("QT_QPA_PLATFORM"));
}

QString noDisplayMessage(const QString &program)
{
    return QStringLiteral(
               "tarvo: 找不到显示（DISPLAY 和 WAYLAND_DISPLAY 均未设置）；要在虚拟显示上运行：xvfb-run -a %1\n")
        .arg(program);
}

} // namespace tarvo
