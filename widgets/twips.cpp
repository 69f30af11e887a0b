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

constexpr char kTwipsProperty[] = "twipsGeometry";

int toPixels(double twips, double perPixel)
{
    return int(std::lround(twips / perPixel));
}

} // namespace

TwipsScale TwipsScale::atDpi(double dpiX, double dpiY)
{
    return {kTwipsPerInch / (dpiX > 0 ? dpiX : 96.0), kTwipsPerInch / (dpiY > 0 ? dpiY : 96.0)};
}

TwipsScale twipsScale(const QWidget *widget)
{
    const QScreen *screen = widget ? widget->screen() : nullptr;
    if (!screen)
        screen = QGuiApplication::primaryScreen();
    if (!screen)
        return TwipsScale::atDpi(96.0, 96.0);
    return TwipsScale::atDpi(screen->logicalDotsPerInchX(), screen->logicalDotsPerInchY());
}

double twipsPerPixelX(const QWidget *widget)
{
    return twipsScale(widget).x;
}

double twipsPerPixelY(const QWidget *widget)
{
    return twipsScale(widget).y;
}

QRect pixelRect(const QRectF &twips, TwipsScale scale, int minHeight)
{
    const int height = std::max(0, toPixels(twips.height(), scale.y));
    return QRect(toPixels(twips.left(), scale.x), toPixels(twips.top(), scale.y),
                 std::max(0, toPixels(twips.width(), scale.x)), std::max(height, minHeight));
}

QRect twipsToPixels(const QWidget *widget, const QRectF &twips)
{
    return pixelRect(twips, twipsScale(widget));
}

int captionHeight(const QWidget *widget)
{
    if (const auto *label = qobject_cast<const QLabel *>(widget); label && label->pixmap().isNull())
        return label->fontMetrics().height();
    if (qobject_cast<const QRadioButton *>(widget))
        return widget->sizeHint().height();
    return 0;
}

void placeInTwips(QWidget *widget, const QRectF &twips)
{
    widget->setProperty(kTwipsProperty, twips);
    widget->setGeometry(pixelRect(twips, twipsScale(widget), captionHeight(widget)));
}

QRectF twipsGeometry(const QWidget *widget)
{
    return widget->property(kTwipsProperty).toRectF();
}

} // namespace tarvo
