#include "gamepict.h"

#include "accessible.h"
#include "colours.h"
#include "fonts.h"
#include "twips.h"

#include <QAccessible>
#include <QFontMetricsF>
#include <QKeyEvent>
#include <QPainter>

#include <algorithm>

namespace tarvo {

namespace {

const QColor kField(224, 224, 224);

// The play field as a screen reader sees it: a canvas named 练习区 whose
// text is the words on it. The name stays as it is: a reader that has the
// focus on the field reads it all again whenever its name changes, which
// would cut every phrase of the game (Enter has the words said instead).
class GamePictAccessible final : public PlainTextAccessible {
public:
    explicit GamePictAccessible(GamePict *pict) : PlainTextAccessible(pict, QAccessible::Canvas) {}
    QString plainText() const override { return pict()->wordsText(); }

private:
    const GamePict *pict() const { return static_cast<const GamePict *>(widget()); }
};

QAccessibleInterface *gamePictAccessible(const QString &, QObject *object)
{
    if (auto *pict = qobject_cast<GamePict *>(object))
        return new GamePictAccessible(pict);
    return nullptr;
}

} // namespace

GamePict::GamePict(QWidget *parent) : QWidget(parent)
{
    installAccessibleFactory(gamePictAccessible);
    setObjectName(QStringLiteral("GamePict"));
    setAccessibleName(QStringLiteral("练习区"));
    setFont(playFieldFont());
    setFocusPolicy(Qt::StrongFocus);
    // Letters typed while a Chinese input method is active must arrive as
    // plain key presses, not be composed into Chinese text.
    setAttribute(Qt::WA_InputMethodEnabled, false);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setContextMenuPolicy(Qt::PreventContextMenu);
    updateInk();
}

void GamePict::updateInk()
{
    m_ink = readableOn(palette().color(QPalette::WindowText), kField);
}

double GamePict::scaleHeightTwips() const
{
    const double inner = twipsGeometry(this).height() - 2 * kBorder * twipsPerPixelY(this);
    return inner > 0 ? inner : 0.0;
}

double GamePict::textWidthTwips(const QString &text) const
{
    return QFontMetricsF(font()).horizontalAdvance(text) * twipsPerPixelX(this);
}

void GamePict::clearPicture()
{
    m_items.clear();
    m_previousShapes.swap(m_shapes);
    m_shapes.clear();
    update();
    wordsMayHaveChanged();
}

QStaticText GamePict::shapeFor(const QString &text)
{
    if (auto it = m_shapes.constFind(text); it != m_shapes.cend())
        return *it;
    QStaticText shape = m_previousShapes.value(text);
    if (shape.text().isEmpty()) {
        shape.setText(text);
        shape.setTextFormat(Qt::PlainText);
        shape.setPerformanceHint(QStaticText::AggressiveCaching);
        shape.prepare(QTransform(), font());
    }
    m_shapes.insert(text, shape);
    return shape;
}

void GamePict::printWord(float x, float y, const QString &text)
{
    m_items.append(Item{QPointF(x, y), shapeFor(text)});
    update();
    wordsMayHaveChanged();
}

QList<const GamePict::Item *> GamePict::lowestFirst() const
{
    QList<const Item *> items;
    items.reserve(m_items.size());
    for (const Item &item : m_items)
        items.append(&item);
    std::stable_sort(items.begin(), items.end(),
                     [](const Item *a, const Item *b) { return a->position.y() > b->position.y(); });
    return items;
}

QString GamePict::wordsText() const
{
    QString words;
    for (const Item *item : lowestFirst()) {
        if (!words.isEmpty())
            words += u' ';
        words += item->shape.text();
    }
    return words;
}

void GamePict::wordsMayHaveChanged()
{
    // A fall tick clears the picture and draws every word again; the check
    // waits until the tick is over, and costs nothing without a reader.
    if (m_announcePending || !QAccessible::isActive())
        return;
    m_announcePending = true;
    QMetaObject::invokeMethod(this, &GamePict::announceWords, Qt::QueuedConnection);
}

void GamePict::announceWords()
{
    m_announcePending = false;
    const QString words = wordsText();
    announceTextChange(this, m_announcedWords, words);
    m_announcedWords = words;
}

QList<GamePict::DrawnWord> GamePict::picture() const
{
    QList<DrawnWord> words;
    words.reserve(m_items.size());
    for (const Item &item : m_items)
        words.append(DrawnWord{item.position, item.shape.text()});
    return words;
}

void GamePict::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    const QRect all = rect();
    painter.fillRect(all, kField);

    // Sunken border, two pixels: grey and dark grey outside, white and
    // light grey inside the bottom-right. Each line is filled as a
    // one-pixel rectangle, which costs far less than stroking it.
    const auto line = [&painter](int x1, int y1, int x2, int y2, const QColor &color) {
        painter.fillRect(QRect(QPoint(x1, y1), QPoint(x2, y2)).normalized(), color);
    };
    const int r = all.width() - 1;
    const int b = all.height() - 1;
    line(0, 0, r, 0, QColor(128, 128, 128));
    line(0, 0, 0, b, QColor(128, 128, 128));
    line(0, b, r, b, Qt::white);
    line(r, 0, r, b, Qt::white);
    line(1, 1, r - 1, 1, QColor(64, 64, 64));
    line(1, 1, 1, b - 1, QColor(64, 64, 64));
    line(1, b - 1, r - 1, b - 1, QColor(212, 208, 200));
    line(r - 1, 1, r - 1, b - 1, QColor(212, 208, 200));

    painter.setClipRect(all.adjusted(kBorder, kBorder, -kBorder, -kBorder));
    painter.setFont(font());
    painter.setPen(m_ink);
    const double px = twipsPerPixelX(this);
    const double py = twipsPerPixelY(this);
    for (const Item &item : std::as_const(m_items)) {
        const QPointF at(kBorder + item.position.x() / px, kBorder + item.position.y() / py);
        painter.drawStaticText(at, item.shape);
    }
}

void GamePict::keyPressEvent(QKeyEvent *event)
{
    // A letter typed with Alt held is a menu key, and one with Control or the
    // logo key a shortcut: never a letter of the game.
    if (event->modifiers() & (Qt::AltModifier | Qt::ControlModifier | Qt::MetaModifier)) {
        QWidget::keyPressEvent(event);
        return;
    }
    int code = -1;
    if (event->key() == Qt::Key_Backspace)
        code = 8;
    else if (!event->text().isEmpty())
        code = event->text().at(0).unicode();
    if (code < 0) {
        QWidget::keyPressEvent(event);
        return;
    }
    event->accept();
    emit keyPressed(code);
}

bool GamePict::focusNextPrevChild(bool)
{
    // Tab is a key like any other here; the focus stays on the play field.
    return false;
}

void GamePict::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::PaletteChange) {
        updateInk();
        update();
    }
    if (event->type() == QEvent::FontChange) {
        m_shapes.clear();
        m_previousShapes.clear();
        for (Item &item : m_items)
            item.shape = shapeFor(item.shape.text());
        update();
    }
    QWidget::changeEvent(event);
}

} // namespace tarvo
