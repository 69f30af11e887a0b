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

// The window's client area as designed.
inline constexpr QSizeF kDesignClientSize(7710, 6300);

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

} // namespace tarvo
