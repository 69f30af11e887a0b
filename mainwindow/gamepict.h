#pragma once

#include <QColor>
#include <QHash>
#include <QList>
#include <QPointF>
#include <QStaticText>
#include <QString>
#include <QWidget>

namespace tarvo {

// The play field: a light-grey drawing surface with a sunken border that
// shows the words drawn since the last clear, and the only widget that
// takes the keyboard focus. Character keys pressed on it are reported as
// character codes.
class GamePict : public QWidget {
    Q_OBJECT
public:
    explicit GamePict(QWidget *parent = nullptr);

    // Width of the sunken border on each side, in pixels.
    static constexpr int kBorder = 2;

    // Inner height in twips: the drawing area below and above the border.
    double scaleHeightTwips() const;
    // Width of a text in the play field's font, in twips.
    double textWidthTwips(const QString &text) const;

    // The picture: erase everything, or draw one word with its top-left
    // corner at (x, y) twips in the drawing area.
    void clearPicture();
    void printWord(float x, float y, const QString &text);

    struct DrawnWord {
        QPointF position; // twips
        QString text;
    };
    // The words drawn since the last clear, in the order they were drawn.
    QList<DrawnWord> picture() const;
    // Their texts, lowest (the most urgent) first, separated by spaces: what
    // a screen reader reads here.
    QString wordsText() const;

    // The colour the words are drawn in: the desktop's text colour while it
    // reads well on the light-grey field.
    QColor inkColour() const { return m_ink; }

signals:
    // The character code of each character key pressed here: 8 for
    // Backspace, the code of the key's first character otherwise.
    void keyPressed(int keyAscii);

protected:
    void paintEvent(QPaintEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    bool focusNextPrevChild(bool next) override;
    void changeEvent(QEvent *event) override;

private:
    struct Item {
        QPointF position; // twips
        QStaticText shape;
    };
    QStaticText shapeFor(const QString &text);
    // Tells screen readers when the set of words shown has changed, once
    // the picture is complete again.
    void wordsMayHaveChanged();
    void announceWords();
    void updateInk();

    // The drawn words, lowest first.
    QList<const Item *> lowestFirst() const;

    QList<Item> m_items;
    // Shaped texts of the current and the previous picture: a word keeps its
    // shape from tick to tick and is laid out only once, when first drawn.
    QHash<QString, QStaticText> m_shapes;
    QHash<QString, QStaticText> m_previousShapes;
    QColor m_ink;
    QString m_announcedWords;
    bool m_announcePending = false;
};

} // namespace tarvo
