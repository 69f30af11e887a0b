#include "fonts.h"

#include <QStringList>

namespace tarvo {

namespace {

QFont makeFont(const QStringList &families, QFont::StyleHint hint, double pointSize, bool bold)
{
    QFont font;
    font.setFamilies(families);
    font.setStyleHint(hint);
    font.setPointSizeF(pointSize);
    font.setBold(bold);
    return font;
}

} // namespace

QFont songFont(double pointSize, bool bold)
{
    return makeFont({QStringLiteral("SimSun"), QStringLiteral("宋体"), QStringLiteral("NSimSun"),
                     QStringLiteral("Noto Serif CJK SC"), QStringLiteral("Source Han Serif SC"),
                     QStringLiteral("AR PL UMing CN"), QStringLiteral("Noto Sans CJK SC"),
                     QStringLiteral("WenQuanYi Micro Hei")},
                    QFont::Serif, pointSize, bold);
}

QFont arialFont(double pointSize, bool bold)
{
    return makeFont({QStringLiteral("Arial"), QStringLiteral("Liberation Sans"), QStringLiteral("Arimo"),
                     QStringLiteral("Helvetica"), QStringLiteral("DejaVu Sans")},
                    QFont::SansSerif, pointSize, bold);
}

QFont playFieldFont()
{
    return makeFont({QStringLiteral("System"), QStringLiteral("DejaVu Sans"), QStringLiteral("Noto Sans"),
                     QStringLiteral("Liberation Sans")},
                    QFont::SansSerif, 12, true);
}

} // namespace tarvo
