#include "view/SavedView.h"

#include <QtTest>

#include <map>

// The remembered view as read back from a file anyone can edit: each value
// is kept only when whole and in range, and one bad value spoils no other.
class TestSavedView : public QObject {
    Q_OBJECT
private slots:
    void values_data();
    void values();
    void hiddenKinds_data();
    void hiddenKinds();
};

namespace {
using Stored = std::map<std::string, std::string>;
const CSize kPicture{3300, 3800};

Stored Good() {
    return {{SavedViewKey::kZoom, "150"},   {SavedViewKey::kCentreX, "1200"}, {SavedViewKey::kCentreY, "900"},
            {SavedViewKey::kDetail, "3"},   {SavedViewKey::kToolBar, "false"}, {SavedViewKey::kStatusBar, "true"}};
}

Stored With(const char* key, const char* value) {
    Stored s = Good();
    s[key] = value;
    return s;
}
}  // namespace

Q_DECLARE_METATYPE(Stored)

void TestSavedView::values_data() {
    QTest::addColumn<Stored>("stored");
    QTest::addColumn<int>("zoom");       // -99: not taken
    QTest::addColumn<QPoint>("centre");  // (-99, -99): not taken
    QTest::addColumn<int>("detail");     // -99: not taken
    QTest::addColumn<int>("toolBar");    // 0, 1, or -1: not taken
    const QPoint none(-99, -99), centre(1200, 900);
    QTest::newRow("all good") << Good() << 150 << centre << 3 << 0;
    QTest::newRow("nothing stored") << Stored{} << -99 << none << -99 << -1;
    QTest::newRow("zoom not a number") << With(SavedViewKey::kZoom, "abc") << -99 << centre << 3 << 0;
    QTest::newRow("zoom with a blank") << With(SavedViewKey::kZoom, "150 ") << -99 << centre << 3 << 0;
    QTest::newRow("zoom too small") << With(SavedViewKey::kZoom, "9") << -99 << centre << 3 << 0;
    QTest::newRow("zoom at the limits") << With(SavedViewKey::kZoom, "1600") << 1600 << centre << 3 << 0;
    QTest::newRow("zoom too large") << With(SavedViewKey::kZoom, "1601") << -99 << centre << 3 << 0;
    QTest::newRow("zoom overflowing") << With(SavedViewKey::kZoom, "99999999999999999999") << -99 << centre << 3 << 0;
    QTest::newRow("centre left of the picture") << With(SavedViewKey::kCentreX, "-1") << 150 << none << 3 << 0;
    QTest::newRow("centre below the picture") << With(SavedViewKey::kCentreY, "3801") << 150 << none << 3 << 0;
    QTest::newRow("centre on the corner") << With(SavedViewKey::kCentreY, "3800") << 150 << QPoint(1200, 3800) << 3 << 0;
    QTest::newRow("automatic detail") << With(SavedViewKey::kDetail, "-1") << 150 << centre << -1 << 0;
    QTest::newRow("detail too high") << With(SavedViewKey::kDetail, "6") << 150 << centre << -99 << 0;
    QTest::newRow("detail below automatic") << With(SavedViewKey::kDetail, "-2") << 150 << centre << -99 << 0;
    QTest::newRow("bar neither true nor false") << With(SavedViewKey::kToolBar, "0") << 150 << centre << 3 << -1;
    QTest::newRow("bar shown") << With(SavedViewKey::kToolBar, "true") << 150 << centre << 3 << 1;
}

void TestSavedView::values() {
    QFETCH(Stored, stored);
    QFETCH(int, zoom);
    QFETCH(QPoint, centre);
    QFETCH(int, detail);
    QFETCH(int, toolBar);
    const SavedView view = ReadSavedView(
        [&](const char* key) {
            const auto it = stored.find(key);
            return it == stored.end() ? std::string() : it->second;
        },
        kPicture);
    QCOMPARE(view.zoom.value_or(-99), zoom);
    const CPoint c = view.centre.value_or(CPoint{-99, -99});
    QCOMPARE(QPoint(c.x, c.y), centre);
    QCOMPARE(view.detail.value_or(-99), detail);
    QCOMPARE(view.toolBar ? int(*view.toolBar) : -1, toolBar);
}

// The hidden kinds go back as they were written, or not at all.
void TestSavedView::hiddenKinds_data() {
    QTest::addColumn<QString>("stored");
    QTest::addColumn<QString>("read");  // "-": not taken
    QTest::newRow("written back") << QString::fromStdString(KindsText({21, 37, -4})) << "21,37,-4";
    QTest::newRow("none hidden") << "" << "";
    QTest::newRow("not a number") << "21,port" << "-";
    QTest::newRow("a trailing comma") << "21," << "-";
    QTest::newRow("an empty piece") << "21,,37" << "-";
    QTest::newRow("beyond a type code") << "4294967296" << "-";
    QTest::newRow("too many") << (QString("1,").repeated(int(kMaxSavedKinds)) + "1") << "-";
}

void TestSavedView::hiddenKinds() {
    QFETCH(QString, stored);
    QFETCH(QString, read);
    const std::string text = stored.toStdString();
    const SavedView view = ReadSavedView(
        [&](const char* key) { return key == std::string(SavedViewKey::kHiddenKinds) ? text : std::string(); }, kPicture);
    QStringList kinds;
    if (view.hiddenKinds)
        for (const int32_t kind : *view.hiddenKinds) kinds << QString::number(kind);
    QCOMPARE(view.hiddenKinds ? kinds.join(',') : "-", read);
}

QTEST_APPLESS_MAIN(TestSavedView)
#include "test_savedview.moc"
