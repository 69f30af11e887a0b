#include "accessible.h"

#include <QAccessible>
#include <QList>
#include <QWidget>

#include <algorithm>

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
    // Only the part that changed: a reader then hears one new or removed
    // word, not the whole text again.
    const qsizetype shorter = std::min(before.size(), after.size());
    qsizetype head = 0;
    while (head < shorter && before[head] == after[head])
        ++head;
    qsizetype tail = 0;
    while (tail < shorter - head && before[before.size() - 1 - tail] == after[after.size() - 1 - tail])
        ++tail;
    const QString removed = before.mid(head, before.size() - head - tail);
    const QString inserted = after.mid(head, after.size() - head - tail);
    if (removed.isEmpty()) {
        QAccessibleTextInsertEvent insert(object, int(head), inserted);
        QAccessible::updateAccessibility(&insert);
    } else if (inserted.isEmpty()) {
        QAccessibleTextRemoveEvent remove(object, int(head), removed);
        QAccessible::updateAccessibility(&remove);
    } else {
        QAccessibleTextUpdateEvent update(object, int(head), removed, inserted);
        QAccessible::updateAccessibility(&update);
    }
    return true;
}

void describeSuspension(QWidget *dialog, bool suspended)
{
    // In the name, not the description: Orca 48 says a dialog's description
    // twice, once as its text and once as its description.
    dialog->setAccessibleName(suspended ? dialog->windowTitle() + QStringLiteral("，练习已暂停，关闭后继续")
                                        : QString());
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
