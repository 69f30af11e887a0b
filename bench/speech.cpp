// How long the speech of a screen reader takes for the game's phrases:
// espeak-ng's Mandarin voice (Orca's default synthesiser, at the rate Orca
// asks for by default) against the estimate the narration paces its phrases
// by. Prints one row a phrase and the mean error.
#include "narration.h"

#include <QCoreApplication>
#include <QProcess>
#include <QStringList>

#include <cmath>
#include <cstdio>

using namespace tarvo;

namespace {

// espeak-ng's words per minute for the rate Orca sets by default.
constexpr int kWordsPerMinute = 180;

// Milliseconds of the WAV espeak-ng writes for a phrase: 16-bit mono
// samples after a 44-byte header.
int measuredMs(const QString &phrase)
{
    QProcess espeak;
    espeak.start(QStringLiteral("espeak-ng"), {QStringLiteral("-v"), QStringLiteral("cmn"), QStringLiteral("-s"),
                                               QString::number(kWordsPerMinute), QStringLiteral("--stdout"), phrase});
    if (!espeak.waitForFinished(20000) || espeak.exitCode() != 0)
        return -1;
    const QByteArray wav = espeak.readAllStandardOutput();
    if (wav.size() < 44)
        return -1;
    const auto byte = [&wav](int i) { return quint32(quint8(wav[i])); };
    const quint32 rate = byte(24) | byte(25) << 8 | byte(26) << 16 | byte(27) << 24;
    return rate ? int((wav.size() - 44) * 1000.0 / (2.0 * rate)) : -1;
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    // Every kind of phrase the game says, and the key echoes around them.
    const QStringList phrases = {
        QStringLiteral("通知"),
        QStringLiteral("K"),
        QStringLiteral("K Q D"),
        QStringLiteral("K Q D W E R T"),
        QStringLiteral("K Q D，A B，X Y Z"),
        QStringLiteral("开始练习，3 分钟"),
        QStringLiteral("已暂停"),
        QStringLiteral("继续练习。K Q D，A B"),
        QStringLiteral("对。K Q D，A B，X Y Z"),
        QStringLiteral("错。K Q D"),
        QStringLiteral("消去 2 个。K Q D"),
        QStringLiteral("漏掉 K Q D"),
        QStringLiteral("漏掉 12 个。A B"),
        QStringLiteral("剩余 2 分钟"),
        QStringLiteral("剩余 30 秒"),
        QStringLiteral("空格"),
    };
    std::printf("%-34s %9s %9s %7s\n", "phrase", "espeak ms", "model ms", "error");
    double sumError = 0;
    int rows = 0;
    for (const QString &phrase : phrases) {
        const int measured = measuredMs(phrase);
        if (measured < 0) {
            std::fprintf(stderr, "espeak-ng failed for %s: is it installed (scripts/setup bench)?\n",
                         qPrintable(phrase));
            return 1;
        }
        const int model = speakingTimeMs(phrase);
        const double error = 100.0 * (model - measured) / measured;
        sumError += std::fabs(error);
        ++rows;
        // Chinese characters take two columns and three bytes.
        int wide = 0;
        for (QChar c : phrase)
            wide += c.unicode() >= 0x2E80 ? 1 : 0;
        std::printf("%s%*s %9d %9d %+6.1f%%\n", qPrintable(phrase), 34 - int(phrase.size()) - wide, "", measured, model,
                    error);
    }
    std::printf("mean absolute error %.1f%% over %d phrases\n", sumError / rows, rows);
    return 0;
}
