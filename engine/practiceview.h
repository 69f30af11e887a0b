#pragma once

#include "exercisestate.h"

#include <QString>

namespace tarvo {

// The labels of the status strip that the engine writes.
enum class Label { timeDisplay, speedStatus, correctStatus, lblPause };

// What the engine needs of the main window. The window implements it;
// tests implement it with a fake. All lengths are twips.
class PracticeView {
public:
    virtual ~PracticeView() = default;

    // Play field geometry: its offset inside the window, its outer width,
    // its inner height.
    virtual double playFieldLeft() const = 0;
    virtual double playFieldWidth() const = 0;
    virtual double playFieldScaleHeight() const = 0;
    // Width of a text drawn in the play field's font.
    virtual double textWidth(const QString &text) const = 0;

    // The play field's picture: Cls erases every drawn word; printWord adds
    // one word with its top-left corner at (x, y). The picture shows what
    // was drawn until the next clearPicture.
    virtual void clearPicture() = 0;
    virtual void printWord(float x, float y, const QString &text) = 0;
    virtual void focusPlayField() = 0;

    virtual QString labelText(Label label) const = 0;
    virtual void setLabelText(Label label, const QString &text) = 0;
    virtual void setLabelVisible(Label label, bool visible) = 0;

    virtual QString pauseCaption() const = 0;
    virtual void setPauseCaption(const QString &caption) = 0;

    virtual QString typedTextBox() const = 0;
    virtual void setTypedTextBox(const QString &text) = 0;

    // Called whenever a timer's enabled flag or period has changed.
    virtual void timerChanged(TimerId id, const ExerciseTimer &timer) = 0;

    // The modal result prompt; lines are separated by CR (character 13).
    // Returns true for Yes, false for No.
    virtual bool askPlayAgain(const QString &title, const QString &text) = 0;
};

} // namespace tarvo
