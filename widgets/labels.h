#pragma once

#include <QFont>
#include <QLabel>
#include <QLineEdit>

class QRectF;

namespace tarvo {

// A plain-text label aligned top left, named, in its font, placed at a
// rectangle in twips. A screen reader reads its text as its name.
QLabel *addLabel(QWidget *parent, const QString &name, const QString &text, const QRectF &twips,
                 const QFont &font = QFont());
// The same for a label made elsewhere; returns it.
template<typename L>
L *setUpLabel(L *label, const QString &name, const QString &text, const QRectF &twips, const QFont &font);

// A label whose text needs a caption for a screen reader, such as a bare
// countdown: it is read as the short spoken name, with its text, and every
// change of the text is announced.
class SpokenLabel : public QLabel {
    Q_OBJECT
public:
    SpokenLabel(const QString &spokenName, QWidget *parent = nullptr);

    // Changes the shown text and tells screen readers.
    void showText(const QString &text);
};

// A text box that only shows a text: it takes no focus and no typing, and
// a screen reader finds it read-only, not editable.
class ShowingTextBox : public QLineEdit {
    Q_OBJECT
public:
    explicit ShowingTextBox(QWidget *parent = nullptr);
};

// A text that works as a link: a hand over it, reached with Tab, and
// clicked() on a left click that is pressed and released on it, on Enter,
// on Space, and on a screen reader's press action. A double click is one
// click.
class LinkLabel : public QLabel {
    Q_OBJECT
public:
    LinkLabel(const QString &text, QWidget *parent = nullptr);

signals:
    void clicked();

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void paintEvent(QPaintEvent *event) override;

private:
    bool m_pressed = false;
};

void setUpLabelImpl(QLabel *label, const QString &name, const QString &text, const QRectF &twips, const QFont &font);

template<typename L>
L *setUpLabel(L *label, const QString &name, const QString &text, const QRectF &twips, const QFont &font)
{
    setUpLabelImpl(label, name, text, twips, font);
    return label;
}

} // namespace tarvo
