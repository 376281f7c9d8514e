// Where a dialog moves to uncover a place's marker: the nearest side of the
// marker that fits the screen, or no move at all.
#include "view/DialogPlacement.h"

#include <QtTest>

Q_DECLARE_METATYPE(CRect)
Q_DECLARE_METATYPE(CPoint)

namespace {
CRect Box(int x, int y, int w, int h) { return {x, y, x + w, y + h}; }
CRect Marker(int x, int y) { return Box(x, y, 6, 6); }
const CRect kScreen = Box(0, 0, 1920, 1080);
const CRect kDialog = Box(700, 400, 400, 300);  // 700..1100, 400..700
}  // namespace

class TestDialogPlacement : public QObject {
    Q_OBJECT
private slots:
    void placement_data();
    void placement();
};

void TestDialogPlacement::placement_data() {
    QTest::addColumn<CRect>("screen");
    QTest::addColumn<CRect>("dialog");
    QTest::addColumn<CRect>("marker");
    QTest::addColumn<bool>("moves");
    QTest::addColumn<CPoint>("to");
    QTest::newRow("under the middle, a bit low: up") << kScreen << kDialog << Marker(880, 600) << true << CPoint{700, 290};
    QTest::newRow("near the left edge: right") << kScreen << kDialog << Marker(705, 500) << true << CPoint{721, 400};
    QTest::newRow("near the right edge: left") << kScreen << kDialog << Marker(1090, 450) << true << CPoint{680, 400};
    QTest::newRow("near the top edge: down") << kScreen << kDialog << Marker(850, 405) << true << CPoint{700, 421};
    QTest::newRow("near the bottom edge: up") << kScreen << kDialog << Marker(850, 690) << true << CPoint{700, 380};
    QTest::newRow("outside the dialog: no move") << kScreen << kDialog << Marker(200, 200) << false << CPoint{};
    QTest::newRow("just outside, within the margin") << kScreen << kDialog << Marker(1102, 500) << true << CPoint{692, 400};
    QTest::newRow("against the screen's left side: not off it")
        << kScreen << Box(0, 400, 400, 300) << Marker(100, 520) << true << CPoint{116, 400};
    QTest::newRow("larger than half the screen, room on one side")
        << Box(0, 0, 1280, 800) << Box(240, 100, 800, 600) << Marker(1000, 650) << true << CPoint{190, 100};
    QTest::newRow("larger than half the screen, marker in the middle: nowhere to go")
        << Box(0, 0, 1280, 800) << Box(240, 100, 800, 600) << Marker(600, 300) << false << CPoint{};
    QTest::newRow("as large as the screen: nowhere to go")
        << Box(0, 0, 800, 600) << Box(0, 0, 800, 600) << Marker(400, 300) << false << CPoint{};
    QTest::newRow("second screen to the right")
        << Box(1920, 0, 1920, 1080) << Box(2620, 400, 400, 300) << Marker(2625, 500) << true << CPoint{2641, 400};
    QTest::newRow("partly off the screen: brought wholly onto it")
        << kScreen << Box(1700, 400, 400, 300) << Marker(1800, 500) << true << CPoint{1520, 516};
    QTest::newRow("a panel above the work area: not under it")
        << Box(0, 30, 1920, 1050) << Box(700, 40, 400, 300) << Marker(880, 60) << true << CPoint{700, 76};
}

void TestDialogPlacement::placement() {
    QFETCH(CRect, screen);
    QFETCH(CRect, dialog);
    QFETCH(CRect, marker);
    QFETCH(bool, moves);
    const std::optional<CPoint> to = PlaceAsideOf(dialog, marker, screen, 10);
    QCOMPARE(to.has_value(), moves);
    if (!to) return;
    QTEST(*to, "to");
    const CRect moved{to->x, to->y, to->x + dialog.Width(), to->y + dialog.Height()};
    QVERIFY(moved.left >= screen.left && moved.right <= screen.right);
    QVERIFY(moved.top >= screen.top && moved.bottom <= screen.bottom);
    const bool clear = moved.right <= marker.left - 10 || moved.left >= marker.right + 10 ||
                       moved.bottom <= marker.top - 10 || moved.top >= marker.bottom + 10;
    QVERIFY(clear);
}

QTEST_APPLESS_MAIN(TestDialogPlacement)
#include "test_dialogplacement.moc"
