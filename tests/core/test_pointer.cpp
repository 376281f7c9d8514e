#include "view/PlaceOverlay.h"
#include "view/PointerTracker.h"

#include <QtTest>

Q_DECLARE_METATYPE(CPoint)
Q_DECLARE_METATYPE(CRect)

namespace {

using Action = PointerTracker::Action;

// A gesture: a press, moves, then a release or a right press.
struct Gesture {
    CPoint press;
    QList<CPoint> moves;
    bool rightAtEnd = false;
    CPoint end;
};

}  // namespace

Q_DECLARE_METATYPE(Gesture)
Q_DECLARE_METATYPE(Action)

class TestPointer : public QObject {
    Q_OBJECT
private slots:
    void gestures_data();
    void gestures();
    void releaseWithoutPressDoesNothing();
    void abandonedPressEndsQuietly();
    void hoverText();
};

void TestPointer::gestures_data() {
    QTest::addColumn<Gesture>("gesture");
    QTest::addColumn<Action>("action");
    QTest::addColumn<CPoint>("point");
    QTest::addColumn<CRect>("band");
    QTest::newRow("move along a row only: a click where released")
        << Gesture{{100, 100}, {{150, 100}}, false, {150, 100}} << Action::ZoomInAt
        << CPoint{150, 100} << CRect{};
    QTest::newRow("move along a column only: still a click")
        << Gesture{{100, 100}, {{100, 180}}, false, {100, 180}} << Action::ZoomInAt
        << CPoint{100, 180} << CRect{};
    QTest::newRow("one pixel diagonally starts a band")
        << Gesture{{100, 100}, {{101, 101}}, false, {101, 101}} << Action::ZoomToBand << CPoint{}
        << CRect{100, 100, 101, 101};
    QTest::newRow("dragged up and left: normalised")
        << Gesture{{200, 150}, {{120, 90}, {40, 30}}, false, {40, 30}} << Action::ZoomToBand
        << CPoint{} << CRect{40, 30, 200, 150};
    QTest::newRow("band uses its last corner, not the release point")
        << Gesture{{10, 10}, {{60, 70}}, false, {90, 90}} << Action::ZoomToBand << CPoint{}
        << CRect{10, 10, 60, 70};
    QTest::newRow("once started, moves along a row still count")
        << Gesture{{10, 10}, {{60, 70}, {80, 70}}, false, {80, 70}} << Action::ZoomToBand
        << CPoint{} << CRect{10, 10, 80, 70};
    QTest::newRow("above and left of the client area: clipped at 0")
        << Gesture{{50, 60}, {{-20, -10}}, false, {-20, -10}} << Action::ZoomToBand << CPoint{}
        << CRect{0, 0, 50, 60};
    QTest::newRow("right press during a click: zoom out there")
        << Gesture{{100, 100}, {}, true, {300, 200}} << Action::ZoomOutAt << CPoint{300, 200}
        << CRect{};
    QTest::newRow("right press during a drag: zoom out there")
        << Gesture{{100, 100}, {{150, 150}}, true, {150, 150}} << Action::ZoomOutAt
        << CPoint{150, 150} << CRect{};
}

void TestPointer::gestures() {
    QFETCH(Gesture, gesture);
    QFETCH(Action, action);
    QFETCH(CPoint, point);
    QFETCH(CRect, band);
    PointerTracker tracker;
    tracker.Press(gesture.press);
    for (CPoint p : gesture.moves) tracker.Move(p);
    const auto outcome = gesture.rightAtEnd ? tracker.RightPress(gesture.end) : tracker.Release(gesture.end);
    QCOMPARE(outcome.action, action);
    if (action == Action::ZoomToBand) QCOMPARE(outcome.band, band);
    else QCOMPARE(outcome.point, point);
    QVERIFY(!tracker.Pressing());
    QVERIFY(!tracker.Band());
    // After a right press the left release finds no press.
    QCOMPARE(tracker.Release(gesture.end).action, Action::None);
}

void TestPointer::releaseWithoutPressDoesNothing() {
    PointerTracker tracker;
    QVERIFY(!tracker.Move({5, 5}));
    QCOMPARE(tracker.Release({5, 5}).action, Action::None);
}

void TestPointer::abandonedPressEndsQuietly() {
    PointerTracker tracker;
    tracker.Press({10, 10});
    QVERIFY(tracker.Move({40, 40}));
    QCOMPARE(tracker.Band(), std::optional<CRect>(CRect{10, 10, 40, 40}));
    tracker.Abandon();
    QVERIFY(!tracker.Band());
    QCOMPARE(tracker.Release({40, 40}).action, Action::None);
}

void TestPointer::hoverText() {
    const CPlace place("Kelwick", -50000, 150000, 3, 21);
    QCOMPARE(HoverText(&place), std::string("Kelwick (-50000, 150000)"));
    QCOMPARE(HoverText(nullptr), std::string());
}

QTEST_APPLESS_MAIN(TestPointer)
#include "test_pointer.moc"
