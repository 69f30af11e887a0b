#include "layout.h"

#include <algorithm>
#include <cmath>

namespace tarvo {

MainLayout mainLayout(QSizeF outer)
{
    const double W = outer.width();
    const double H = outer.height();
    MainLayout l = kDesignLayout;

    // The frame: its right edge 150 twips and its bottom 810 twips inside
    // the outer size, which leaves room for the window's border and menu bar.
    l.Line4 = QLineF(W - 150, l.Line4.y1(), W - 150, H - 810);
    l.Line3.setP2(QPointF(W - 150, l.Line3.y2()));
    l.Line1.setP2(QPointF(l.Line1.x2(), H - 810));
    l.Line2 = QLineF(l.Line2.x1(), H - 810, W - 150, H - 810);

    // A window lower than the status strip (a minimised one, say) must not
    // give a negative height, nor a narrow one a negative width.
    l.GamePict.setHeight(std::fabs(H - 1940));
    l.GamePict.setWidth(std::max(0.0, W - 480));

    l.timeDisplay.moveLeft(W - 930);
    l.lblTime.moveLeft(W - 1470);

    l.textWord.moveTop(H - 1170);
    l.textWord.moveLeft(W / 2 - l.textWord.width() / 2);
    return l;
}

QSizeF layoutOuterSize(QSizeF outer, QSizeF client)
{
    const QSizeF designFrame = kDesignOuterSize - kDesignClientSize;
    return QSizeF(std::min(outer.width(), client.width() + designFrame.width()),
                  std::min(outer.height(), client.height() + designFrame.height()));
}

} // namespace tarvo
