#pragma once

#include <QRect>
#include <QRectF>

class QWidget;

namespace tarvo {

// Positions and sizes are designed in twips, 1440 per inch, and turned into
// pixels with the logical DPI of the widget's screen (15 twips per pixel at
// 96 dpi).
double twipsPerPixelX(const QWidget *widget);
double twipsPerPixelY(const QWidget *widget);

QRect twipsToPixels(const QWidget *widget, const QRectF &twips);

// Places a child widget at a rectangle given in twips. The rectangle is kept
// on the widget (twipsGeometry) so that layout rules and tests read it back
// exactly, e.g. a Left of 3277.5. A label or option button is made at
// least as high as its text needs.
void placeInTwips(QWidget *widget, const QRectF &twips);
QRectF twipsGeometry(const QWidget *widget);

// A client area of a top-level window given in twips.
void resizeInTwips(QWidget *window, double width, double height);

} // namespace tarvo
