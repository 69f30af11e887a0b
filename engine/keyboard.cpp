#include "practiceengine.h"

namespace tarvo {

void PracticeEngine::GamePict_KeyPress(int keyAscii)
{
    if (!timer(TimerId::GaTime).enabled)
        return;

    if (!m_typedText.isEmpty() && keyAscii == 8)
        setTyped(m_typedText.chopped(1));

    const bool upper = keyAscii >= 'A' && keyAscii <= 'Z';
    const bool lower = keyAscii >= 'a' && keyAscii <= 'z';
    if (upper || lower) {
        setTyped(m_typedText + QChar(char16_t(upper ? keyAscii : keyAscii - ('a' - 'A'))));
        bump(m_counters.windowChars);
        bump(m_counters.totalChars);
    }

    if (!m_typedText.isEmpty() && keyAscii == ' ') {
        for (WordSlot &slot : m_wordSlots) {
            if (slot.text == m_typedText) {
                slot.text.clear();
                bump(m_counters.windowChars);
                bump(m_counters.totalChars);
                bump(m_counters.windowMatches);
                bump(m_counters.totalMatches);
            }
        }
        bump(m_counters.windowSubmits);
        bump(m_counters.totalSubmits);
        setTyped(QString());
    }

    // A ninth letter without a submission discards all nine; they stay credited.
    if (m_view.typedTextBox().size() > kMaxTypedLength) {
        m_view.setTypedTextBox(QString());
        m_typedText.clear();
    }
}

} // namespace tarvo
