// Plays a short session of the real game for the memory checker: starts an
// exercise, types on the play field, opens and dismisses both dialogs, lets
// an exercise end at the result prompt and leaves through Exit.
// Exit status 0 only when every step did what the game promises.
#include "kavix.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMessageBox>
#include <QTimer>

#include <cstdio>
#include <functional>

using namespace tarvo;

namespace {

int failures = 0;

void expect(bool ok, const char *what)
{
    if (!ok) {
        std::fprintf(stderr, "memcheck_driver: %s\n", what);
        ++failures;
    }
}

void press(QWidget *target, Qt::Key key, const QString &text)
{
    for (QEvent::Type type : {QEvent::KeyPress, QEvent::KeyRelease}) {
        QKeyEvent event(type, key, Qt::NoModifier, text);
        QCoreApplication::sendEvent(target, &event);
    }
}

// Dismisses the modal window that `open` brings up by clicking `button`
// (or closing it when empty), from inside its event loop.
void throughModal(const std::function<void()> &open, const QString &button)
{
    bool seen = false;
    QObject opening; // takes the dismissal with it if nothing came up
    QTimer::singleShot(0, &opening, [&] {
        QWidget *modal = QApplication::activeModalWidget();
        seen = modal != nullptr;
        if (!modal)
            return;
        if (auto *b = button.isEmpty() ? nullptr : modal->findChild<QAbstractButton *>(button))
            b->click();
        else if (auto *box = qobject_cast<QMessageBox *>(modal))
            box->button(QMessageBox::No)->click();
        else
            modal->close();
    });
    open();
    expect(seen, "a modal window came up");
    expect(!QApplication::activeModalWidget(), "the modal window is gone");
}

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    Kavix window;
    window.show();
    const auto action = [&window](const char *name) { return window.findChild<QAction *>(QLatin1String(name)); };
    auto *pict = window.findChild<QWidget *>(QStringLiteral("GamePict"));
    auto *textWord = window.findChild<QLineEdit *>(QStringLiteral("textWord"));

    // A second and a half of falling words after the typing, then both
    // dialogs twice each, the end of an exercise, and Exit.
    const auto dialogsAndExit = [&] {
        expect(window.labelText(Label::timeDisplay) != QStringLiteral("180"), "the clock ticked");
        throughModal([&] { action("mnuSpeed")->trigger(); }, QStringLiteral("setSpeedOK"));
        throughModal([&] { action("mnuAbout")->trigger(); }, QStringLiteral("Command1"));
        throughModal([&] { action("mnuSpeed")->trigger(); }, QString());
        throughModal([&] { action("mnuAbout")->trigger(); }, QString());
        expect(window.engine().isRunning(), "the dialogs give the exercise back");
        window.setLabelText(Label::timeDisplay, QStringLiteral("001"));
        throughModal([&] { window.engine().GaTime_Timer(); }, QString()); // answered No
        expect(!window.engine().isRunning() && textWord->text().isEmpty(), "No leaves the window idle");
        action("mnuExit")->trigger();
    };
    QTimer::singleShot(100, &window, [&] {
        action("mnuStart")->trigger();
        expect(window.engine().isRunning(), "Start runs an exercise");
        for (const char c : {'k', 'a', 'v', 'q'})
            press(pict, Qt::Key(Qt::Key_A + (c - 'a')), QString(QChar(c)));
        press(pict, Qt::Key_Backspace, QStringLiteral("\b"));
        press(pict, Qt::Key_F1, QString());
        expect(textWord->text() == QStringLiteral("KAV"), "typed text KAV");
        press(pict, Qt::Key_Space, QStringLiteral(" "));
        expect(textWord->text().isEmpty() && window.engine().counters().totalSubmits == 1, "Space submits");
        QTimer::singleShot(1500, &window, dialogsAndExit);
    });
    const int status = QApplication::exec();
    expect(status == 0, "Exit ends the program with status 0");
    expect(!window.isVisible(), "Exit hides the window");
    return failures == 0 ? 0 : 1;
}
