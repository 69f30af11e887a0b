#include "practiceengine.h"

#include "format.h"

#include <algorithm>

namespace tarvo {

namespace {
constexpr QChar CR = QChar(13);
}

void PracticeEngine::GaTime_Timer()
{
    // The remaining time lives only in the countdown's text, which never
    // goes below "000".
    const double seconds = std::max(Val(m_view.labelText(Label::timeDisplay)) - 1, 0.0);
    const QString remaining = Format(seconds, u"000");
    m_view.setLabelText(Label::timeDisplay, remaining);

    bump(m_counters.accuracyTicks);
    bump(m_counters.speedTicks);

    if (m_counters.speedTicks > 4) {
        // Divide, then multiply, then round down: 41 characters give 491.
        const double perMinute = Int(double(m_counters.windowChars) / 5 * 60);
        m_view.setLabelText(Label::speedStatus, Format(perMinute, u"####0") + QStringLiteral(" 字/分钟"));
        m_counters.speedTicks = 0;
        m_counters.windowChars = 0;
    }

    if (m_counters.accuracyTicks > 9 && m_counters.windowSubmits != 0) {
        const double ratio = double(m_counters.windowMatches) / m_counters.windowSubmits;
        m_view.setLabelText(Label::correctStatus, Format(ratio, u"###.##%") + QStringLiteral(" 正确率"));
        m_counters.accuracyTicks = 0;
        m_counters.windowSubmits = 0;
        m_counters.windowMatches = 0;
    }

    // The countdown never goes below zero; "000" ends the exercise.
    if (Val(remaining) > 0)
        return;

    SetExerciseTimers(false);
    if (m_counters.totalSubmits == 0) {
        m_counters.totalMatches = 1;
        m_counters.totalSubmits = 1;
    }
    if (m_view.askPlayAgain(kResultTitle.toString(), ResultText())) {
        mnuStart_Click();
    } else {
        m_view.clearPicture();
        setTyped(QString());
    }
}

QString PracticeEngine::ResultText() const
{
    // Speed is per minute of the duration this exercise was started with,
    // even if the settings were changed while it ran.
    const double perMinute = double(m_counters.totalChars) / m_exerciseMinutes;
    const double accuracy = double(m_counters.totalMatches) / m_counters.totalSubmits;
    return QStringLiteral("    速  度: ") + Format(perMinute, u"##0") + QStringLiteral(" 字/分钟") + CR
           + QStringLiteral("    正确率: ") + Format(accuracy, u"###.##%") + CR + QStringLiteral("    继续练习吗?");
}

} // namespace tarvo
