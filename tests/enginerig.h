#pragma once

#include "fakerandom.h"
#include "fakeview.h"
#include "practiceengine.h"

#include <QStringList>
#include <QStringView>

namespace tarvo::fakes {

// An engine wired to a fake window and scripted random numbers, with the
// load-time defaults applied as the main window's load handler does.
struct EngineRig {
    FakeView view;
    ScriptedRandom random;
    PracticeEngine engine{view, random};

    // The suspension flag of the dialog that bringTo("suspended") opened.
    bool dialogFlag = false;

    EngineRig() { engine.LoadDefaults(); }

    // Starts an exercise of `minutes` with the given words in slots 0, 1, ...
    void start(const QStringList &words = {}, int minutes = 3)
    {
        engine.settings().practiceMinutes = qint16(minutes);
        engine.mnuStart_Click();
        placeWords(words);
    }

    // Brings a freshly loaded rig into one state of an exercise's life:
    // "idle", "running", "paused", "suspended" (by a dialog), "suspended then
    // resumed" or "ended" (the result prompt answered No). Every state but
    // idle has had words on the field, a hit, letters typed and three ticks.
    void bringTo(QStringView state)
    {
        if (state == u"idle")
            return;
        start({"AB", "CD", "", "EF"});
        engine.pictScroll_Timer();
        type(u"ab q");
        ticks(3);
        if (state == u"paused") {
            engine.mnuPause_Click();
        } else if (state.startsWith(u"suspended")) {
            engine.SuspendForDialog(dialogFlag);
            if (state == u"suspended then resumed")
                engine.ResumeAfterDialog(dialogFlag);
        } else if (state == u"ended") {
            view.answers << false;
            view.setLabelText(Label::timeDisplay, QStringLiteral("001"));
            ticks(1);
        }
    }

    // Presses each character of `keys` as one key code ('\b' is Backspace).
    void type(QStringView keys)
    {
        for (const QChar c : keys)
            engine.GamePict_KeyPress(c.unicode());
    }

    void ticks(int count)
    {
        for (int i = 0; i < count; ++i)
            engine.GaTime_Timer();
    }

    // Puts words into slots 0, 1, 2, ... at the given height; an empty
    // string leaves its slot free.
    void placeWords(const QStringList &words, float y = 0.0f)
    {
        for (qsizetype i = 0; i < words.size(); ++i)
            engine.wordSlots()[std::size_t(i)] = WordSlot{100.0f * float(i), y, words[i]};
    }

    // The slot texts up to the last occupied slot, free slots as "".
    QStringList slotTexts() const
    {
        QStringList texts;
        for (const WordSlot &slot : engine.wordSlots())
            texts << slot.text;
        while (!texts.isEmpty() && texts.last().isEmpty())
            texts.removeLast();
        return texts;
    }

    bool allTimers(bool enabled) const
    {
        return engine.timer(TimerId::pictScroll).enabled == enabled
               && engine.timer(TimerId::CreatWord).enabled == enabled
               && engine.timer(TimerId::GaTime).enabled == enabled;
    }
};

} // namespace tarvo::fakes
