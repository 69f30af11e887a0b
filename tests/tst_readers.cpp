// What people who read with their ears, under a dark scheme or in another
// locale get: accessible names, roles and texts in Chinese,
// the e-mail link by keyboard and screen reader, readable colours, texts
// that fit their boxes at every DPI, no typing with Alt held.
#include "colours.h"
#include "fonts.h"
#include "gamepict.h"
#include "layout.h"
#include "readers.h"
#include "twips.h"
#include "windowrig.h"

#include "tarvoconfig.h"

#include <QAccessible>
#include <QApplication>
#include <QDialog>
#include <QFontInfo>
#include <QFontMetricsF>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QScopeGuard>
#include <QTest>

#include <memory>
#include <vector>

using namespace Qt::StringLiterals;

using namespace tarvo;
using namespace tarvo::rig;

namespace {

QAccessibleInterface *accessible(QObject *o)
{
    return QAccessible::queryAccessibleInterface(o);
}

QString readText(QObject *o)
{
    QAccessibleTextInterface *text = accessible(o)->textInterface();
    return text ? text->text(0, text->characterCount()) : u"<no text>"_s;
}

QPalette darkPalette()
{
    QPalette p;
    p.setColor(QPalette::Window, QColor(34, 32, 32));
    p.setColor(QPalette::WindowText, QColor(230, 230, 230));
    p.setColor(QPalette::Base, QColor(20, 20, 20));
    p.setColor(QPalette::Text, QColor(230, 230, 230));
    p.setColor(QPalette::Button, QColor(50, 48, 48));
    p.setColor(QPalette::ButtonText, QColor(230, 230, 230));
    for (auto role : {QPalette::Window, QPalette::Base, QPalette::WindowText})
        p.setColor(QPalette::Disabled, role, p.color(QPalette::Active, role).darker(110));
    return p;
}

} // namespace

class TestReaders : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();

    void everyControlHasAChineseNameRoleAndText_data();
    void everyControlHasAChineseNameRoleAndText();
    void noAccessibleNameIsACodeName();
    void statusTextsAndWordsReadAsTheyChange();
    void emailLinkOpensOncePerClickKeyOrAction_data();
    void emailLinkOpensOncePerClickKeyOrAction();
    void contrastFollowsRelativeLuminance_data();
    void contrastFollowsRelativeLuminance();
    void darkSchemeKeepsWordsAndBoxesReadable();
    void lightSchemeKeepsTheSystemColours();
    void longestTextsFitTheirBoxesAtEachDpi_data();
    void longestTextsFitTheirBoxesAtEachDpi();
    void aDesktopFontKeepsItsSizeInTheChineseFaces();
    void keysWithAltControlOrMetaTypeNothing_data();
    void keysWithAltControlOrMetaTypeNothing();
    void aWidgetMadeWhereAGoneClientAreaWasIsNotTakenForIt();

private:
    WindowFixture fixture;
    Kavix *window = nullptr;
};

void TestReaders::init()
{
    QVERIFY(fixture.open());
    window = fixture.window();
}

void TestReaders::cleanup()
{
    fixture.close();
    QApplication::setPalette(QPalette());
}

void TestReaders::everyControlHasAChineseNameRoleAndText_data()
{
    QTest::addColumn<QString>("control");
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("role");
    QTest::addColumn<QString>("text"); // through the text interface
    QTest::newRow("countdown") << u"timeDisplay"_s << u"剩余时间"_s << int(QAccessible::StaticText) << u"180"_s;
    QTest::newRow("speed") << u"speedStatus"_s << u"速度"_s << int(QAccessible::StaticText) << u"0 字/分钟"_s;
    QTest::newRow("accuracy") << u"correctStatus"_s << u"正确率"_s << int(QAccessible::StaticText) << u"100% 正确率"_s;
    QTest::newRow("typed text") << u"textWord"_s << u"已输入"_s << int(QAccessible::EditableText) << u""_s;
    QTest::newRow("play field") << u"GamePict"_s << u"练习区"_s << int(QAccessible::Canvas) << u""_s;
    // Captions are read as they stand.
    QTest::newRow("status caption") << u"lblSpeed"_s << u"当前状态:"_s << int(QAccessible::StaticText)
                                    << u"<no text>"_s;
    QTest::newRow("time caption") << u"lblTime"_s << u"时间:"_s << int(QAccessible::StaticText) << u"<no text>"_s;
}

void TestReaders::everyControlHasAChineseNameRoleAndText()
{
    QFETCH(QString, control);
    QFETCH(QString, name);
    QFETCH(int, role);
    QFETCH(QString, text);
    QObject *o = child<QWidget>(*window, control);
    QAccessibleInterface *a = accessible(o);
    QCOMPARE(a->text(QAccessible::Name), name);
    QCOMPARE(int(a->role()), role);
    QCOMPARE(readText(o), text);
    if (control == u"textWord") {
        QVERIFY(a->state().readOnly);
        QVERIFY(!a->state().editable);
    }
}

void TestReaders::noAccessibleNameIsACodeName()
{
    QStringList codeNames;
    for (QWidget *w : window->findChildren<QWidget *>())
        if (!w->objectName().isEmpty() && accessible(w)->text(QAccessible::Name) == w->objectName())
            codeNames << w->objectName();
    QCOMPARE(codeNames, QStringList());
}

void TestReaders::statusTextsAndWordsReadAsTheyChange()
{
    // A screen reader reads the changed texts; the change events themselves
    // need an accessibility bus and are checked on a real desktop.
    menuItem(*window, "mnuStart")->trigger();
    window->engine().GaTime_Timer();
    QCOMPARE(readText(child<QLabel>(*window, u"timeDisplay"_s)), u"179"_s);
    QCOMPARE(accessible(child<QLabel>(*window, u"timeDisplay"_s))->text(QAccessible::Description), u"179"_s);
    window->engine().GamePict_KeyPress('k');
    QCOMPARE(readText(child<QLineEdit>(*window, u"textWord"_s)), u"K"_s);

    // The play field reads its words lowest first, without positions; its
    // name stays as it is.
    auto *pict = child<GamePict>(*window, u"GamePict"_s);
    window->engine().wordSlots()[0] = WordSlot{3000, 0, u"XY"_s};
    window->engine().wordSlots()[2] = WordSlot{900, 450, u"AB"_s};
    window->engine().wordSlots()[3] = WordSlot{900, 0, u"W"_s};
    window->engine().wordSlots()[5] = WordSlot{300, 900, u"KQD"_s};
    window->engine().pictScroll_Timer();
    QCOMPARE(readText(pict), u"KQD AB XY W"_s);
    QCOMPARE(accessible(pict)->textInterface()->characterCount(), 11);
    QCOMPARE(accessible(pict)->textInterface()->text(4, 6), u"AB"_s);
    QCOMPARE(accessible(pict)->text(QAccessible::Name), u"练习区"_s);
    window->engine().GamePict_KeyPress(' ');
    window->engine().pictScroll_Timer();
    QCOMPARE(readText(pict), u"KQD AB XY W"_s); // "K" matched nothing
    for (char c : {'K', 'Q', 'D', ' '})
        window->engine().GamePict_KeyPress(c);
    window->engine().pictScroll_Timer();
    QCOMPARE(readText(pict), u"AB XY W"_s);
}

void TestReaders::emailLinkOpensOncePerClickKeyOrAction_data()
{
    QTest::addColumn<QString>("how");
    QTest::newRow("click") << u"click"_s;
    QTest::newRow("double click") << u"double click"_s;
    QTest::newRow("Tab then Enter") << u"enter"_s;
    QTest::newRow("Tab then Space") << u"space"_s;
    QTest::newRow("screen reader's press") << u"press"_s;
}

void TestReaders::emailLinkOpensOncePerClickKeyOrAction()
{
    QFETCH(QString, how);
    UrlCatcher catcher({u"mailto"_s});
    QString role, picture, defaultButton;
    whenModalShows([&](QWidget *modal) {
        auto *dialog = qobject_cast<QDialog *>(modal);
        QVERIFY(dialog);
        const auto closeAnyway = qScopeGuard([dialog] {
            if (dialog->isVisible())
                dialog->done(QDialog::Rejected);
        });
        auto *link = child<QLabel>(*dialog, u"Label7"_s);
        role = QString::number(int(accessible(link)->role()));
        picture = accessible(child<QLabel>(*dialog, u"Image1"_s))->text(QAccessible::Name);
        if (how == u"click") {
            QTest::mouseClick(link, Qt::LeftButton);
        } else if (how == u"double click") {
            // A real double click: a click, then a press that comes with a
            // double-click event, and its release.
            QTest::mouseClick(link, Qt::LeftButton);
            QTest::mouseDClick(link, Qt::LeftButton);
        } else if (how == u"press") {
            accessible(link)->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
        } else {
            // Tab reaches the link (the settings and About tests follow the
            // focus there); the key goes to it.
            QVERIFY(link->focusPolicy() & Qt::TabFocus);
            QTest::keyClick(link, how == u"enter" ? Qt::Key_Return : Qt::Key_Space);
        }
        // The link took the key: OK is still the default and the box open.
        auto *ok = child<QPushButton>(*dialog, u"Command1"_s);
        defaultButton = ok->isDefault() ? ok->objectName() : QString();
        QVERIFY(dialog->isVisible());
        ok->click();
    });
    menuItem(*window, "mnuAbout")->trigger();
    QCOMPARE(role, QString::number(int(QAccessible::Link)));
    QVERIFY(!picture.isEmpty() && picture != u"Image1");
    QCOMPARE(defaultButton, u"Command1"_s);
    QCOMPARE(catcher.urls, QList<QUrl>{QUrl(u"mailto:"_s + QStringLiteral(TARVO_AUTHOR_EMAIL))});
}

void TestReaders::contrastFollowsRelativeLuminance_data()
{
    QTest::addColumn<QColor>("a");
    QTest::addColumn<QColor>("b");
    QTest::addColumn<double>("ratio");
    QTest::newRow("black on white") << QColor(Qt::black) << QColor(Qt::white) << 21.0;
    QTest::newRow("the same colour") << QColor(224, 224, 224) << QColor(224, 224, 224) << 1.0;
    QTest::newRow("blue on white") << QColor(0, 0, 255) << QColor(Qt::white) << 8.59;
    QTest::newRow("red on white: below 4.5") << QColor(255, 0, 0) << QColor(Qt::white) << 4.0;
    QTest::newRow("white on the field") << QColor(Qt::white) << QColor(224, 224, 224) << 1.32;
    QTest::newRow("black on the field") << QColor(Qt::black) << QColor(224, 224, 224) << 15.91;
}

void TestReaders::contrastFollowsRelativeLuminance()
{
    QFETCH(QColor, a);
    QFETCH(QColor, b);
    QFETCH(double, ratio);
    QVERIFY2(qAbs(contrastRatio(a, b) - ratio) < 0.01, qPrintable(QString::number(contrastRatio(a, b))));
    QCOMPARE(contrastRatio(b, a), contrastRatio(a, b));
}

void TestReaders::darkSchemeKeepsWordsAndBoxesReadable()
{
    QApplication::setPalette(darkPalette());
    QCoreApplication::processEvents();
    const QColor field(224, 224, 224);
    auto *pict = child<GamePict>(*window, u"GamePict"_s);
    QVERIFY(contrastRatio(pict->inkColour(), field) >= 4.5);
    QVERIFY(pict->inkColour().lightness() < field.lightness()); // dark on the light field

    const QPalette box = child<QLineEdit>(*window, u"textWord"_s)->palette();
    QCOMPARE(box.color(QPalette::Disabled, QPalette::Text), QColor(0, 0, 255));
    QVERIFY(contrastRatio(box.color(QPalette::Disabled, QPalette::Text), box.color(QPalette::Disabled, QPalette::Base))
            >= 4.5);
    const QPalette speed = child<QLabel>(*window, u"speedStatus"_s)->palette();
    QCOMPARE(speed.color(QPalette::Window), darkPalette().color(QPalette::Button));
    QVERIFY(contrastRatio(speed.color(QPalette::WindowText), speed.color(QPalette::Window)) >= 4.5);
    // The design's own colours stay.
    const QPalette countdown = child<QLabel>(*window, u"timeDisplay"_s)->palette();
    QCOMPARE(countdown.color(QPalette::WindowText), QColor(255, 0, 0));
    QCOMPARE(countdown.color(QPalette::Window), QColor(Qt::black));
}

void TestReaders::lightSchemeKeepsTheSystemColours()
{
    const QPalette system = QApplication::palette();
    QCOMPARE(child<GamePict>(*window, u"GamePict"_s)->inkColour(), system.color(QPalette::WindowText));
    const QPalette box = child<QLineEdit>(*window, u"textWord"_s)->palette();
    QCOMPARE(box.color(QPalette::Disabled, QPalette::Base), system.color(QPalette::Disabled, QPalette::Base));
    const QPalette speed = child<QLabel>(*window, u"speedStatus"_s)->palette();
    QCOMPARE(speed.color(QPalette::WindowText), system.color(QPalette::WindowText));
}

void TestReaders::longestTextsFitTheirBoxesAtEachDpi_data()
{
    QTest::addColumn<double>("dpi");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QFont>("font");
    QTest::addColumn<QRectF>("box");
    QTest::addColumn<int>("frame"); // pixels of border and margin on each side

    // Scale factors 1.25 and 2 draw the layout of 96 dpi at more device
    // pixels, so they fit as 96 dpi does.
    for (double dpi : {96.0, 120.0, 144.0}) {
        const QString at = u" at %1 dpi"_s.arg(dpi);
        const MainLayout &l = kDesignLayout;
        // Eight of the widest capital.
        QTest::newRow(qPrintable(u"typed text WWWWWWWW"_s + at))
            << dpi << u"WWWWWWWW"_s << songFont(10.5, true) << l.textWord << 3;
        QTest::newRow(qPrintable(u"countdown 540"_s + at))
            << dpi << u"540"_s << arialFont(18, true) << l.timeDisplay << 0;
        // Three digits are 83 characters in five seconds, faster than anyone
        // types.
        QTest::newRow(qPrintable(u"speed 999"_s + at)) << dpi << u"999 字/分钟"_s << songFont(9) << l.speedStatus << 0;
        // 51 words removed by one Space: the most the field holds.
        QTest::newRow(qPrintable(u"accuracy 5100.%"_s + at))
            << dpi << u"5100.% 正确率"_s << songFont(9) << l.correctStatus << 0;
        QTest::newRow(qPrintable(u"accuracy 266.67%"_s + at))
            << dpi << u"266.67% 正确率"_s << songFont(9) << l.correctStatus << 0;
    }
}

void TestReaders::longestTextsFitTheirBoxesAtEachDpi()
{
    QFETCH(double, dpi);
    QFETCH(QString, text);
    QFETCH(QFont, font);
    QFETCH(QRectF, box);
    QFETCH(int, frame);
    QImage device(1, 1, QImage::Format_RGB32);
    device.setDotsPerMeterX(qRound(dpi / 0.0254));
    device.setDotsPerMeterY(qRound(dpi / 0.0254));
    const QFontMetricsF metrics(font, &device);
    const QRect pixels = pixelRect(box, TwipsScale::atDpi(dpi, dpi));
    const double inner = pixels.width() - 2 * frame;
    QVERIFY2(metrics.horizontalAdvance(text) <= inner,
             qPrintable(u"%1 px of text in %2 px (%3)"_s.arg(metrics.horizontalAdvance(text))
                            .arg(inner)
                            .arg(QFontInfo(font).family())));
}

void TestReaders::aDesktopFontKeepsItsSizeInTheChineseFaces()
{
    const QFont before = QApplication::font();
    const QString chinese = QFontInfo(songFont(9)).family();
    // A desktop theme sets its own font after start-up, as qt6ct and KDE's
    // do.
    QFont desktop(u"DejaVu Sans"_s);
    desktop.setPointSizeF(13);
    QApplication::setFont(desktop);
    QCoreApplication::processEvents();
    QCOMPARE(QApplication::font().pointSizeF(), 13.0);
    QCOMPARE(QApplication::font().families().value(0), songFont(9).families().value(0));
    auto *bar = window->menuBar();
    QCOMPARE(QFontInfo(bar->font()).family(), chinese);
    QCOMPARE(bar->font().pointSizeF(), 13.0);
    QApplication::setFont(before);
}

void TestReaders::keysWithAltControlOrMetaTypeNothing_data()
{
    QTest::addColumn<Qt::KeyboardModifiers>("modifiers");
    QTest::addColumn<QString>("typed");
    QTest::newRow("plain") << Qt::KeyboardModifiers(Qt::NoModifier) << u"Q"_s;
    QTest::newRow("shift") << Qt::KeyboardModifiers(Qt::ShiftModifier) << u"Q"_s;
    QTest::newRow("alt") << Qt::KeyboardModifiers(Qt::AltModifier) << u""_s;
    QTest::newRow("control") << Qt::KeyboardModifiers(Qt::ControlModifier) << u""_s;
    QTest::newRow("logo key") << Qt::KeyboardModifiers(Qt::MetaModifier) << u""_s;
}

void TestReaders::keysWithAltControlOrMetaTypeNothing()
{
    QFETCH(Qt::KeyboardModifiers, modifiers);
    QFETCH(QString, typed);
    menuItem(*window, "mnuStart")->trigger();
    QKeyEvent press(QEvent::KeyPress, Qt::Key_Q, modifiers, u"q"_s);
    QCoreApplication::sendEvent(child<QWidget>(*window, u"GamePict"_s), &press);
    QCOMPARE(window->engine().typedText(), typed);
}

void TestReaders::aWidgetMadeWhereAGoneClientAreaWasIsNotTakenForIt()
{
    // A client area that goes before its readers; the allocator gives the
    // next widget of its size the same address as a rule.
    auto *client = new QWidget;
    const void *address = client;
    WindowReaders readers(client, StatusStrip{});
    QCOMPARE(QAccessible::queryAccessibleInterface(client)->childCount(), 2); // the status bar and the notice
    delete client;
    std::vector<std::unique_ptr<QWidget>> later;
    while (later.size() < 50 && (later.empty() || later.back().get() != address))
        later.push_back(std::make_unique<QWidget>());
    if (later.back().get() != address)
        QSKIP("no widget was made at the gone client area's address");
    QCOMPARE(QAccessible::queryAccessibleInterface(later.back().get())->childCount(), 0);
}

QTEST_MAIN(TestReaders)
#include "tst_readers.moc"
