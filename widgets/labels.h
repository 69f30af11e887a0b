#pragma once

#include <QFont>
#include <QLabel>

class QRectF;

namespace tarvo {

// A plain-text label aligned top left, named, in its font, placed at a
// rectangle in twips.
QLabel *addLabel(QWidget *parent, const QString &name, const QString &text, const QRectF &twips,
                 const QFont &font = QFont());

// A text that works as a link: a hand over it, and clicked() on a left
// click that is pressed and released on it.
class LinkLabel : public QLabel {
    Q_OBJECT
public:
    LinkLabel(const QString &text, QWidget *parent = nullptr);

signals:
    void clicked();

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    bool m_pressed = false;
};

} // namespace tarvo
