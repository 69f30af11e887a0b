#include "fonts.h"

#include <QApplication>
#include <QFontDatabase>
#include <QFontInfo>
#include <QFontMetricsF>
#include <QList>
#include <QStringList>
#include <QTextLayout>

#include <clocale>
#include <string>

#include <utility>

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

// Faces that serve as the design's Song face, in order of preference: the
// design's own, then the Linux faces with half-width Latin letters, then the
// proportional ones.
const QStringList kSongCandidates = {
    QStringLiteral("SimSun"),
    QStringLiteral("NSimSun"),
    QStringLiteral("宋体"),
    QStringLiteral("Noto Sans Mono CJK SC"),
    QStringLiteral("WenQuanYi Zen Hei Mono"),
    QStringLiteral("Noto Serif CJK SC"),
    QStringLiteral("Source Han Serif SC"),
    QStringLiteral("AR PL UMing CN"),
    QStringLiteral("Noto Sans CJK SC"),
    QStringLiteral("WenQuanYi Micro Hei"),
};

bool drawsSimplifiedChinese(const QString &family)
{
    return QFontDatabase::families(QFontDatabase::SimplifiedChinese).contains(family);
}

// A Latin capital no wider than about half the em, as in a Song face. It is
// measured at the size the labels use, so the face loaded for it serves
// them too.
bool hasHalfWidthLatin(const QString &family)
{
    const QFont probe = makeFont({family}, QFont::Serif, 9, false);
    return QFontMetricsF(probe).horizontalAdvance(QLatin1Char('W')) <= 0.55 * QFontInfo(probe).pixelSize();
}

const QStringList &songFamilies()
{
    static const QStringList families = [] {
        QStringList installed;
        for (const QString &family : kSongCandidates)
            if (drawsSimplifiedChinese(family))
                installed.append(family);
        for (qsizetype i = 0; i < installed.size(); ++i) {
            if (hasHalfWidthLatin(installed[i])) {
                installed.move(i, 0);
                break;
            }
        }
        return installed.isEmpty() ? kSongCandidates : installed;
    }();
    return families;
}

// The text shaper picks a face's glyph forms by the language of the C
// library's locale, read once, at the first text it shapes: under a Japanese
// locale the Simplified Chinese faces would draw Japanese forms of the same
// characters. Shaping the first text in the neutral C locale gives every
// language setting the faces' own forms.
void useLocaleFreeGlyphForms()
{
    const char *current = std::setlocale(LC_CTYPE, nullptr);
    const std::string saved = current ? current : "";
    if (!std::setlocale(LC_CTYPE, "C.UTF-8") && !std::setlocale(LC_CTYPE, "C"))
        return;
    QTextLayout layout(QStringLiteral("中文"), songFont(9));
    layout.beginLayout();
    layout.createLine();
    layout.endLayout();
    std::setlocale(LC_CTYPE, saved.c_str());
}

} // namespace

QFont songFont(double pointSize, bool bold)
{
    return makeFont(songFamilies(), QFont::Serif, pointSize, bold);
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

void useChineseInterfaceFont()
{
    static const bool glyphFormsFixed = [] {
        useLocaleFreeGlyphForms();
        return true;
    }();
    Q_UNUSED(glyphFormsFixed);
    // A desktop theme sets its fonts again after start-up, and again when
    // the user changes them; each time the faces are set anew, the sizes
    // kept. Nothing changes when they are set already.
    const QStringList &families = songFamilies();
    if (QApplication::font().families() == families)
        return;
    // The desktop may give some classes fonts of their own (menus, message
    // boxes); each keeps its size and takes the Chinese faces. Setting the
    // default font forgets the class fonts, so they are read first.
    QList<std::pair<const char *, QFont>> classFonts;
    for (const char *widgetClass : {"QMenuBar", "QMenu", "QMessageBox", "QPushButton", "QRadioButton", "QGroupBox",
                                    "QLabel", "QLineEdit", "QToolTip"}) {
        QFont font = QApplication::font(widgetClass);
        font.setFamilies(families);
        classFonts.append({widgetClass, font});
    }
    QFont font = QApplication::font();
    font.setFamilies(families);
    QApplication::setFont(font);
    for (const auto &[widgetClass, classFont] : classFonts)
        QApplication::setFont(classFont, widgetClass);
}

} // namespace tarvo
