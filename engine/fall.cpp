#include "practiceengine.h"

namespace tarvo {

void PracticeEngine::pictScroll_Timer()
{
    m_view.clearPicture();
    for (WordSlot &slot : m_wordSlots) {
        // Read per slot, so a resize between ticks takes effect at once.
        const double bottom = m_view.playFieldScaleHeight();
        if (slot.y > bottom)
            slot.text.clear();
        if (!slot.isFree()) {
            m_view.printWord(slot.x, slot.y, slot.text);
            slot.y += 50;
        }
    }
}

} // namespace tarvo
