#include "frameline.h"
#include "gamepict.h"
#include "kavix.h"
#include "setform.h"
#include "twips.h"
#include "windowrig.h"

#include "tarvoconfig.h"

#include <QAccessible>
#include <QAction>
#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>

using namespace Qt::StringLiterals;

using namespace tarvo;

using namespace tarvo::rig;

class TestMainWindow : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();

    void loadShowsDefaultsAndStopsEverything();
    void controlsCarryTheirNamesAndDesignPlaces_data();
    void controlsCarryTheirNamesAndDesignPlaces();
    void layoutFollowsTheOuterSize();
    void shrinkingMovesRightAndBottomControlsAndDropsLowWords();
    void lowOrNarrowWindowNeverGivesNegativeSizes();
    void menusHaveExactCaptionsInOrder_data();
    void menusHaveExactCaptionsInOrder();
    void timersAreNamedPreciseAndFollowTheEngine();
    void keysOnThePlayFieldBuildTheTypedText();
    void tabKeepsTheFocusOnThePlayField();
    void playFieldPaintsTheDrawnWords();
    void rightClickPopsUpTheGameMenu_data();
    void rightClickPopsUpTheGameMenu();
    void aRightClickPopsUpTheMenuOnceAndNeverOnALabel_data();
    void aRightClickPopsUpTheMenuOnceAndNeverOnALabel();
    void altLetterMenuOutlivesALateAltPress_data();
    void altLetterMenuOutlivesALateAltPress();
    void portalOpensItsAddress();
    void resultPromptShowsTheExerciseAndNoClearsThePicture();
    void resultPromptYesStartsAgain();
    void exitEndsTheProgramWithAHiddenSettingsDialog();
    void closingTheWindowEndsTheProgram();

private:
    WindowFixture fixture;
    Kavix *window = nullptr;

    template<typename T>
    T *child(const char *name) const
    {
        return rig::child<T>(*window, QLatin1String(name));
    }
    QAction *action(const char *name) const { return menuItem(*window, name); }
    QWidget *pict() const { return child<QWidget>("GamePict"); }
    QString textWord() const { return child<QLineEdit>("textWord")->text(); }
    QString label(const char *name) const { return child<QLabel>(name)->text(); }

    // Resizes the window to an outer size in twips, frame included.
    void resizeOuter(double width, double height)
    {
        window->setWindowState(Qt::WindowNoState);
        QCoreApplication::processEvents();
        const QSize frame = window->frameGeometry().size() - window->size();
        window->resize(int(width / twipsPerPixelX(window)) - frame.width(),
                       int(height / twipsPerPixelY(window)) - frame.height());
        QCoreApplication::processEvents();
        QCOMPARE(window->frameGeometry().width() * twipsPerPixelX(window), width);
        QCOMPARE(window->frameGeometry().height() * twipsPerPixelY(window), height);
    }
};

void TestMainWindow::init()
{
    QVERIFY(fixture.open());
    window = fixture.window();
}

void TestMainWindow::cleanup()
{
    fixture.close();
    window = nullptr;
}

void TestMainWindow::loadShowsDefaultsAndStopsEverything()
{
    QCOMPARE(window->objectName(), QStringLiteral("Kavix"));
    QCOMPARE(window->windowTitle(), QStringLiteral("Tarvo"));
    QVERIFY(window->windowState() & Qt::WindowMaximized);
    QVERIFY(!window->windowIcon().isNull());

    QCOMPARE(label("timeDisplay"), QStringLiteral("180"));
    QCOMPARE(label("speedStatus"), QStringLiteral("0 字/分钟"));
    QCOMPARE(label("correctStatus"), QStringLiteral("100% 正确率"));
    QCOMPARE(label("lblSpeed"), QStringLiteral("当前状态:"));
    QCOMPARE(label("lblTime"), QStringLiteral("时间:"));
    QCOMPARE(label("lblPause"), QStringLiteral("暂停"));
    QVERIFY(!child<QLabel>("lblPause")->isVisible());
    QVERIFY(child<QLabel>("speedStatus")->isVisible());
    QVERIFY(child<QLabel>("correctStatus")->isVisible());

    for (const char *name : {"pictScroll", "CreatWord", "GaTime"})
        QVERIFY2(!child<QTimer>(name)->isActive(), name);
    QCOMPARE(child<QTimer>("pictScroll")->interval(), 200);
    QCOMPARE(child<QTimer>("CreatWord")->interval(), 1600);
    QCOMPARE(child<QTimer>("GaTime")->interval(), 0);

    QTest::keyClicks(pict(), QStringLiteral("ab"));
    QTest::keyClick(pict(), Qt::Key_Space);
    QCOMPARE(textWord(), QString());
    QCOMPARE(window->engine().counters(), Counters{});
}

void TestMainWindow::controlsCarryTheirNamesAndDesignPlaces_data()
{
    // Controls that the layout never moves keep their design rectangles.
    QTest::addColumn<QString>("name");
    QTest::addColumn<QRectF>("twips");
    QTest::addColumn<QString>("spoken"); // the name a screen reader reads
    QTest::newRow("lblPause") << u"lblPause"_s << QRectF(1080, 300, 975, 255) << u"暂停"_s;
    QTest::newRow("correctStatus") << u"correctStatus"_s << QRectF(2220, 300, 1335, 255) << u"正确率"_s;
    QTest::newRow("lblSpeed") << u"lblSpeed"_s << QRectF(240, 300, 855, 255) << u"当前状态:"_s;
    QTest::newRow("speedStatus") << u"speedStatus"_s << QRectF(1140, 300, 1035, 195) << u"速度"_s;
}

void TestMainWindow::controlsCarryTheirNamesAndDesignPlaces()
{
    QFETCH(QString, name);
    QFETCH(QRectF, twips);
    QFETCH(QString, spoken);
    auto *w = window->findChild<QLabel *>(name);
    QVERIFY(w);
    QCOMPARE(twipsGeometry(w), twips);
    QCOMPARE(QAccessible::queryAccessibleInterface(w)->text(QAccessible::Name), spoken);
    QCOMPARE(w->textFormat(), Qt::PlainText);
    // A caption is never cut off at the bottom.
    QVERIFY(w->height() >= w->fontMetrics().height());
}

void TestMainWindow::layoutFollowsTheOuterSize()
{
    resizeOuter(7830, 6990);

    QCOMPARE(twipsGeometry(pict()), QRectF(180, 720, 7350, 5050));
    auto *line2 = child<FrameLine>("Line2");
    QCOMPARE(line2->x2(), 7680.0);
    QCOMPARE(line2->y1(), 6180.0);
    QCOMPARE(line2->y2(), 6180.0);
    QCOMPARE(child<FrameLine>("Line4")->twipsLine(), QLineF(7680, 0, 7680, 6180));
    QCOMPARE(child<FrameLine>("Line3")->twipsLine(), QLineF(30, 0, 7680, 0));
    QCOMPARE(child<FrameLine>("Line1")->twipsLine(), QLineF(30, 0, 30, 6180));
    QCOMPARE(twipsGeometry(child<QLineEdit>("textWord")), QRectF(3277.5, 5820, 1275, 315));
    QCOMPARE(twipsGeometry(child<QLabel>("timeDisplay")), QRectF(6900, 180, 615, 375));
    QCOMPARE(twipsGeometry(child<QLabel>("lblTime")), QRectF(6360, 300, 495, 255));

    // The play field the engine sees is the one on screen.
    QCOMPARE(window->playFieldLeft(), 180.0);
    QCOMPARE(window->playFieldWidth(), 7350.0);
    QCOMPARE(pict()->width(), qRound(7350 / twipsPerPixelX(window)));
}

void TestMainWindow::shrinkingMovesRightAndBottomControlsAndDropsLowWords()
{
    resizeOuter(9000, 7500);
    const QRectF speedBefore = twipsGeometry(child<QLabel>("speedStatus"));
    const QRectF pauseBefore = twipsGeometry(child<QLabel>("lblPause"));

    action("mnuStart")->trigger();
    WordTable &table = window->engine().wordSlots();
    table[0] = WordSlot{300, 3000, QStringLiteral("HIGH")};
    table[1] = WordSlot{300, 4500, QStringLiteral("LOW")};

    resizeOuter(6000, 6000);
    QCOMPARE(twipsGeometry(child<QLabel>("timeDisplay")).left(), 6000.0 - 930);
    QCOMPARE(twipsGeometry(child<QLabel>("lblTime")).left(), 6000.0 - 1470);
    QCOMPARE(twipsGeometry(child<QLineEdit>("textWord")).top(), 6000.0 - 1170);
    QCOMPARE(twipsGeometry(pict()).size(), QSizeF(6000 - 480, 6000 - 1940));
    QCOMPARE(twipsGeometry(child<QLabel>("speedStatus")), speedBefore);
    QCOMPARE(twipsGeometry(child<QLabel>("lblPause")), pauseBefore);

    // The new inner height is below 4060 twips: LOW has fallen out.
    QVERIFY(window->playFieldScaleHeight() < 4060);
    QVERIFY(window->playFieldScaleHeight() > 3000);
    window->engine().pictScroll_Timer();
    QCOMPARE(table[0].text, QStringLiteral("HIGH"));
    QCOMPARE(table[1].text, QString());
    const auto drawn = child<GamePict>("GamePict")->picture();
    QCOMPARE(drawn.size(), 1);
    QCOMPARE(drawn.first().text, QStringLiteral("HIGH"));
    QCOMPARE(window->engine().counters().totalChars, qint16(0));
}

void TestMainWindow::lowOrNarrowWindowNeverGivesNegativeSizes()
{
    resizeOuter(300, 900);
    const QRectF field = twipsGeometry(pict());
    QCOMPARE(field.height(), 1040.0); // |900 - 1940|
    QCOMPARE(field.width(), 0.0);
    QVERIFY(window->playFieldScaleHeight() >= 0);
}

void TestMainWindow::menusHaveExactCaptionsInOrder_data()
{
    QTest::addColumn<QString>("menu");
    QTest::addColumn<QStringList>("names");
    QTest::addColumn<QStringList>("captions");
    QTest::newRow("mnuGame") << u"mnuGame"_s << QStringList{"mnuStart", "mnuPause", "mnuSpeed", "mnuExit"}
                             << QStringList{"开始练习(&T)", "暂停练习(&P)", "高级设置(&S)…", "退出程序(&X)"};
    QTest::newRow("mnuHelp") << u"mnuHelp"_s << QStringList{"mnuAbout"} << QStringList{"关于(&A)…"};
}

void TestMainWindow::menusHaveExactCaptionsInOrder()
{
    QFETCH(QString, menu);
    QFETCH(QStringList, names);
    QFETCH(QStringList, captions);

    const QList<QAction *> bar = window->menuBar()->actions();
    QCOMPARE(bar.size(), 3);
    QCOMPARE(bar[0]->menu()->objectName(), QStringLiteral("mnuGame"));
    QCOMPARE(bar[0]->text(), QStringLiteral("文件(&G)"));
    QCOMPARE(bar[1]->menu()->objectName(), QStringLiteral("mnuHelp"));
    QCOMPARE(bar[1]->text(), QStringLiteral("帮助(&H)"));
    QCOMPARE(bar[2]->objectName(), QStringLiteral("mnuPim"));
    QCOMPARE(bar[2]->text(), QStringLiteral(TARVO_PORTAL_NAME));
    QVERIFY(!bar[2]->menu());

    const QList<QAction *> items = child<QMenu>(menu.toLatin1().constData())->actions();
    QCOMPARE(items.size(), names.size());
    for (int i = 0; i < items.size(); ++i) {
        QCOMPARE(items[i]->objectName(), names[i]);
        QCOMPARE(items[i]->text(), captions[i]);
        QVERIFY(items[i]->shortcut().isEmpty());
        QVERIFY(!items[i]->isCheckable());
        QVERIFY(items[i]->isEnabled() && items[i]->isVisible());
    }
}

void TestMainWindow::timersAreNamedPreciseAndFollowTheEngine()
{
    auto *fall = child<QTimer>("pictScroll");
    auto *spawn = child<QTimer>("CreatWord");
    auto *clock = child<QTimer>("GaTime");
    for (QTimer *t : {fall, spawn, clock})
        QCOMPARE(t->timerType(), Qt::PreciseTimer);

    action("mnuStart")->trigger();
    QVERIFY(fall->isActive() && spawn->isActive() && clock->isActive());
    QCOMPARE(clock->interval(), 1000);
    QVERIFY(pict()->hasFocus() || QApplication::focusWidget() == pict() || pict()->window()->focusWidget() == pict());

    // One emission of timeout() is exactly one tick.
    QVERIFY(QMetaObject::invokeMethod(clock, "timeout", Qt::DirectConnection));
    QCOMPARE(label("timeDisplay"), QStringLiteral("179"));

    action("mnuPause")->trigger();
    QVERIFY(!fall->isActive() && !spawn->isActive() && !clock->isActive());
    // The item is renamed as its menu opens, not under a reader's focus.
    QCOMPARE(action("mnuPause")->text(), QStringLiteral("暂停练习(&P)"));
    emit child<QMenu>("mnuGame")->aboutToShow();
    QCOMPARE(action("mnuPause")->text(), QStringLiteral("继续练习(&P)"));
    QVERIFY(child<QLabel>("lblPause")->isVisible());
    QVERIFY(!child<QLabel>("speedStatus")->isVisible());
    action("mnuPause")->trigger();
    QVERIFY(fall->isActive() && spawn->isActive() && clock->isActive());
    QVERIFY(!child<QLabel>("lblPause")->isVisible());
}

void TestMainWindow::keysOnThePlayFieldBuildTheTypedText()
{
    action("mnuStart")->trigger();
    window->engine().wordSlots()[4] = WordSlot{500, 100, QStringLiteral("AB")};

    QTest::keyClick(pict(), Qt::Key_A);                    // "a"
    QTest::keyClick(pict(), Qt::Key_B, Qt::ShiftModifier); // "B"
    QCOMPARE(textWord(), QStringLiteral("AB"));
    QTest::keyClick(pict(), Qt::Key_C);
    QTest::keyClick(pict(), Qt::Key_Backspace);
    QCOMPARE(textWord(), QStringLiteral("AB"));
    QTest::keyClick(pict(), Qt::Key_Return);
    QTest::keyClick(pict(), Qt::Key_Escape);
    QTest::keyClick(pict(), Qt::Key_5);
    QCOMPARE(textWord(), QStringLiteral("AB"));
    QTest::keyClick(pict(), Qt::Key_Space);
    QCOMPARE(textWord(), QString());
    QCOMPARE(window->engine().typedText(), QString());
    QCOMPARE(window->engine().wordSlots()[4].text, QString());
    const Counters &c = window->engine().counters();
    QCOMPARE(c.totalChars, qint16(4)); // A, B, C and the matched word
    QCOMPARE(c.totalSubmits, qint16(1));
    QCOMPARE(c.totalMatches, qint16(1));

    // The text box only shows; it never takes the focus.
    auto *box = child<QLineEdit>("textWord");
    QVERIFY(!box->isEnabled());
    QCOMPARE(box->focusPolicy(), Qt::NoFocus);
    QCOMPARE(box->palette().color(QPalette::Disabled, QPalette::Text), QColor(0, 0, 255));
}

void TestMainWindow::tabKeepsTheFocusOnThePlayField()
{
    action("mnuStart")->trigger();
    window->activateWindow();
    QTRY_COMPARE(QApplication::focusWidget(), pict());
    QTest::keyClick(pict(), Qt::Key_Tab);
    QTest::keyClick(pict(), Qt::Key_Backtab);
    QCOMPARE(QApplication::focusWidget(), pict());
    QVERIFY(!pict()->testAttribute(Qt::WA_InputMethodEnabled));
}

void TestMainWindow::playFieldPaintsTheDrawnWords()
{
    resizeOuter(9000, 7500);
    action("mnuStart")->trigger();
    window->engine().wordSlots()[0] = WordSlot{1500, 600, QStringLiteral("WWW")};
    window->engine().pictScroll_Timer();

    const QImage image = pict()->grab().toImage();
    const double px = twipsPerPixelX(window);
    const double py = twipsPerPixelY(window);
    // Background in the corner, ink where the word was drawn.
    QCOMPARE(image.pixelColor(image.width() - 10, image.height() - 10), QColor(224, 224, 224));
    const QRect wordBox(GamePict::kBorder + int(1500 / px), GamePict::kBorder + int(600 / py),
                        int(window->textWidth(QStringLiteral("WWW")) / px), pict()->fontMetrics().height());
    int ink = 0;
    for (int y = wordBox.top(); y <= wordBox.bottom(); ++y)
        for (int x = wordBox.left(); x <= wordBox.right(); ++x)
            ink += image.pixelColor(x, y).lightness() < 100;
    QVERIFY2(ink > 20, qPrintable(QString::number(ink)));
    // Nothing drawn above the word's top edge.
    for (int x = wordBox.left(); x <= wordBox.right(); ++x)
        QVERIFY(image.pixelColor(x, wordBox.top() - 3).lightness() > 200);
}

void TestMainWindow::rightClickPopsUpTheGameMenu_data()
{
    QTest::addColumn<bool>("onPlayField");
    QTest::addColumn<Qt::MouseButton>("button");
    QTest::addColumn<bool>("popsUp");
    QTest::newRow("right on play field") << true << Qt::RightButton << true;
    QTest::newRow("right on bare window") << false << Qt::RightButton << true;
    QTest::newRow("left on play field") << true << Qt::LeftButton << false;
    QTest::newRow("left on bare window") << false << Qt::LeftButton << false;
}

void TestMainWindow::rightClickPopsUpTheGameMenu()
{
    QFETCH(bool, onPlayField);
    QFETCH(Qt::MouseButton, button);
    QFETCH(bool, popsUp);

    QWidget *target = onPlayField ? pict() : window->centralWidget();
    // A point of the bare window: left of the play field, below the labels.
    const QPoint at = onPlayField ? QPoint(40, 40) : QPoint(4, pict()->y() + 40);
    QCOMPARE(target->childAt(at), nullptr);
    QTest::mouseClick(target, button, Qt::NoModifier, at);

    auto *menu = child<QMenu>("mnuGame");
    if (popsUp) {
        QTRY_VERIFY(menu->isVisible());
        QCOMPARE(QApplication::activePopupWidget(), menu);
        menu->close();
    } else {
        QTest::qWait(20);
        QVERIFY(!menu->isVisible());
        QCOMPARE(QApplication::activePopupWidget(), nullptr);
    }
}

void TestMainWindow::aRightClickPopsUpTheMenuOnceAndNeverOnALabel_data()
{
    QTest::addColumn<QString>("target"); // the control at whose centre the click lands
    QTest::addColumn<int>("popups");
    QTest::newRow("play field") << u"GamePict"_s << 1;
    QTest::newRow("bare window") << u"client"_s << 1;
    // A disabled box and the lines let the click through to the window.
    QTest::newRow("typed-text box") << u"textWord"_s << 1;
    QTest::newRow("bottom frame line") << u"Line2"_s << 1;
    QTest::newRow("right frame line") << u"Line4"_s << 1;
    // A label is a control of its own.
    QTest::newRow("当前状态:") << u"lblSpeed"_s << 0;
    QTest::newRow("speed") << u"speedStatus"_s << 0;
    QTest::newRow("accuracy") << u"correctStatus"_s << 0;
    QTest::newRow("暂停, while paused") << u"lblPause"_s << 0;
    QTest::newRow("时间:") << u"lblTime"_s << 0;
    QTest::newRow("countdown") << u"timeDisplay"_s << 0;
}

void TestMainWindow::aRightClickPopsUpTheMenuOnceAndNeverOnALabel()
{
    QFETCH(QString, target);
    QFETCH(int, popups);

    if (target == u"lblPause"_s) {
        action("mnuStart")->trigger();
        action("mnuPause")->trigger();
    }
    QWidget *client = window->centralWidget();
    auto *control = target == u"client"_s ? client : window->findChild<QWidget *>(target);
    QVERIFY(control && control->isVisible());
    // A point of the bare window: left of the play field, below the labels.
    const QPoint at =
        control == client ? QPoint(4, pict()->y() + 40) : control->mapTo(client, control->rect().center());
    // The widget the window system hands the click to: the topmost one
    // under the point that takes mouse events.
    QWidget *receiver = client->childAt(at);
    if (!receiver)
        receiver = client;
    QCOMPARE(receiver == control, !qobject_cast<FrameLine *>(control));

    auto *menu = child<QMenu>("mnuGame");
    QSignalSpy shown(menu, &QMenu::aboutToShow);
    QTest::mouseClick(receiver, Qt::RightButton, Qt::NoModifier, receiver->mapFrom(client, at));
    QTest::qWait(20);
    QCOMPARE(shown.count(), popups);
    QCOMPARE(menu->isVisible(), popups > 0);
    menu->close();
}

void TestMainWindow::altLetterMenuOutlivesALateAltPress_data()
{
    QTest::addColumn<bool>("altPressFirst");
    QTest::addColumn<bool>("menuStaysOpen");
    // Without a screen reader the Alt press reaches the window before the
    // G; an Alt press on the open menu then closes it, as always.
    QTest::newRow("Alt press before the letter") << true << false;
    // With one, Qt's AT-SPI bridge holds the Alt press back while the
    // shortcut opens the menu: only the shortcut override went through.
    QTest::newRow("Alt press held back past the letter") << false << true;
}

void TestMainWindow::altLetterMenuOutlivesALateAltPress()
{
    QFETCH(bool, altPressFirst);
    QFETCH(bool, menuStaysOpen);

    // Key events sent as the bridge re-posts them: not spontaneous, so Qt
    // tries shortcuts on the way, as it does for real key presses.
    const auto press = [](QWidget *to, Qt::Key key, Qt::KeyboardModifiers modifiers, const QString &text = {}) {
        QKeyEvent event(QEvent::KeyPress, key, modifiers, text);
        QCoreApplication::sendEvent(to, &event);
    };
    const auto release = [](QWidget *to, Qt::Key key, Qt::KeyboardModifiers modifiers) {
        QKeyEvent event(QEvent::KeyRelease, key, modifiers);
        QCoreApplication::sendEvent(to, &event);
    };

    window->activateWindow();
    QTRY_COMPARE(QApplication::focusWidget(), pict());
    if (altPressFirst) {
        press(pict(), Qt::Key_Alt, Qt::AltModifier);
    } else {
        // Only what Qt sends at once when Alt goes down gets through.
        QKeyEvent override(QEvent::ShortcutOverride, Qt::Key_Alt, Qt::AltModifier);
        QCoreApplication::sendEvent(pict(), &override);
    }
    press(pict(), Qt::Key_G, Qt::AltModifier, QStringLiteral("g"));
    auto *menu = child<QMenu>("mnuGame");
    QTRY_VERIFY(menu->isVisible());

    // The held-back Alt press, or a new one, reaches the open menu.
    press(menu, Qt::Key_Alt, Qt::AltModifier);
    release(menu, Qt::Key_Alt, Qt::NoModifier);
    QCOMPARE(menu->isVisible(), menuStaysOpen);
    if (!menuStaysOpen)
        return;
    press(menu, Qt::Key_T, Qt::NoModifier, QStringLiteral("t"));
    QVERIFY(!menu->isVisible());
    QVERIFY(window->engine().isRunning());

    // Only that one press: Alt on a menu opened in order closes it again.
    press(pict(), Qt::Key_Alt, Qt::AltModifier);
    press(pict(), Qt::Key_G, Qt::AltModifier, QStringLiteral("g"));
    QTRY_VERIFY(menu->isVisible());
    press(menu, Qt::Key_Alt, Qt::AltModifier);
    QVERIFY(!menu->isVisible());
}

void TestMainWindow::portalOpensItsAddress()
{
    UrlCatcher catcher({u"https"_s, u"http"_s});
    action("mnuPim")->trigger();
    QCOMPARE(catcher.urls, QList<QUrl>{QUrl(QStringLiteral(TARVO_PORTAL_URL))});
}

void TestMainWindow::resultPromptShowsTheExerciseAndNoClearsThePicture()
{
    action("mnuStart")->trigger();
    for (char c : {'A', 'B'})
        window->engine().GamePict_KeyPress(c);
    window->engine().wordSlots()[0] = WordSlot{500, 100, QStringLiteral("Q")};
    window->engine().pictScroll_Timer();
    window->setLabelText(Label::timeDisplay, QStringLiteral("001"));

    bool checked = false;
    whenModalShows([&](QWidget *modal) {
        auto *box = qobject_cast<QMessageBox *>(modal);
        QVERIFY(box);
        QCOMPARE(box->windowTitle(), QStringLiteral("你的成绩"));
        QCOMPARE(box->icon(), QMessageBox::NoIcon);
        QCOMPARE(box->standardButtons(), QMessageBox::Yes | QMessageBox::No);
        QCOMPARE(box->defaultButton(), box->button(QMessageBox::Yes));
        QCOMPARE(box->button(QMessageBox::Yes)->text(), QStringLiteral("是(&Y)"));
        QCOMPARE(box->button(QMessageBox::No)->text(), QStringLiteral("否(&N)"));
        QCOMPARE(box->textFormat(), Qt::PlainText);
        // Two characters in three minutes; no submission reads as 100%.
        QCOMPARE(box->text(), QStringLiteral("    速  度: 1 字/分钟\n    正确率: 100.%\n    继续练习吗?"));
        for (const char *name : {"pictScroll", "CreatWord", "GaTime"})
            QVERIFY(!child<QTimer>(name)->isActive());
        checked = true;
        box->button(QMessageBox::No)->click();
    });
    window->engine().GaTime_Timer();

    QVERIFY(checked);
    QCOMPARE(label("timeDisplay"), QStringLiteral("000"));
    QCOMPARE(textWord(), QString());
    QVERIFY(child<GamePict>("GamePict")->picture().isEmpty());
    QVERIFY(!window->engine().isRunning());
}

void TestMainWindow::resultPromptYesStartsAgain()
{
    action("mnuStart")->trigger();
    window->setLabelText(Label::timeDisplay, QStringLiteral("001"));
    whenModalShows([](QWidget *modal) {
        auto *box = qobject_cast<QMessageBox *>(modal);
        QVERIFY(box);
        box->button(QMessageBox::Yes)->click();
    });
    window->engine().GaTime_Timer();
    QCOMPARE(label("timeDisplay"), QStringLiteral("180"));
    QVERIFY(child<QTimer>("GaTime")->isActive());
    QVERIFY(window->engine().isRunning());
}

void TestMainWindow::exitEndsTheProgramWithAHiddenSettingsDialog()
{
    // Open the settings once and cancel: the dialog lives on, hidden.
    whenModalShows([](QWidget *modal) {
        QVERIFY(modal);
        modal->findChild<QPushButton *>(QStringLiteral("setSpeedCancel"))->click();
    });
    action("mnuSpeed")->trigger();
    QVERIFY(window->settingsDialog());
    QVERIFY(!window->settingsDialog()->isVisible());

    action("mnuStart")->trigger();
    QTimer::singleShot(0, action("mnuExit"), &QAction::trigger);
    QCOMPARE(QApplication::exec(), 0);
    QVERIFY(!window->isVisible());
    QVERIFY(!window->engine().isRunning());
}

void TestMainWindow::closingTheWindowEndsTheProgram()
{
    // Exit while the settings dialog is open: its loop and the program end.
    QTimer::singleShot(0, action("mnuSpeed"), &QAction::trigger);
    QTimer::singleShot(50, window, &QWidget::close);
    QCOMPARE(QApplication::exec(), 0);
    QVERIFY(!window->isVisible());
    QVERIFY(window->settingsDialog());
    QVERIFY(!window->settingsDialog()->isVisible());
}

QTEST_MAIN(TestMainWindow)
#include "tst_mainwindow.moc"
