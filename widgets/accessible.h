#pragma once

#include <QAccessibleWidget>

namespace tarvo {

// What a screen reader needs of a widget that shows a text it paints or
// names itself: its role, its name, and its text through the text
// interface, read-only.
class PlainTextAccessible : public QAccessibleWidget, public QAccessibleTextInterface {
public:
    PlainTextAccessible(QWidget *widget, QAccessible::Role role);

    // The text the widget shows now.
    virtual QString plainText() const = 0;

    void *interface_cast(QAccessible::InterfaceType type) override;
    QAccessible::State state() const override;

    // QAccessibleTextInterface, over plainText().
    void selection(int selectionIndex, int *startOffset, int *endOffset) const override;
    int selectionCount() const override { return 0; }
    void addSelection(int, int) override {}
    void removeSelection(int) override {}
    void setSelection(int, int, int) override {}
    int cursorPosition() const override { return 0; }
    void setCursorPosition(int) override {}
    QString text(int startOffset, int endOffset) const override;
    int characterCount() const override;
    QRect characterRect(int) const override { return {}; }
    int offsetAtPoint(const QPoint &) const override { return -1; }
    void scrollToSubstring(int, int) override {}
    QString attributes(int offset, int *startOffset, int *endOffset) const override;

    using QAccessibleWidget::text;
};

// Tells screen readers that a widget's shown text changed from `before` to
// `after`. Returns whether it told them: the texts differ and a reader
// listens.
bool announceTextChange(QObject *object, const QString &before, const QString &after);

// Tells a screen reader, with a dialog's name, whether the dialog holds a
// running exercise until it is closed.
void describeSuspension(QWidget *dialog, bool suspended);

// Adds a maker of accessible interfaces to Qt's, the first time it is asked
// for; later calls with the same factory do nothing.
void installAccessibleFactory(QAccessible::InterfaceFactory factory);

} // namespace tarvo
