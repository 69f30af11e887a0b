#pragma once

#include <QColor>
#include <QLineF>
#include <QWidget>

namespace tarvo {

// A straight line of the window's 3-D frame, given by its end points in
// twips in the parent's coordinates. It covers just its own bounding box
// and lets mouse events through to the window below.
class FrameLine : public QWidget {
    Q_OBJECT
public:
    FrameLine(const QString &name, const QLineF &twips, int penWidth, const QColor &color, QWidget *parent);

    QLineF twipsLine() const { return m_line; }
    void setTwipsLine(const QLineF &twips);

    double x1() const { return m_line.x1(); }
    double y1() const { return m_line.y1(); }
    double x2() const { return m_line.x2(); }
    double y2() const { return m_line.y2(); }

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QLineF m_line;
    int m_penWidth;
    QColor m_color;
};

} // namespace tarvo
