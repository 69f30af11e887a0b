// One fall tick with all 51 word slots taken by 7-letter words, repaint of a
// 1200 x 800 px play field included, and the same tick when one of the
// words is new; one spawn tick; one key press. And the floor's frame: the
// same 51 words drawn with plain QPainter::drawText.
//
//   bench_ticks game|floor [ITERATIONS]
//
// Prints the median microseconds of each (key=value lines). Run under
//   valgrind --tool=callgrind --collect-atstart=no
// it counts instructions only inside the measured calls and dumps one
// profile per measurement (fall, fallnew, spawn, key, frame); divide each
// dump's total by the count the program prints for it (fall_count=...).

#include "benchsupport.h"
#include "floorwindow.h"
#include "fonts.h"
#include "gamepict.h"
#include "kavix.h"

#include <QApplication>
#include <QFontMetricsF>
#include <QKeyEvent>
#include <QTimer>

#if __has_include(<valgrind/callgrind.h>)
#include <valgrind/callgrind.h>
#else
#define CALLGRIND_TOGGLE_COLLECT
#define CALLGRIND_ZERO_STATS
#define CALLGRIND_DUMP_STATS_AT(name)
#define RUNNING_ON_VALGRIND 0
#endif

#include <cstring>
#include <random>

namespace {

constexpr QSize kFieldSize(1200, 800);
constexpr double kTwipsPerPixel = 15.0; // the offscreen screen's 96 dpi

struct Word {
    double x, y; // twips, in the play field's drawing coordinates
    QString text;
};

// 51 different 7-letter words, placed as the spawn tick places them, spread
// over the upper part of the field so that no word falls out while measured.
std::vector<Word> makeWords(double fieldWidthTwips, double bottomTwips)
{
    std::mt19937 gen(20240601);
    std::uniform_int_distribution<int> letter('A', 'Y');
    std::uniform_real_distribution<double> unit(0.0, 1.0);
    const QFontMetricsF metrics(tarvo::playFieldFont());
    std::vector<Word> words;
    while (words.size() < std::size_t(tarvo::kSlotCount)) {
        QString text;
        for (int i = 0; i < 7; ++i)
            text += QChar(char16_t(letter(gen)));
        if (text == QLatin1String("QWERTYU")
            || std::any_of(words.begin(), words.end(), [&](const Word &w) { return w.text == text; }))
            continue;
        const double w = metrics.horizontalAdvance(text) * kTwipsPerPixel;
        const double x = (fieldWidthTwips - w - 60) * unit(gen) + 30;
        const double y = (bottomTwips - 3000) * double(words.size()) / tarvo::kSlotCount;
        words.push_back(Word{x, y, text});
    }
    return words;
}

class PaintCounter : public QObject {
public:
    int paints = 0;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Paint)
            ++paints;
        return QObject::eventFilter(watched, event);
    }
};

// Resizes a top-level window until the given child has the wanted size.
void sizeChild(QWidget *window, QWidget *child, QSize wanted)
{
    window->setWindowState(Qt::WindowNoState);
    for (int i = 0; i < 5 && child->size() != wanted; ++i) {
        window->resize(window->size() + wanted - child->size());
        QCoreApplication::processEvents();
    }
}

template<typename F>
double measure(const char *name, int iterations, int perIteration, F once)
{
    std::vector<double> us;
    us.reserve(iterations);
    CALLGRIND_ZERO_STATS; // the warm-up calls before this do not count
    for (int i = 0; i < iterations; ++i)
        us.push_back(once() / perIteration);
    CALLGRIND_DUMP_STATS_AT(name);
    const double med = bench::median(us);
    std::printf("%s_count=%d\n%s_us=%.2f\n", name, iterations * perIteration, name, med);
    return med;
}

int runGame(int iterations)
{
    tarvo::Kavix window;
    auto *field = window.findChild<tarvo::GamePict *>();
    sizeChild(&window, field, kFieldSize);
    window.show();
    sizeChild(&window, field, kFieldSize);
    QCoreApplication::processEvents();
    std::printf("field_px=%dx%d\n", field->width(), field->height());

    tarvo::PracticeEngine &engine = window.engine();
    // An exercise is running (key presses count only then), but its timers
    // never fire here: the benchmark calls the handlers itself.
    engine.mnuStart_Click();
    for (QTimer *t : window.findChildren<QTimer *>())
        t->stop();

    const std::vector<Word> words = makeWords(window.playFieldWidth(), window.playFieldScaleHeight());
    tarvo::WordTable &table = engine.wordSlots();
    const auto fill = [&] {
        for (std::size_t i = 0; i < table.size(); ++i) {
            table[i].text = words[i].text;
            table[i].x = float(words[i].x);
            table[i].y = float(words[i].y);
        }
    };
    fill();

    PaintCounter paints;
    field->installEventFilter(&paints);

    // Fall tick: move and draw every word, then the forced repaint.
    const auto fallTick = [&] {
        CALLGRIND_TOGGLE_COLLECT;
        const long long t0 = bench::nowNs();
        engine.pictScroll_Timer();
        field->repaint();
        const long long t1 = bench::nowNs();
        CALLGRIND_TOGGLE_COLLECT;
        for (tarvo::WordSlot &slot : table)
            slot.y -= 50; // back where it was
        return double(t1 - t0) / 1e3;
    };
    for (int i = 0; i < 5; ++i)
        fallTick();
    paints.paints = 0;
    measure("fall", iterations, 1, fallTick);
    std::printf("fall_paints=%d\n", paints.paints);
    for (const tarvo::WordSlot &slot : table) {
        if (slot.isFree()) {
            std::fprintf(stderr, "a word fell out of the field while measured\n");
            return 1;
        }
    }

    // The fall tick right after a spawn: one word, the last slot's, is new
    // and drawn for the first time. Words of 'Z's never come from makeWords.
    int fresh = 0;
    const auto newWordTick = [&] {
        QString text(7, u'Z');
        for (int n = fresh++, i = 6; n > 0 && i >= 0; n /= 25, --i)
            text[i] = QChar(char16_t(u'A' + n % 25));
        table.back().text = text;
        return fallTick();
    };
    for (int i = 0; i < 5; ++i)
        newWordTick();
    measure("fallnew", iterations, 1, newWordTick);
    fill();

    // Spawn tick: one free slot, the last one, emptied again after each.
    table.back().text.clear();
    const auto spawnTick = [&] {
        CALLGRIND_TOGGLE_COLLECT;
        const long long t0 = bench::nowNs();
        engine.CreatWord_Timer();
        const long long t1 = bench::nowNs();
        CALLGRIND_TOGGLE_COLLECT;
        table.back().text.clear();
        return double(t1 - t0) / 1e3;
    };
    for (int i = 0; i < 5; ++i)
        spawnTick();
    measure("spawn", iterations, 1, spawnTick);
    fill();

    // Key press: typing a word that matches none on the field, 7 letters
    // and Space, delivered to the play field as the keyboard would.
    const QString typed = QStringLiteral("qwertyu ");
    const auto typeWord = [&] {
        CALLGRIND_TOGGLE_COLLECT;
        const long long t0 = bench::nowNs();
        for (QChar c : typed) {
            const int key = c == u' ' ? int(Qt::Key_Space) : int(Qt::Key_A) + (c.unicode() - u'a');
            QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, QString(c));
            QCoreApplication::sendEvent(field, &press);
        }
        const long long t1 = bench::nowNs();
        CALLGRIND_TOGGLE_COLLECT;
        return double(t1 - t0) / 1e3;
    };
    for (int i = 0; i < 5; ++i)
        typeWord();
    const qint16 submitsBefore = engine.counters().totalSubmits;
    measure("key", iterations, int(typed.size()), typeWord);
    if (engine.counters().totalSubmits - submitsBefore != iterations) {
        std::fprintf(stderr, "the key presses were not taken as typing\n");
        return 1;
    }
    return 0;
}

int runFloor(int iterations)
{
    bench::FloorWindow window;
    bench::FloorField *field = window.field();
    sizeChild(&window, field, kFieldSize);
    window.show();
    sizeChild(&window, field, kFieldSize);
    QCoreApplication::processEvents();
    std::printf("field_px=%dx%d\n", field->width(), field->height());

    const double border = tarvo::GamePict::kBorder;
    for (const Word &w : makeWords((field->width()) * kTwipsPerPixel, (field->height() - 2 * border) * kTwipsPerPixel))
        field->words.append({QPointF(border + w.x / kTwipsPerPixel, border + w.y / kTwipsPerPixel), w.text});

    PaintCounter paints;
    field->installEventFilter(&paints);
    const auto frame = [&] {
        CALLGRIND_TOGGLE_COLLECT;
        const long long t0 = bench::nowNs();
        field->repaint();
        const long long t1 = bench::nowNs();
        CALLGRIND_TOGGLE_COLLECT;
        return double(t1 - t0) / 1e3;
    };
    for (int i = 0; i < 5; ++i)
        frame();
    paints.paints = 0;
    measure("frame", iterations, 1, frame);
    std::printf("frame_paints=%d\n", paints.paints);
    return 0;
}

} // namespace

int main(int argc, char *argv[])
{
    const bool game = argc >= 2 && std::strcmp(argv[1], "game") == 0;
    const bool floor = argc >= 2 && std::strcmp(argv[1], "floor") == 0;
    if (!game && !floor) {
        std::fprintf(stderr, "usage: %s game|floor [ITERATIONS]\n", argv[0]);
        return 2;
    }
    const int iterations = argc >= 3 ? std::max(1, std::atoi(argv[2])) : (RUNNING_ON_VALGRIND ? 50 : 2000);
    QApplication app(argc, argv);
    return game ? runGame(iterations) : runFloor(iterations);
}
