// The main window's resize rule and the conversion of its twips to pixels,
// as tables, without a widget.
#include "layout.h"
#include "placement.h"
#include "twips.h"

#include <QTest>

using namespace tarvo;

class TestLayout : public QObject {
    Q_OBJECT
private slots:
    void resizeRuleMovesRightAndBottomControlsAndStretchesThePlayField_data();
    void resizeRuleMovesRightAndBottomControlsAndStretchesThePlayField();
    void thickFramesLayOutFromTheClientArea_data();
    void thickFramesLayOutFromTheClientArea();
    void twipsBecomeRoundedPixelsAtEachDpi_data();
    void twipsBecomeRoundedPixelsAtEachDpi();
    void dialogFramesCentreOnTheirOwnerWithinTheScreen_data();
    void dialogFramesCentreOnTheirOwnerWithinTheScreen();
};

void TestLayout::resizeRuleMovesRightAndBottomControlsAndStretchesThePlayField_data()
{
    QTest::addColumn<QSizeF>("outer");
    QTest::addColumn<QSizeF>("field");      // the play field's width and height
    QTest::addColumn<QPointF>("frameEdge"); // x of the right frame line, y of the bottom one
    QTest::addColumn<double>("countdownLeft");
    QTest::addColumn<double>("captionLeft"); // "时间:"
    QTest::addColumn<QPointF>("boxTopLeft"); // the typed-text box

    // The outer size of a window shown at its design client area.
    QTest::newRow("design 7830 x 6990") << QSizeF(7830, 6990) << QSizeF(7350, 5050) << QPointF(7680, 6180) << 6900.0
                                        << 6360.0 << QPointF(3277.5, 5820);
    // A maximised 1920 x 1080 window.
    QTest::newRow("maximised at 96 dpi") << QSizeF(28800, 16200) << QSizeF(28320, 14260) << QPointF(28650, 15390)
                                         << 27870.0 << 27330.0 << QPointF(13762.5, 15030);
    QTest::newRow("maximised at 120 dpi") << QSizeF(23040, 12960) << QSizeF(22560, 11020) << QPointF(22890, 12150)
                                          << 22110.0 << 21570.0 << QPointF(10882.5, 11790);
    QTest::newRow("maximised at 144 dpi") << QSizeF(19200, 10800) << QSizeF(18720, 8860) << QPointF(19050, 9990)
                                          << 18270.0 << 17730.0 << QPointF(8962.5, 9630);
    // Lower than the status strip: the height is the distance to it.
    QTest::newRow("very low") << QSizeF(6000, 900) << QSizeF(5520, 1040) << QPointF(5850, 90) << 5070.0 << 4530.0
                              << QPointF(2362.5, -270);
    QTest::newRow("exactly the strip's height")
        << QSizeF(6000, 1940) << QSizeF(5520, 0) << QPointF(5850, 1130) << 5070.0 << 4530.0 << QPointF(2362.5, 770);
    QTest::newRow("one twip above it") << QSizeF(6000, 1941) << QSizeF(5520, 1) << QPointF(5850, 1131) << 5070.0
                                       << 4530.0 << QPointF(2362.5, 771);
    // Narrower than the margins: no negative width.
    QTest::newRow("very narrow") << QSizeF(300, 6000) << QSizeF(0, 4060) << QPointF(150, 5190) << -630.0 << -1170.0
                                 << QPointF(-487.5, 4830);
    QTest::newRow("exactly the margins' width")
        << QSizeF(480, 6000) << QSizeF(0, 4060) << QPointF(330, 5190) << -450.0 << -990.0 << QPointF(-397.5, 4830);
    QTest::newRow("one twip wider") << QSizeF(481, 6000) << QSizeF(1, 4060) << QPointF(331, 5190) << -449.0 << -989.0
                                    << QPointF(-397, 4830);
    QTest::newRow("nothing at all") << QSizeF(0, 0) << QSizeF(0, 1940) << QPointF(-150, -810) << -930.0 << -1470.0
                                    << QPointF(-637.5, -1170);
}

void TestLayout::resizeRuleMovesRightAndBottomControlsAndStretchesThePlayField()
{
    QFETCH(QSizeF, outer);
    QFETCH(QSizeF, field);
    QFETCH(QPointF, frameEdge);
    QFETCH(double, countdownLeft);
    QFETCH(double, captionLeft);
    QFETCH(QPointF, boxTopLeft);

    const MainLayout l = mainLayout(outer);
    const MainLayout &d = kDesignLayout;
    const double right = frameEdge.x();
    const double bottom = frameEdge.y();

    QCOMPARE(l.GamePict, QRectF(QPointF(180, 720), field));
    QCOMPARE(l.Line4, QLineF(right, 0, right, bottom));
    QCOMPARE(l.Line3, QLineF(30, 0, right, 0));
    QCOMPARE(l.Line2, QLineF(30, bottom, right, bottom));
    QCOMPARE(l.Line1, QLineF(30, 0, 30, bottom));
    QCOMPARE(l.timeDisplay, QRectF(countdownLeft, 180, 615, 375));
    QCOMPARE(l.lblTime, QRectF(captionLeft, 300, 495, 255));
    QCOMPARE(l.textWord, QRectF(boxTopLeft, QSizeF(1275, 315)));
    // The status labels on the left never move.
    QCOMPARE(l.lblPause, d.lblPause);
    QCOMPARE(l.correctStatus, d.correctStatus);
    QCOMPARE(l.lblSpeed, d.lblSpeed);
    QCOMPARE(l.speedStatus, d.speedStatus);
}

namespace {

// The twips of a client area of w x h pixels at 96 dpi.
QSizeF px(double w, double h)
{
    return QSizeF(w * 15, h * 15);
}

// Where the layout for this outer size leaves the client area: the first
// control found outside it, or an empty string. Lines count with their pen
// (2 and 3 pixels, centred).
QString outsideOf(const MainLayout &l, QSizeF client)
{
    const double w = client.width();
    const double h = client.height();
    if (l.GamePict.right() > w || l.GamePict.bottom() > h)
        return QStringLiteral("GamePict");
    if (l.textWord.right() > w || l.textWord.bottom() > h || l.textWord.left() < 0)
        return QStringLiteral("textWord");
    if (l.timeDisplay.right() > w)
        return QStringLiteral("timeDisplay");
    if (l.Line2.y1() + 22.5 > h || l.Line1.y2() + 22.5 > h || l.Line4.y2() + 22.5 > h)
        return QStringLiteral("Line2");
    if (l.Line4.x1() + 15 > w || l.Line2.x2() + 15 > w || l.Line3.x2() + 15 > w)
        return QStringLiteral("Line4");
    return QString();
}

} // namespace

void TestLayout::thickFramesLayOutFromTheClientArea_data()
{
    QTest::addColumn<QSizeF>("outer");
    QTest::addColumn<QSizeF>("client"); // below the menu bar
    QTest::addColumn<QSizeF>("ruleSize");

    // Frames as thin as the design's, or thinner: the outer size as it is.
    QTest::newRow("the design's frame") << QSizeF(7830, 6990) << QSizeF(7710, 6300) << QSizeF(7830, 6990);
    QTest::newRow("openbox, maximised at 1280 x 800: 19 px title, 23 px menu")
        << px(1280, 800) << px(1280, 758) << px(1280, 800);
    QTest::newRow("offscreen: the menu bar alone")
        << QSizeF(28800, 16200) << QSizeF(28800, 15855) << QSizeF(28800, 16200);
    QTest::newRow("no frame at all") << QSizeF(9000, 7000) << QSizeF(9000, 7000) << QSizeF(9000, 7000);
    // Thicker: the client area with the design's frame around it.
    QTest::newRow("one twip taller than the design's")
        << QSizeF(7830, 6990) << QSizeF(7710, 6299) << QSizeF(7830, 6989);
    QTest::newRow("one twip wider than the design's") << QSizeF(7830, 6990) << QSizeF(7709, 6300) << QSizeF(7829, 6990);
    QTest::newRow("KWin with Breeze, maximised at 1280 x 800: 41 px title, 23 px menu")
        << px(1280, 800) << px(1280, 736) << QSizeF(19200, 11730);
    QTest::newRow("Qt's own title bar on Wayland: 30 px title, 3 px borders")
        << px(1024, 640) << px(1018, 584) << QSizeF(15360, 9450);
    QTest::newRow("thick side borders only") << QSizeF(9000, 8000) << QSizeF(8700, 7310) << QSizeF(8820, 8000);
    QTest::newRow("thick on both axes") << QSizeF(9000, 8000) << QSizeF(8700, 7000) << QSizeF(8820, 7690);
    // Too low to hold the strip, the field and the box: the design's rule,
    // absolute value and all, from the same size.
    QTest::newRow("too low for the play field") << QSizeF(6000, 1800) << QSizeF(5880, 800) << QSizeF(6000, 1490);
}

void TestLayout::thickFramesLayOutFromTheClientArea()
{
    QFETCH(QSizeF, outer);
    QFETCH(QSizeF, client);
    QFETCH(QSizeF, ruleSize);

    QCOMPARE(layoutOuterSize(outer, client), ruleSize);
    const MainLayout l = mainLayout(layoutOuterSize(outer, client));
    QCOMPARE(l, mainLayout(ruleSize));
    // Whole inside wherever the field's height is not the absolute value of
    // a negative one: under a thick frame, from a client area of 1250 twips.
    if (ruleSize.height() >= 1940)
        QCOMPARE(outsideOf(l, client), QString());
}

void TestLayout::twipsBecomeRoundedPixelsAtEachDpi_data()
{
    QTest::addColumn<double>("dpi");
    QTest::addColumn<QRectF>("twips");
    QTest::addColumn<int>("minHeight");
    QTest::addColumn<QRect>("pixels");

    const QRectF box(3120, 5820, 1275, 315);
    QTest::newRow("text box at 96 dpi") << 96.0 << box << 0 << QRect(208, 388, 85, 21);
    QTest::newRow("text box at 120 dpi") << 120.0 << box << 0 << QRect(260, 485, 106, 26);
    // 127.5 and 31.5 pixels: halves round away from zero.
    QTest::newRow("text box at 144 dpi") << 144.0 << box << 0 << QRect(312, 582, 128, 32);
    QTest::newRow("half-pixel left at 96 dpi")
        << 96.0 << QRectF(3277.5, 5820, 1275, 315) << 0 << QRect(219, 388, 85, 21);
    QTest::newRow("negative half-pixel left") << 96.0 << QRectF(-487.5, 0, 15, 15) << 0 << QRect(-33, 0, 1, 1);
    // A label grows to its font's line height, and never shrinks below its
    // own height.
    const QRectF speed(1140, 300, 1035, 195);
    QTest::newRow("label grows at 96 dpi") << 96.0 << speed << 17 << QRect(76, 20, 69, 17);
    QTest::newRow("label grows at 144 dpi") << 144.0 << speed << 26 << QRect(114, 30, 104, 26);
    QTest::newRow("label high enough") << 96.0 << QRectF(6900, 180, 615, 375) << 20 << QRect(460, 12, 41, 25);
    QTest::newRow("negative size is empty") << 96.0 << QRectF(180, 720, -30, -45) << 0 << QRect(12, 48, 0, 0);
    // A screen that reports no DPI counts as 96.
    QTest::newRow("no dpi") << 0.0 << box << 0 << QRect(208, 388, 85, 21);
}

void TestLayout::twipsBecomeRoundedPixelsAtEachDpi()
{
    QFETCH(double, dpi);
    QFETCH(QRectF, twips);
    QFETCH(int, minHeight);
    QFETCH(QRect, pixels);
    QCOMPARE(pixelRect(twips, TwipsScale::atDpi(dpi, dpi), minHeight), pixels);
}

void TestLayout::dialogFramesCentreOnTheirOwnerWithinTheScreen_data()
{
    QTest::addColumn<QRect>("owner");
    QTest::addColumn<QSize>("frame");
    QTest::addColumn<QPoint>("topLeft");
    const QRect screen(0, 0, 1024, 768);
    QTest::newRow("on a maximised window") << screen << QSize(314, 235) << QPoint(355, 266);
    QTest::newRow("on a window at the right edge") << QRect(800, 100, 300, 200) << QSize(314, 235) << QPoint(710, 83);
    QTest::newRow("kept below the top") << QRect(100, -50, 300, 60) << QSize(314, 235) << QPoint(93, 0);
    QTest::newRow("larger than the screen") << screen << QSize(1100, 800) << QPoint(0, 0);
}

void TestLayout::dialogFramesCentreOnTheirOwnerWithinTheScreen()
{
    QFETCH(QRect, owner);
    QFETCH(QSize, frame);
    QFETCH(QPoint, topLeft);
    QCOMPARE(centredFramePosition(owner, frame, QRect(0, 0, 1024, 768)), topLeft);
}

QTEST_GUILESS_MAIN(TestLayout)
#include "tst_layout.moc"
