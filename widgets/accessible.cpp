#include "accessible.h"

#include <QAccessible>
#include <QList>
#include <QWidget>

namespace tarvo {

PlainTextAccessible::PlainTextAccessible(QWidget *widget, QAccessible::Role role) : QAccessibleWidget(widget, role) {}

void *PlainTextAccessible::interface_cast(QAccessible::InterfaceType type)
{
    if (type == QAccessible::TextInterface)
        return static_cast<QAccessibleTextInterface *>(this);
    return QAccessibleWidget::interface_cast(type);
}

QAccessible::State PlainTextAccessible::state() const
{
    QAccessible::State s = QAccessibleWidget::state();
    s.readOnly = true;
    s.editable = false;
    return s;
}

void PlainTextAccessible::selection(int, int *startOffset, int *endOffset) const
{
    *startOffset = 0;
    *endOffset = 0;
}

QString PlainTextAccessible::text(int startOffset, int endOffset) const
{
    const QString all = plainText();
    startOffset = qBound(0, startOffset, int(all.size()));
    endOffset = endOffset < 0 ? int(all.size()) : qBound(startOffset, endOffset, int(all.size()));
    return all.mid(startOffset, endOffset - startOffset);
}

int PlainTextAccessible::characterCount() const
{
    return int(plainText().size());
}

QString PlainTextAccessible::attributes(int offset, int *startOffset, int *endOffset) const
{
    *startOffset = offset;
    *endOffset = offset;
    return {};
}

bool announceTextChange(QObject *object, const QString &before, const QString &after)
{
    if (before == after || !QAccessible::isActive())
        return false;
    QAccessibleTextUpdateEvent update(object, 0, before, after);
    QAccessible::updateAccessibility(&update);
    return true;
}

void installAccessibleFactory(QAccessible::InterfaceFactory factory)
{
    static QList<QAccessible::InterfaceFactory> installed;
    if (installed.contains(factory))
        return;
    installed.append(factory);
    QAccessible::installFactory(factory);
}

} // namespace tarvo
