#pragma once

#include <QLineF>
#include <QRectF>
#include <QSizeF>

namespace tarvo {

// The places of the main window's controls, in twips in the client area:
// rectangles as Left / Top / Width / Height, lines by their end points.
struct MainLayout {
    QRectF textWord;
    QRectF GamePict;
    QRectF lblPause;
    QRectF correctStatus;
    QLineF Line4;
    QLineF Line3;
    QLineF Line2;
    QLineF Line1;
    QRectF lblSpeed;
    QRectF lblTime;
    QRectF timeDisplay;
    QRectF speedStatus;

    bool operator==(const MainLayout &) const = default;
};

// The window's client area as designed, and its outer size: the client
// area with the frame (border, title bar and menu bar) around it.
inline constexpr QSizeF kDesignClientSize(7710, 6300);
inline constexpr QSizeF kDesignOuterSize(7830, 6990);

// Where every control was designed to be.
inline constexpr MainLayout kDesignLayout{
    .textWord = QRectF(3120, 5820, 1275, 315),
    .GamePict = QRectF(180, 720, 7395, 5055),
    .lblPause = QRectF(1080, 300, 975, 255),
    .correctStatus = QRectF(2220, 300, 1335, 255),
    .Line4 = QLineF(7680, 0, 7680, 6180),
    .Line3 = QLineF(30, 0, 7680, 0),
    .Line2 = QLineF(30, 6180, 7670, 6180),
    .Line1 = QLineF(30, 0, 30, 6180),
    .lblSpeed = QRectF(240, 300, 855, 255),
    .lblTime = QRectF(6360, 300, 495, 255),
    .timeDisplay = QRectF(6900, 180, 615, 375),
    .speedStatus = QRectF(1140, 300, 1035, 195),
};

// The resize rule: every control's place for a window of the given outer
// size (frame included), in twips. The play field stretches with the
// window; the frame lines, the countdown with its caption and the
// typed-text box follow the right and bottom edges; the status labels on
// the left keep their places.
MainLayout mainLayout(QSizeF outer);

// The outer size the resize rule is given for a window of this outer size
// around this client area (below the menu bar), both in twips. The rule's
// margins fit the design's frame; under a thicker frame (a taller title bar,
// say) they would put the bottom or right controls outside the client area.
// So on each axis where the frame is thicker than the design's, the rule
// works from the client area with the design's frame around it; elsewhere
// it gets the outer size as it is.
QSizeF layoutOuterSize(QSizeF outer, QSizeF client);

} // namespace tarvo
