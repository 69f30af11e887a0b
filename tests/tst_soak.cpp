// Soak: whole nine-minute exercises at the fast level in simulated time,
// with a seeded stream of hostile input between the ticks, and every
// invariant of the engine checked after every single event.
// Replay one seed with TARVO_SOAK_SEED=<seed>.
#include "enginerig.h"

#include <QRegularExpression>
#include <QTest>

#include <algorithm>
#include <optional>
#include <random>

using namespace tarvo;
using namespace tarvo::fakes;

namespace {

constexpr int kMinutes = 9;
constexpr int kRunsPerSeed = 2;                      // exercises that must reach "000"
constexpr qint64 kSimulatedLimit = 90LL * 60 * 1000; // ms; a soak that ends no run fails

static_assert(std::tuple_size_v<WordTable> == 51, "the word table has exactly 51 slots");

void add(qint16 &counter) // the game's counters saturate at 32767
{
    if (counter < 32767)
        ++counter;
}

// Whether the length is in [min, max] and every character from lo to hi.
bool lettersIn(const QString &text, char16_t lo, char16_t hi, int min, int max)
{
    return text.size() >= min && text.size() <= max
           && std::ranges::all_of(text, [=](QChar c) { return c.unicode() >= lo && c.unicode() <= hi; });
}

bool allFree(const WordTable &table)
{
    return std::ranges::all_of(table, &WordSlot::isFree);
}

QString describe(const WordTable &table)
{
    QStringList parts;
    for (int i = 0; i < kSlotCount; ++i)
        if (!table[i].isFree())
            parts << QStringLiteral("%1:%2@%3,%4").arg(i).arg(table[i].text).arg(table[i].x).arg(table[i].y);
    return parts.join(u' ');
}

QString describe(const Counters &c)
{
    return QStringLiteral("%1 %2 %3 %4 %5 %6 %7 %8")
        .arg(c.windowChars)
        .arg(c.speedTicks)
        .arg(c.totalChars)
        .arg(c.accuracyTicks)
        .arg(c.windowSubmits)
        .arg(c.windowMatches)
        .arg(c.totalSubmits)
        .arg(c.totalMatches);
}

bool sameTable(const WordTable &a, const WordTable &b)
{
    for (int i = 0; i < kSlotCount; ++i)
        if (a[i].text != b[i].text || (!a[i].isFree() && (a[i].x != b[i].x || a[i].y != b[i].y)))
            return false;
    return true;
}

struct Soak {
    explicit Soak(quint64 seed) : seed(seed), random(seed), input(seed ^ 0x5EED5EED5EED5EEDull)
    {
        view.left = 180;
        view.width = 14000;
        view.scaleHeight = 9000;
        engine.LoadDefaults();
        engine.settings().speedLevel = 1;
        engine.settings().practiceMinutes = kMinutes;
        engine.ApplySpeedLevel();
        absorbTimerChanges();
    }

    quint64 seed;
    FakeView view;
    SeededRandom random;
    PracticeEngine engine{view, random};
    std::mt19937_64 input;

    // The simulated window timers, as Kavix runs its QTimers: enabling one or
    // giving it a period restarts a whole period from now.
    struct SimTimer {
        bool active = false;
        int period = 0;
        qint64 due = 0;
    };
    std::array<SimTimer, 3> sim{};
    qint64 now = 0;

    // What the engine must show, kept by the soak itself.
    QString typed;
    Counters expected;
    int remaining = 180, countdownShown = -1; // seconds on the countdown; last checked at
    bool running = false;
    std::array<bool, 2> dialogFlag{}; // settings dialog, About box
    int openDialog = -1, prompts = 0, promptsThisRun = 0;
    int occupied = 0; // slots holding a word, as check() last counted

    // Figures for the report.
    qint64 events = 0;
    int keys = 0, matches = 0, fallTicks = 0, spawnTicks = 0, clockTicks = 0, starts = 0, resizes = 0;
    int runFallTicks = 0, highestTotalChars = 0;
    QStringList fallTicksPerRun;
    QString failure;

    int below(int n) { return int(input() % quint64(n)); }
    bool chance(double p) { return std::uniform_real_distribution<double>(0, 1)(input) < p; }

    bool fail(const QString &what)
    {
        if (failure.isEmpty())
            failure = QStringLiteral("seed %1, event %2, at %3 ms: %4 (replay with TARVO_SOAK_SEED=%1)")
                          .arg(seed)
                          .arg(events)
                          .arg(now)
                          .arg(what);
        return false;
    }

    void absorbTimerChanges()
    {
        for (const QString &line : std::as_const(view.log)) {
            if (!line.startsWith(u"timer "))
                continue;
            const QStringList f = line.split(u' ');
            const int id = f[1] == u"pictScroll" ? 0 : f[1] == u"CreatWord" ? 1 : 2;
            sim[id] = {f[2] == u"on" && f[3].toInt() > 0, f[3].toInt(), now + f[3].toInt()};
        }
        view.log.clear();
    }

    void startedRun()
    {
        ++starts;
        countdownShown = -1;
        typed.clear();
        expected = Counters{};
        remaining = kMinutes * 60;
        running = true;
        promptsThisRun = 0;
        runFallTicks = 0;
    }

    // Every invariant, after every event; `sameOccupied` is the number of
    // occupied slots the event must have left, -1 when it may change it.
    bool check(int sameOccupied = -1)
    {
        ++events;
        absorbTimerChanges();
        if (QTest::currentTestFailed())
            return fail(QStringLiteral("the fake window reported a failure"));
        occupied = 0;
        for (const WordSlot &slot : engine.wordSlots()) {
            if (slot.isFree())
                continue;
            ++occupied;
            if (!lettersIn(slot.text, u'A', u'Y', 1, 7))
                return fail(QStringLiteral("bad word '%1'").arg(slot.text));
        }
        if (sameOccupied >= 0 && occupied != sameOccupied)
            return fail(QStringLiteral("a key changed the table: %1").arg(describe(engine.wordSlots())));
        const QString &t = engine.typedText();
        if (!lettersIn(t, u'A', u'Z', 0, 8) || t != view.typedTextBox())
            return fail(QStringLiteral("typed '%1', box '%2'").arg(t, view.typedTextBox()));
        if (t != typed)
            return fail(QStringLiteral("typed '%1', expected '%2'").arg(t, typed));
        const Counters &c = engine.counters();
        for (qint16 v : {c.windowChars, c.speedTicks, c.totalChars, c.accuracyTicks, c.windowSubmits, c.windowMatches,
                         c.totalSubmits, c.totalMatches})
            if (v < 0)
                return fail(QStringLiteral("a counter is negative: %1").arg(v));
        if (!(c == expected))
            return fail(QStringLiteral("counters %1, expected %2").arg(describe(c), describe(expected)));
        const bool on = engine.timer(TimerId::pictScroll).enabled;
        for (TimerId id : {TimerId::pictScroll, TimerId::CreatWord, TimerId::GaTime}) {
            if (engine.timer(id).enabled != on || !(view.timerState(id) == engine.timer(id)))
                return fail(QStringLiteral("timers not switched together (%1)").arg(timerName(id)));
        }
        if (on != running)
            return fail(QStringLiteral("running is %1, expected %2").arg(on).arg(running));
        if (on
            && (engine.timer(TimerId::pictScroll).period != 100 || engine.timer(TimerId::CreatWord).period != 800
                || engine.timer(TimerId::GaTime).period != 1000))
            return fail(QStringLiteral("running at the wrong periods"));
        if (countdownShown != remaining) {
            const QString countdown = view.labelText(Label::timeDisplay);
            if (countdown != QStringLiteral("%1").arg(remaining, 3, 10, QLatin1Char('0')))
                return fail(QStringLiteral("countdown '%1', expected %2").arg(countdown).arg(remaining));
            countdownShown = remaining;
        }
        const bool paused = engine.settings().isPaused;
        if ((paused && on) || paused != (view.pauseCaption() == kResumeCaption)
            || view.isLabelVisible(Label::lblPause) != paused || view.isLabelVisible(Label::speedStatus) == paused
            || view.isLabelVisible(Label::correctStatus) == paused)
            return fail(QStringLiteral("pause display disagrees with isPaused=%1").arg(paused));
        if (view.prompts.size() != prompts || promptsThisRun > 1)
            return fail(QStringLiteral("%1 result prompts, expected %2").arg(view.prompts.size()).arg(prompts));
        return true;
    }

    bool key(int code)
    {
        ++keys;
        // Only a submission may change the table; other keys must leave it
        // alone, which check() sees in the count of occupied slots.
        std::optional<WordTable> table;
        if (code == ' ')
            table = engine.wordSlots();
        if (engine.timer(TimerId::GaTime).enabled) {
            if (!typed.isEmpty() && code == 8)
                typed.chop(1);
            if ((code >= 'A' && code <= 'Z') || (code >= 'a' && code <= 'z')) {
                typed += QChar(char16_t(code)).toUpper();
                add(expected.windowChars);
                add(expected.totalChars);
            }
            if (!typed.isEmpty() && code == ' ') {
                for (WordSlot &slot : *table) {
                    if (slot.text == typed) {
                        slot.text.clear();
                        ++matches;
                        for (qint16 *n : {&expected.windowChars, &expected.totalChars, &expected.windowMatches,
                                          &expected.totalMatches})
                            add(*n);
                    }
                }
                add(expected.windowSubmits);
                add(expected.totalSubmits);
                typed.clear();
            }
            if (typed.size() > 8)
                typed.clear();
        }
        engine.GamePict_KeyPress(code);
        highestTotalChars = std::max(highestTotalChars, int(expected.totalChars));
        if (table && !sameTable(*table, engine.wordSlots()))
            return fail(QStringLiteral("Space left the table %1").arg(describe(engine.wordSlots())));
        return check(code != ' ' ? occupied : -1);
    }

    bool fallTick()
    {
        ++fallTicks;
        ++runFallTicks;
        WordTable table = engine.wordSlots();
        QList<PrintedWord> drawn;
        for (WordSlot &slot : table) {
            if (slot.y > view.scaleHeight)
                slot.text.clear();
            if (!slot.isFree()) {
                drawn.append({slot.x, slot.y, slot.text});
                slot.y += 50;
            }
        }
        engine.pictScroll_Timer();
        if (!sameTable(table, engine.wordSlots()) || view.picture != drawn)
            return fail(QStringLiteral("fall tick at height %1 left %2")
                            .arg(view.scaleHeight)
                            .arg(describe(engine.wordSlots())));
        return check();
    }

    bool spawnTick()
    {
        ++spawnTicks;
        const WordTable before = engine.wordSlots();
        const auto freeSlot = std::ranges::find_if(before, &WordSlot::isFree);
        engine.CreatWord_Timer();
        const WordTable &after = engine.wordSlots();
        for (int i = 0; i < kSlotCount; ++i) {
            if (before.begin() + i == freeSlot) {
                const WordSlot &s = after[i];
                const double a = view.left + 30, b = view.width - view.textWidth(s.text) - 30;
                if (!lettersIn(s.text, u'A', u'Y', 1, 7) || s.y != 0.0f || s.x < std::min(a, b) - 0.01
                    || s.x > std::max(a, b) + 0.01)
                    return fail(
                        QStringLiteral("spawned '%1' at %2,%3 into slot %4").arg(s.text).arg(s.x).arg(s.y).arg(i));
            } else if (after[i].text != before[i].text || after[i].y != before[i].y) {
                return fail(QStringLiteral("spawn tick changed slot %1").arg(i));
            }
        }
        return check();
    }

    bool clockTick()
    {
        ++clockTicks;
        countdownShown = -1;
        remaining = std::max(remaining - 1, 0);
        add(expected.accuracyTicks);
        add(expected.speedTicks);
        QString speed = view.labelText(Label::speedStatus);
        if (expected.speedTicks > 4) {
            speed = QStringLiteral("%1 字/分钟").arg(int(double(expected.windowChars) / 5 * 60));
            expected.speedTicks = expected.windowChars = 0;
        }
        if (expected.accuracyTicks > 9 && expected.windowSubmits != 0)
            expected.accuracyTicks = expected.windowSubmits = expected.windowMatches = 0;
        const bool ends = remaining == 0;
        const bool yes = chance(0.5);
        view.answers = {yes}; // an unexpected prompt takes it and is caught by the count
        engine.GaTime_Timer();
        view.answers.clear();
        static const QRegularExpression accuracy(QStringLiteral("^(100%|\\d*\\.\\d{0,2}%) 正确率$"));
        if (view.labelText(Label::speedStatus) != speed
            || !accuracy.match(view.labelText(Label::correctStatus)).hasMatch())
            return fail(QStringLiteral("status texts '%1' / '%2', expected speed '%3'")
                            .arg(view.labelText(Label::speedStatus), view.labelText(Label::correctStatus), speed));
        if (ends) {
            ++prompts;
            ++promptsThisRun;
            fallTicksPerRun << QString::number(runFallTicks);
            if (view.prompts.size() != prompts)
                return fail(QStringLiteral("the countdown reached 000 without a result prompt"));
            const Prompt &p = view.prompts.last();
            if (p.title != kResultTitle || std::ranges::any_of(p.timersWhenAsked, &ExerciseTimer::enabled))
                return fail(QStringLiteral("prompt '%1' shown with a timer still on").arg(p.title));
            if (expected.totalSubmits == 0)
                expected.totalSubmits = expected.totalMatches = 1;
            running = false;
            if (yes) {
                startedRun();
                if (!allFree(engine.wordSlots()))
                    return fail(QStringLiteral("Yes left words in the table"));
            } else {
                typed.clear();
                if (!view.picture.isEmpty())
                    return fail(QStringLiteral("No left the picture drawn"));
            }
        }
        return check();
    }

    bool command()
    {
        const bool paused = engine.settings().isPaused;
        if (openDialog >= 0) { // modal: only the dialog itself, and the window being resized
            if (chance(0.3)) {
                const bool suspended = dialogFlag[openDialog];
                engine.ResumeAfterDialog(dialogFlag[openDialog]);
                running = suspended;
                if (dialogFlag[openDialog])
                    return fail(QStringLiteral("dialog %1 kept its flag after dismissal").arg(openDialog));
                openDialog = -1;
            } else if (chance(0.5)) {
                engine.SuspendForDialog(dialogFlag[openDialog]); // activated again
            } else {
                return resize();
            }
            return check();
        }
        if (chance(running ? 0.00002 : paused ? 0.0005 : 0.02)) {
            engine.mnuStart_Click();
            startedRun();
            if (!allFree(engine.wordSlots()))
                return fail(QStringLiteral("Start left words in the table"));
        } else if (chance(running ? 0.001 : paused ? 0.05 : 0.01)) {
            engine.mnuPause_Click();
            running = running ? false : paused;
        } else if (chance(running ? 0.001 : 0.01)) {
            openDialog = below(2);
            const bool wasRunning = running;
            engine.SuspendForDialog(dialogFlag[openDialog]);
            running = false;
            if (dialogFlag[openDialog] != wasRunning)
                return fail(QStringLiteral("dialog flag %1 after opening while running=%2")
                                .arg(dialogFlag[openDialog])
                                .arg(wasRunning));
        } else if (chance(0.03)) {
            return resize();
        } else if (chance(running && expected.totalChars < 32767 ? 0.02 : 0.001)) {
            // A key held down, often until the totals reach their ceiling.
            const int letter = 'a' + below(26);
            return burst(500 + below(1500), [letter] { return letter; });
        } else {
            return hostileKeys();
        }
        return check();
    }

    bool resize()
    {
        ++resizes;
        float lowest = 0;
        for (const WordSlot &s : engine.wordSlots())
            if (!s.isFree())
                lowest = std::max(lowest, s.y);
        switch (below(6)) {
        case 0:
            view.left = view.width = view.scaleHeight = 0;
            break;
        case 1:
            view.width = view.scaleHeight = 15;
            break;
        case 2:
            view.scaleHeight = below(int(lowest) + 1);
            break; // below the lowest falling word
        case 3:
            view.width = below(600);
            view.scaleHeight = below(600);
            break;
        default:
            view.left = below(2) ? 180 : below(3000);
            view.width = below(30000);
            view.scaleHeight = below(20000);
        }
        return check();
    }

    bool hostileKeys()
    {
        const int count = 1 + below(8);
        switch (below(10)) {
        case 0: { // a falling word, in either case, and Space
            const WordTable &t = engine.wordSlots();
            const WordSlot &s = t[below(kSlotCount)];
            for (QChar ch : s.text)
                if (!key(below(2) ? ch.unicode() : ch.toLower().unicode()))
                    return false;
            return key(' ');
        }
        case 1:
            return burst(count, [this] { return (below(2) ? 'a' : 'A') + below(26); });
        case 2:
            return burst(count, [] { return 8; });
        case 3:
            return burst(count, [] { return 32; });
        case 4:
            return burst(count, [this] { return '0' + below(10); });
        case 5:
            return burst(count, [this] { return below(3) ? below(32) : 127; });
        case 6:
            return burst(count, [this] { return 0xFF21 + below(26 + 6 + 26); }); // fullwidth A to z
        case 7:
            return burst(count, [this] { return 0xD800 + below(0x800); }); // surrogate halves
        case 8:
            return burst(count, [this] { return below(2) ? 0xFFFF : 0xFFFE; });
        default:
            return burst(count, [this] { return below(0x10000); });
        }
    }

    template<typename Code>
    bool burst(int count, Code code)
    {
        for (int i = 0; i < count; ++i)
            if (!key(code()))
                return false;
        return true;
    }

    // Fires due timers in a fixed order (fall, spawn, clock) up to `until`.
    bool advanceTo(qint64 until)
    {
        for (;;) {
            int next = -1;
            for (int i = 0; i < 3; ++i)
                if (sim[i].active && sim[i].due <= until && (next < 0 || sim[i].due < sim[next].due))
                    next = i;
            if (next < 0)
                break;
            now = sim[next].due;
            sim[next].due += sim[next].period;
            if (!(next == 0 ? fallTick() : next == 1 ? spawnTick() : clockTick()))
                return false;
        }
        now = until;
        return true;
    }

    bool run()
    {
        if (!check())
            return false;
        while (prompts < kRunsPerSeed) {
            if (now > kSimulatedLimit)
                return fail(
                    QStringLiteral("only %1 exercises ended in %2 simulated minutes").arg(prompts).arg(now / 60000));
            if (!advanceTo(now + 1 + below(240)) || !command())
                return false;
        }
        return true;
    }
};

} // namespace

class TestSoak : public QObject {
    Q_OBJECT
private slots:
    void nineMinuteExercisesSurviveHostileInput_data();
    void nineMinuteExercisesSurviveHostileInput();
};

void TestSoak::nineMinuteExercisesSurviveHostileInput_data()
{
    QTest::addColumn<quint64>("seed");
    bool replay = false;
    const quint64 seed = qEnvironmentVariable("TARVO_SOAK_SEED").toULongLong(&replay, 0);
    for (quint64 s : replay ? QList<quint64>{seed} : QList<quint64>{1, 2, 3, 42, 1234, 0xC0FFEE, 20240607, 987654321})
        QTest::addRow("seed %llu", s) << s;
}

void TestSoak::nineMinuteExercisesSurviveHostileInput()
{
    QFETCH(quint64, seed);
    Soak soak(seed);
    if (!soak.run())
        QFAIL(qPrintable(soak.failure));
    // Every second of running time holds ten fall ticks, so an exercise that
    // reached "000" saw at least 5400 of them; restarts by pauses and dialogs
    // cost the clock more than the fall timer and can only add to that.
    for (const QString &ticks : std::as_const(soak.fallTicksPerRun))
        QVERIFY2(ticks.toInt() >= 5400 && ticks.toInt() < 6000, qPrintable(ticks));
    QCOMPARE(soak.highestTotalChars, 32767); // the ceiling was reached and held
    QVERIFY(soak.matches > 0);
    qInfo("seed %llu: %lld events (%d keys removing %d words, %d fall, %d spawn, %d clock ticks, %d resizes), "
          "%d starts, %d exercises ended after %s fall ticks, %lld simulated s",
          seed, soak.events, soak.keys, soak.matches, soak.fallTicks, soak.spawnTicks, soak.clockTicks, soak.resizes,
          soak.starts, soak.prompts, qPrintable(soak.fallTicksPerRun.join(u'/')), soak.now / 1000);
}

QTEST_GUILESS_MAIN(TestSoak)
#include "tst_soak.moc"
