#pragma once

#include <QString>
#include <QtGlobal>

#include <array>

namespace tarvo {

// One falling word. Coordinates are twips in the play field's drawing
// coordinates; an empty text marks a free slot, whose coordinates are stale.
struct WordSlot {
    float x = 0.0f;
    float y = 0.0f;
    QString text;

    bool isFree() const { return text.isEmpty(); }
};

// The word table always has 51 slots, indices 0 to 50.
inline constexpr int kSlotCount = 51;
using WordTable = std::array<WordSlot, kSlotCount>;

// The typed text is cleared when it would grow past this many letters.
inline constexpr int kMaxTypedLength = 8;

// A timer of the exercise group: an enabled flag and a period. A period of
// 0 never fires.
struct ExerciseTimer {
    bool enabled = false;
    int period = 0; // milliseconds

    bool operator==(const ExerciseTimer &) const = default;
};

enum class TimerId { pictScroll, CreatWord, GaTime };

// Statistics counters: 16-bit signed, saturating at 32767.
struct Counters {
    qint16 windowChars = 0;   // characters credited in the current speed window
    qint16 speedTicks = 0;    // clock ticks since the speed window began
    qint16 totalChars = 0;    // characters credited in the whole exercise
    qint16 accuracyTicks = 0; // clock ticks since the accuracy window began
    qint16 windowSubmits = 0; // submissions in the current accuracy window
    qint16 windowMatches = 0; // words removed in the current accuracy window
    qint16 totalSubmits = 0;  // submissions in the whole exercise
    qint16 totalMatches = 0;  // words removed in the whole exercise

    bool operator==(const Counters &) const = default;
};

// Adds one to a counter, staying at 32767 instead of wrapping round.
inline void bump(qint16 &counter)
{
    if (counter < 32767)
        ++counter;
}

// The two settings and the pause flag: chosen by the player, kept for the
// program's life, never stored.
struct Settings {
    qint16 speedLevel = 2;      // 1 fast, 2 medium, 3 slow
    qint16 practiceMinutes = 3; // 3, 6 or 9
    bool isPaused = false;
};

} // namespace tarvo
