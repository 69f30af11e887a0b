#include "practiceengine.h"

#include "format.h"

namespace tarvo {

void PracticeEngine::CreatWord_Timer()
{
    // The length is drawn on every tick, even when the table is full, so the
    // draws of a tick are always: length, letters, position.
    const int length = int(Int(m_random.next() * 7 + 1));

    for (WordSlot &slot : m_wordSlots) {
        if (!slot.isFree())
            continue;

        QString word;
        word.reserve(length);
        for (int i = 0; i < length; ++i)
            word += QChar(char16_t(Int(m_random.next() * 25 + 65))); // 'A' to 'Y'
        slot.text = word;

        const double w = m_view.textWidth(word);
        const double left = m_view.playFieldLeft();
        const double r = m_random.next();
        const double width = m_view.playFieldWidth();
        // x in [L + 30, W - w - 30): the window offset L serves as a margin.
        slot.x = float((width - w - 30 - (left + 30)) * r + (left + 30));
        slot.y = 0.0f;
        return;
    }
}

} // namespace tarvo
