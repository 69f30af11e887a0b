// Drives the real main window on a real display for the desktop tests.
//
//   probe render DIR      writes PNGs of the main window, the settings
//                         dialog, the About box, the result prompt and the
//                         two menus into DIR
//   probe diff A B        counts the pixels that differ between two PNGs
//   probe eightw          types eight Ws and checks they fit the typed-text box
//   probe imcontrol       a plain line edit with the input method on; prints
//                         its text on each change
//
// Each mode prints what it saw and exits non-zero on a fault.

#include "application.h"
#include "kavix.h"
#include "probesupport.h"

#include <QApplication>
#include <QDialog>
#include <QElapsedTimer>
#include <QFontMetrics>
#include <QImage>
#include <QLineEdit>
#include <QMenu>
#include <QStyle>
#include <QStyleOptionFrame>
#include <QTimer>
#include <QWindow>

#include <cstdio>
#include <functional>

using namespace probe;

namespace {

// Shows the widget and waits until it is exposed on the display and painted.
bool showAndWait(QWidget *w, int timeoutMs = 5000)
{
    w->show();
    if (!waitExposed(w, timeoutMs))
        return false;
    settle(200);
    return true;
}

bool save(QWidget *w, const QString &dir, const QString &name)
{
    const QString file = dir + u'/' + name + QStringLiteral(".png");
    const QImage image = w->grab().toImage();
    if (!image.save(file)) {
        say(QStringLiteral("cannot write %1").arg(file));
        return false;
    }
    say(QStringLiteral("wrote %1 (%2x%3)").arg(file).arg(image.width()).arg(image.height()));
    return true;
}

// Runs open(), which shows a modal window and returns when it closes; from
// inside its event loop grabs the window once it is on screen and closes it.
bool grabModal(const std::function<void()> &open, const QString &dir, const QString &name)
{
    bool saved = false;
    bool seen = false;
    auto *poll = new QTimer;
    poll->setInterval(50);
    QElapsedTimer clock;
    clock.start();
    QObject::connect(poll, &QTimer::timeout, [&] {
        auto *modal = qobject_cast<QDialog *>(QApplication::activeModalWidget());
        if (!modal && clock.elapsed() > 5000) {
            poll->stop();
            say(QStringLiteral("no modal window for %1").arg(name));
            return;
        }
        if (!modal || !modal->windowHandle() || !modal->windowHandle()->isExposed())
            return;
        poll->stop();
        seen = true;
        settle(200);
        saved = save(modal, dir, name);
        modal->done(QDialog::Rejected);
    });
    poll->start();
    open();
    delete poll;
    return seen && saved;
}

bool grabMenu(QMenu *menu, const QString &dir, const QString &name)
{
    if (!menu) {
        say(QStringLiteral("no menu for %1").arg(name));
        return false;
    }
    menu->popup(QPoint(40, 40));
    const bool ok = showAndWait(menu) && save(menu, dir, name);
    menu->hide();
    return ok;
}

int render(const QString &dir)
{
    tarvo::Kavix window;
    if (!showAndWait(&window)) {
        say(QStringLiteral("the main window was not exposed"));
        return 1;
    }
    bool ok = save(&window, dir, QStringLiteral("Kavix"));
    ok &= grabModal([&] { window.mnuSpeed_Click(); }, dir, QStringLiteral("setForm"));
    ok &= grabModal([&] { window.mnuAbout_Click(); }, dir, QStringLiteral("frmAbout"));
    ok &= grabMenu(window.findChild<QMenu *>(QStringLiteral("mnuGame")), dir, QStringLiteral("mnuGame"));
    ok &= grabMenu(window.findChild<QMenu *>(QStringLiteral("mnuHelp")), dir, QStringLiteral("mnuHelp"));
    // The last second of an exercise: the next countdown tick ends it and
    // asks whether to play again.
    ok &= grabModal(
        [&] {
            window.engine().mnuStart_Click();
            window.setLabelText(tarvo::Label::timeDisplay, QStringLiteral("001"));
            window.engine().GaTime_Timer();
        },
        dir, QStringLiteral("resultPrompt"));
    return ok ? 0 : 1;
}

int diff(const QString &a, const QString &b)
{
    const QImage x = QImage(a).convertToFormat(QImage::Format_ARGB32);
    const QImage y = QImage(b).convertToFormat(QImage::Format_ARGB32);
    if (x.isNull() || y.isNull()) {
        say(QStringLiteral("cannot read %1").arg(x.isNull() ? a : b));
        return 2;
    }
    const int w = std::max(x.width(), y.width());
    const int h = std::max(x.height(), y.height());
    qint64 differing = 0;
    for (int row = 0; row < h; ++row) {
        for (int col = 0; col < w; ++col) {
            const bool inX = row < x.height() && col < x.width();
            const bool inY = row < y.height() && col < y.width();
            if (!inX || !inY || x.pixel(col, row) != y.pixel(col, row))
                ++differing;
        }
    }
    say(QStringLiteral("%1 differing pixels of %2 (%3x%4 vs %5x%6)")
            .arg(differing)
            .arg(qint64(w) * h)
            .arg(x.width())
            .arg(x.height())
            .arg(y.width())
            .arg(y.height()));
    return differing == 0 ? 0 : 1;
}

int eightW()
{
    tarvo::Kavix window;
    if (!showAndWait(&window)) {
        say(QStringLiteral("the main window was not exposed"));
        return 1;
    }
    auto *box = window.findChild<QLineEdit *>(QStringLiteral("textWord"));
    if (!box) {
        say(QStringLiteral("no typed-text box"));
        return 1;
    }
    window.engine().mnuStart_Click();
    const QString typed(8, u'W');
    for (int i = 0; i < typed.size(); ++i)
        window.engine().GamePict_KeyPress('W');
    settle(200);
    int faults = 0;
    const auto check = [&faults](bool ok, const QString &what, const QString &actual, const QString &expected) {
        if (ok) {
            say(QStringLiteral("ok: %1: %2").arg(what, actual));
        } else {
            ++faults;
            say(QStringLiteral("FAIL: %1\n  actual:   %2\n  expected: %3").arg(what, actual, expected));
        }
    };
    check(box->text() == typed, QStringLiteral("the box's text"), box->text(), typed);

    // The area QLineEdit draws its text in: the style's contents rectangle
    // less the text margins and the line edit's own two pixels a side.
    QStyleOptionFrame opt;
    opt.initFrom(box);
    opt.rect = box->rect();
    opt.lineWidth = box->hasFrame() ? box->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, &opt, box) : 0;
    opt.midLineWidth = 0;
    opt.state |= QStyle::State_Sunken;
    QRect inner = box->style()->subElementRect(QStyle::SE_LineEditContents, &opt, box);
    inner = inner.marginsRemoved(box->textMargins()).adjusted(2, 0, -2, 0);
    const QFontMetrics metrics(box->font());
    const int advance = metrics.horizontalAdvance(typed);
    check(advance <= inner.width(), QStringLiteral("text advance vs the box's inner width"),
          QStringLiteral("%1 px in %2 px (box %3 px wide)").arg(advance).arg(inner.width()).arg(box->width()),
          QStringLiteral("advance <= inner width"));

    // Blue ink of the grab: where it starts and ends, and how wide it is
    // against the ink the eight letters need.
    const QImage image = box->grab().toImage().convertToFormat(QImage::Format_RGB32);
    const int dpr = std::max(1, int(image.devicePixelRatio()));
    int left = image.width();
    int right = -1;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const QColor c = image.pixelColor(x, y);
            if (c.blue() - std::max(c.red(), c.green()) > 60) {
                left = std::min(left, x / dpr);
                right = std::max(right, x / dpr);
            }
        }
    }
    const int needed = metrics.tightBoundingRect(typed).width();
    if (right < 0) {
        check(false, QStringLiteral("blue ink in the box"), QStringLiteral("none"), QStringLiteral("the typed text"));
    } else {
        const int w = image.width() / dpr;
        check(left >= 2 && right <= w - 3, QStringLiteral("ink clear of the 2-px border zones"),
              QStringLiteral("ink x %1..%2 in a box %3 px wide").arg(left).arg(right).arg(w),
              QStringLiteral("x in 2..%1").arg(w - 3));
        check(right - left + 1 >= needed - 2, QStringLiteral("ink width covers all eight letters"),
              QStringLiteral("%1 px").arg(right - left + 1), QStringLiteral(">= %1 px").arg(needed - 2));
    }
    return faults == 0 ? 0 : 1;
}

int imControl()
{
    QLineEdit edit;
    edit.setObjectName(QStringLiteral("control"));
    edit.setWindowTitle(QStringLiteral("input method control"));
    edit.resize(300, 40);
    QObject::connect(&edit, &QLineEdit::textChanged, [](const QString &text) { say(QStringLiteral("text: ") + text); });
    if (!showAndWait(&edit)) {
        say(QStringLiteral("the control was not exposed"));
        return 1;
    }
    edit.activateWindow();
    edit.setFocus();
    say(QStringLiteral("ready"));
    // Ended by the test; a forgotten one goes by itself.
    QTimer::singleShot(60000, qApp, &QCoreApplication::quit);
    return QApplication::exec();
}

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    tarvo::describeApplication();
    const QStringList args = QCoreApplication::arguments();
    const QString mode = args.value(1);
    if (mode == QLatin1String("render") && args.size() == 3)
        return render(args[2]);
    if (mode == QLatin1String("diff") && args.size() == 4)
        return diff(args[2], args[3]);
    if (mode == QLatin1String("eightw"))
        return eightW();
    if (mode == QLatin1String("imcontrol"))
        return imControl();
    std::fprintf(stderr, "usage: probe render DIR | diff A B | eightw | imcontrol\n");
    return 2;
}
