#include "twips.h"

#include <QGuiApplication>
#include <QLabel>
#include <QRadioButton>
#include <QScreen>
#include <QVariant>
#include <QWidget>

#include <algorithm>
#include <cmath>

namespace tarvo {

namespace {

constexpr double kTwipsPerInch = 1440.0;
constexpr char kTwipsProperty[] = "twipsGeometry";

const QScreen *screenOf(const QWidget *widget)
{
    const QScreen *screen = widget ? widget->screen() : nullptr;
    return screen ? screen : QGuiApplication::primaryScreen();
}

int toPixels(double twips, double perPixel)
{
    return int(std::lround(twips / perPixel));
}

} // namespace

double twipsPerPixelX(const QWidget *widget)
{
    const QScreen *screen = screenOf(widget);
    const double dpi = screen ? screen->logicalDotsPerInchX() : 96.0;
    return kTwipsPerInch / (dpi > 0 ? dpi : 96.0);
}

double twipsPerPixelY(const QWidget *widget)
{
    const QScreen *screen = screenOf(widget);
    const double dpi = screen ? screen->logicalDotsPerInchY() : 96.0;
    return kTwipsPerInch / (dpi > 0 ? dpi : 96.0);
}

QRect twipsToPixels(const QWidget *widget, const QRectF &twips)
{
    const double px = twipsPerPixelX(widget);
    const double py = twipsPerPixelY(widget);
    return QRect(toPixels(twips.left(), px), toPixels(twips.top(), py), std::max(0, toPixels(twips.width(), px)),
                 std::max(0, toPixels(twips.height(), py)));
}

void placeInTwips(QWidget *widget, const QRectF &twips)
{
    widget->setProperty(kTwipsProperty, twips);
    QRect pixels = twipsToPixels(widget, twips);
    // The design's heights were chosen for fonts of tighter line spacing than
    // most Linux fonts; a caption is never cut off at the bottom.
    int textHeight = 0;
    if (const auto *label = qobject_cast<const QLabel *>(widget); label && label->pixmap().isNull())
        textHeight = label->fontMetrics().height();
    else if (qobject_cast<const QRadioButton *>(widget))
        textHeight = widget->sizeHint().height();
    if (pixels.height() < textHeight)
        pixels.setHeight(textHeight);
    widget->setGeometry(pixels);
}

QRectF twipsGeometry(const QWidget *widget)
{
    return widget->property(kTwipsProperty).toRectF();
}

void resizeInTwips(QWidget *window, double width, double height)
{
    window->resize(toPixels(width, twipsPerPixelX(window)), toPixels(height, twipsPerPixelY(window)));
}

} // namespace tarvo
