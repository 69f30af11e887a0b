#pragma once

#include <QRect>
#include <QRectF>

class QWidget;

namespace tarvo {

// Positions and sizes are designed in twips, 1440 per inch, and turned into
// pixels with the logical DPI of the widget's screen (15 twips per pixel at
// 96 dpi).
inline constexpr double kTwipsPerInch = 1440.0;

// How many twips one pixel covers, across and down.
struct TwipsScale {
    double x = 15.0;
    double y = 15.0;

    // The scale at a logical DPI; a DPI that is not positive counts as 96.
    static TwipsScale atDpi(double dpiX, double dpiY);
};

TwipsScale twipsScale(const QWidget *widget);
double twipsPerPixelX(const QWidget *widget);
double twipsPerPixelY(const QWidget *widget);

// The pixel rectangle of a rectangle in twips: left, top, width and height
// each rounded to the nearest pixel (halves away from zero), no size below
// zero, and at least minHeight pixels high.
QRect pixelRect(const QRectF &twips, TwipsScale scale, int minHeight = 0);
QRect twipsToPixels(const QWidget *widget, const QRectF &twips);

// The least height in pixels that shows a widget's caption whole: a text
// label's line height, an option button's own height; 0 for other widgets.
int captionHeight(const QWidget *widget);

// Places a child widget at a rectangle given in twips. The rectangle is kept
// on the widget (twipsGeometry) so that layout rules and tests read it back
// exactly, e.g. a Left of 3277.5. The design's heights were chosen for fonts
// of tighter line spacing than most Linux fonts, so a label or option button
// grows to its captionHeight and is never cut off at the bottom.
void placeInTwips(QWidget *widget, const QRectF &twips);
QRectF twipsGeometry(const QWidget *widget);

} // namespace tarvo
