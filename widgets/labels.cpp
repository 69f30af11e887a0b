#include "labels.h"

#include "accessible.h"
#include "twips.h"

#include <QAccessible>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QStyleOptionFocusRect>

namespace tarvo {

namespace {

class SpokenLabelAccessible final : public PlainTextAccessible {
public:
    explicit SpokenLabelAccessible(SpokenLabel *label) : PlainTextAccessible(label, QAccessible::StaticText) {}

    QString plainText() const override { return static_cast<const QLabel *>(widget())->text(); }
    QString text(QAccessible::Text t) const override
    {
        if (t == QAccessible::Description)
            return plainText();
        return PlainTextAccessible::text(t);
    }
};

class ShowingTextBoxAccessible final : public PlainTextAccessible {
public:
    explicit ShowingTextBoxAccessible(ShowingTextBox *box) : PlainTextAccessible(box, QAccessible::EditableText) {}
    QString plainText() const override { return static_cast<const QLineEdit *>(widget())->text(); }
};

class LinkAccessible final : public QAccessibleWidget {
public:
    explicit LinkAccessible(LinkLabel *label) : QAccessibleWidget(label, QAccessible::Link) {}

    QString text(QAccessible::Text t) const override
    {
        if (t == QAccessible::Name && widget()->accessibleName().isEmpty())
            return static_cast<const QLabel *>(widget())->text();
        return QAccessibleWidget::text(t);
    }
    QStringList actionNames() const override { return {pressAction()}; }
    void doAction(const QString &action) override
    {
        if (action == pressAction())
            emit static_cast<LinkLabel *>(widget())->clicked();
    }
};

QAccessibleInterface *labelAccessible(const QString &, QObject *object)
{
    if (auto *spoken = qobject_cast<SpokenLabel *>(object))
        return new SpokenLabelAccessible(spoken);
    if (auto *link = qobject_cast<LinkLabel *>(object))
        return new LinkAccessible(link);
    if (auto *box = qobject_cast<ShowingTextBox *>(object))
        return new ShowingTextBoxAccessible(box);
    return nullptr;
}

} // namespace

QLabel *addLabel(QWidget *parent, const QString &name, const QString &text, const QRectF &twips, const QFont &font)
{
    return setUpLabel(new QLabel(parent), name, text, twips, font);
}

void setUpLabelImpl(QLabel *label, const QString &name, const QString &text, const QRectF &twips, const QFont &font)
{
    label->setObjectName(name);
    label->setTextFormat(Qt::PlainText);
    label->setText(text);
    label->setFont(font);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    placeInTwips(label, twips);
}

SpokenLabel::SpokenLabel(const QString &spokenName, QWidget *parent) : QLabel(parent)
{
    installAccessibleFactory(labelAccessible);
    setAccessibleName(spokenName);
}

void SpokenLabel::showText(const QString &text)
{
    const QString before = this->text();
    setText(text);
    if (announceTextChange(this, before, text)) {
        // Its description is its text too, for readers that speak a label's
        // name and description.
        QAccessibleEvent description(this, QAccessible::DescriptionChanged);
        QAccessible::updateAccessibility(&description);
    }
}

ShowingTextBox::ShowingTextBox(QWidget *parent) : QLineEdit(parent)
{
    installAccessibleFactory(labelAccessible);
    setReadOnly(true);
    setEnabled(false);
    setFocusPolicy(Qt::NoFocus);
}

LinkLabel::LinkLabel(const QString &text, QWidget *parent) : QLabel(text, parent)
{
    installAccessibleFactory(labelAccessible);
    setTextFormat(Qt::PlainText);
    setCursor(Qt::PointingHandCursor);
    setFocusPolicy(Qt::TabFocus);
}

void LinkLabel::mousePressEvent(QMouseEvent *event)
{
    m_pressed = event->button() == Qt::LeftButton;
    event->accept();
}

void LinkLabel::mouseReleaseEvent(QMouseEvent *event)
{
    const bool click = m_pressed && event->button() == Qt::LeftButton && rect().contains(event->position().toPoint());
    m_pressed = false;
    event->accept();
    if (click)
        emit clicked();
}

void LinkLabel::mouseDoubleClickEvent(QMouseEvent *event)
{
    // The second press of a double click: its release must not click again.
    m_pressed = false;
    event->accept();
}

void LinkLabel::keyPressEvent(QKeyEvent *event)
{
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Space:
        if (!event->isAutoRepeat())
            emit clicked();
        event->accept();
        return;
    default:
        QLabel::keyPressEvent(event);
    }
}

void LinkLabel::paintEvent(QPaintEvent *event)
{
    QLabel::paintEvent(event);
    if (!hasFocus())
        return;
    QPainter painter(this);
    QStyleOptionFocusRect option;
    option.initFrom(this);
    option.rect = contentsRect();
    style()->drawPrimitive(QStyle::PE_FrameFocusRect, &option, &painter, this);
}

} // namespace tarvo
