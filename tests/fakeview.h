#pragma once

#include "practiceview.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <array>

namespace tarvo::fakes {

// One word as the engine printed it on the play field.
struct PrintedWord {
    float x = 0.0f;
    float y = 0.0f;
    QString text;

    bool operator==(const PrintedWord &) const = default;
};

// One result prompt as the player saw it.
struct Prompt {
    QString title;
    QString text;
    // The timers' last reported states at the moment the prompt was shown.
    std::array<ExerciseTimer, 3> timersWhenAsked{};
};

QString labelName(Label label);
QString timerName(TimerId id);

// Printed by QCOMPARE when a comparison fails.
char *toString(const PrintedWord &word);

// A window that records everything the engine does to it.
//
// Every call that changes something is appended to `log` as a short line:
//   "clear", "print <x>,<y> <text>", "focus", "text <label>=<text>",
//   "show <label>", "hide <label>", "caption <text>", "box <text>",
//   "timer <name> on|off <period>", "ask <title>".
// Reads (labelText, pauseCaption, typedTextBox, geometry) are not logged.
class FakeView final : public PracticeView {
public:
    FakeView();

    // Play field geometry, twips; tests change these freely.
    double left = 360;
    double width = 9000;
    double scaleHeight = 6000;
    // textWidth() is the number of characters times this.
    double twipsPerLetter = 150;

    // Words printed since the last clearPicture, in printing order.
    QList<PrintedWord> picture;
    int clearCount = 0;
    int focusCount = 0;
    QStringList log;

    // Answers for askPlayAgain, taken from the front; the test fails if the
    // engine asks when none is left.
    QList<bool> answers;
    QList<Prompt> prompts;

    bool isLabelVisible(Label label) const;
    // The last state reported for a timer ({off, 0} until one is reported).
    const ExerciseTimer &timerState(TimerId id) const;
    // The log lines since `mark` (a size of `log` taken earlier) that start
    // with one of `prefixes`, or all of them if none is given.
    QStringList logSince(qsizetype mark, const QStringList &prefixes = {}) const;

    double playFieldLeft() const override { return left; }
    double playFieldWidth() const override { return width; }
    double playFieldScaleHeight() const override { return scaleHeight; }
    double textWidth(const QString &text) const override { return text.size() * twipsPerLetter; }

    void clearPicture() override;
    void printWord(float x, float y, const QString &text) override;
    void focusPlayField() override;

    QString labelText(Label label) const override;
    void setLabelText(Label label, const QString &text) override;
    void setLabelVisible(Label label, bool visible) override;

    QString pauseCaption() const override { return m_pauseCaption; }
    void setPauseCaption(const QString &caption) override;

    QString typedTextBox() const override { return m_textBox; }
    void setTypedTextBox(const QString &text) override;

    void timerChanged(TimerId id, const ExerciseTimer &timer) override;

    bool askPlayAgain(const QString &title, const QString &text) override;

private:
    std::array<QString, 4> m_labelTexts;
    // As the window is built: the pause label hidden, the status labels shown.
    std::array<bool, 4> m_labelVisible{true, true, true, false};
    QString m_pauseCaption;
    QString m_textBox;
    std::array<ExerciseTimer, 3> m_timers{};
};

} // namespace tarvo::fakes

namespace tarvo {
// Printed by QCOMPARE when a comparison fails.
char *toString(const Counters &counters);
char *toString(const ExerciseTimer &timer);
} // namespace tarvo
