#include "frameline.h"

#include "twips.h"

#include <QPainter>

#include <algorithm>
#include <cmath>

namespace tarvo {

FrameLine::FrameLine(const QString &name, const QLineF &twips, int penWidth, const QColor &color, QWidget *parent)
    : QWidget(parent),
      m_penWidth(penWidth),
      m_color(color)
{
    setObjectName(name);
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setFocusPolicy(Qt::NoFocus);
    setTwipsLine(twips);
}

void FrameLine::setTwipsLine(const QLineF &twips)
{
    m_line = twips;
    const double px = twipsPerPixelX(this);
    const double py = twipsPerPixelY(this);
    const QPoint a(int(std::lround(twips.x1() / px)), int(std::lround(twips.y1() / py)));
    const QPoint b(int(std::lround(twips.x2() / px)), int(std::lround(twips.y2() / py)));
    // The pen is centred on the line; cover its whole width.
    const int half = m_penWidth / 2;
    const QRect box =
        QRect(QPoint(std::min(a.x(), b.x()) - half, std::min(a.y(), b.y()) - half),
              QPoint(std::max(a.x(), b.x()) + m_penWidth - half - 1, std::max(a.y(), b.y()) + m_penWidth - half - 1));
    setGeometry(box);
    update();
}

void FrameLine::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.fillRect(rect(), m_color);
}

} // namespace tarvo
