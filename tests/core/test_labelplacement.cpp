// Labels placed so that none hides another or a marker: which place each
// label takes, which label wins a place, and on the real world at a few
// zooms that no placed label meets another or any marker.
#include "FakeViewHost.h"

#include "view/LabelPlacement.h"
#include "view/PlaceOverlay.h"

#include <QFile>
#include <QtTest>

Q_DECLARE_METATYPE(CRect)

namespace {

CRect MarkerAt(int x, int y) { return {x - 3, y - 3, x + 3, y + 3}; }
CRect Grown(const CRect& r) { return {r.left - 1, r.top - 1, r.right + 1, r.bottom + 1}; }
constexpr CSize kName{30, 10};

// A marker only: something a label must not cover.
LabelToPlace Blocker(int x, int y) { return {MarkerAt(x, y), {}, false, 0}; }

}  // namespace

class TestLabelPlacement : public QObject {
    Q_OBJECT
private slots:
    void candidateOrder_data();
    void candidateOrder();
    void priority_data();
    void priority();
    void realWorldHasNoOverlap_data();
    void realWorldHasNoOverlap();
};

// A label beside the marker at (103, 103) and markers in its usual places
// one after another: it takes the first place left free, in the order
// right, left, above, below, then the diagonals; with all eight taken it is
// left out and its marker stays, unless it was found.
void TestLabelPlacement::candidateOrder_data() {
    QTest::addColumn<int>("blocked");
    QTest::addColumn<bool>("found");
    QTest::addColumn<CRect>("expected");
    const CRect places[] = {{107, 100, 137, 110}, {69, 100, 99, 110},   {88, 89, 118, 99}, {88, 107, 118, 117},
                            {107, 89, 137, 99},   {107, 107, 137, 117}, {69, 89, 99, 99},  {69, 107, 99, 117}};
    const char* names[] = {"right", "left", "above", "below", "upper right", "lower right", "upper left", "lower left"};
    for (int blocked = 0; blocked < 8; ++blocked) QTest::newRow(names[blocked]) << blocked << false << places[blocked];
    QTest::newRow("no room: left out") << 8 << false << CRect{};
    QTest::newRow("no room, found: over a marker") << 8 << true << places[0];
}

void TestLabelPlacement::candidateOrder() {
    QFETCH(int, blocked);
    QFETCH(bool, found);
    QFETCH(CRect, expected);
    // A marker inside each usual place, meeting none of the others.
    const CPoint blockers[] = {{123, 103}, {83, 103},  {103, 93}, {103, 113},
                               {128, 93},  {128, 113}, {83, 93},  {83, 113}};
    std::vector<LabelToPlace> labels{{MarkerAt(103, 103), kName, found, 2}};
    for (int i = 0; i < blocked; ++i) labels.push_back(Blocker(blockers[i].x, blockers[i].y));
    const std::vector<CRect> placed = PlaceLabels(labels);
    QCOMPARE(placed[0], expected);
}

// Two labels that want the same place (the second's marker right under the
// first's): the one placed first keeps the usual place, the other moves.
void TestLabelPlacement::priority_data() {
    QTest::addColumn<int>("firstLevel");
    QTest::addColumn<bool>("firstFound");
    QTest::addColumn<int>("secondLevel");
    QTest::addColumn<bool>("secondFound");
    QTest::addColumn<int>("winner");
    QTest::newRow("same level: table order") << 2 << false << 2 << false << 0;
    QTest::newRow("lower level first") << 3 << false << 1 << false << 1;
    QTest::newRow("found first, whatever its level") << 0 << false << 5 << true << 1;
    QTest::newRow("both found: level") << 4 << true << 2 << true << 1;
}

void TestLabelPlacement::priority() {
    QFETCH(int, firstLevel);
    QFETCH(bool, firstFound);
    QFETCH(int, secondLevel);
    QFETCH(bool, secondFound);
    QFETCH(int, winner);
    const std::vector<LabelToPlace> labels{{MarkerAt(103, 103), kName, firstFound, firstLevel},
                                           {MarkerAt(103, 113), kName, secondFound, secondLevel}};
    const std::vector<CRect> placed = PlaceLabels(labels);
    const int loser = 1 - winner;
    QCOMPARE(placed[size_t(winner)], LabelCandidates(labels[size_t(winner)].marker, kName)[0]);
    QVERIFY(!placed[size_t(loser)].IsRectEmpty());
    QVERIFY(!(placed[size_t(loser)] == LabelCandidates(labels[size_t(loser)].marker, kName)[0]));
}

void TestLabelPlacement::realWorldHasNoOverlap_data() {
    QTest::addColumn<int>("zoom");
    QTest::addColumn<int>("detail");  // the slider's level, -1 for automatic
    QTest::newRow("20 %, every place: a wall of text") << 20 << 5;
    QTest::newRow("50 %, every place") << 50 << 5;
    QTest::newRow("125 %, automatic: every place") << 125 << -1;
}

// The world's places as the program shows them at `zoom`, names measured
// roughly (7 pixels a letter), a few found; then every pair of placed
// labels and every label against every marker, one by one.
void TestLabelPlacement::realWorldHasNoOverlap() {
    QFETCH(int, zoom);
    QFETCH(int, detail);
    QFile table(QStringLiteral(ZERIM_SOURCE_DIR "/res/places.tsv"));
    QVERIFY(table.open(QIODevice::ReadOnly));
    table.readLine();  // the heading
    FakeViewHost host;
    ViewGeometry geometry{host};
    Place(geometry, {1920, 1080}, zoom);
    geometry.SetDetailOverride(detail);
    std::vector<LabelToPlace> labels;
    for (int row = 0; !table.atEnd(); ++row) {
        const QList<QByteArray> f = table.readLine().trimmed().split('\t');
        QCOMPARE(f.size(), 5);
        const bool found = row % 97 == 0;
        if (f[2].toInt() > geometry.EffectiveDetailLevel() && !found) continue;
        const CPoint p = geometry.WorldToMap({f[3].toInt(), f[4].toInt()});
        labels.push_back({MarkerAt(p.x, p.y), {int(f[0].size()) * 7, 13}, found, f[2].toInt()});
    }
    QCOMPARE(labels.size(), size_t(863));
    const std::vector<CRect> placed = PlaceLabels(labels);
    for (size_t i = 0; i < placed.size(); ++i) {
        if (placed[i].IsRectEmpty()) continue;
        for (size_t j = 0; j < labels.size(); ++j) {
            // Only a found name may lie over a marker, when there was no room.
            if (!labels[i].found) QVERIFY(!Intersects(Grown(placed[i]), labels[j].marker));
            if (j != i && !placed[j].IsRectEmpty()) QVERIFY(!Intersects(Grown(placed[i]), placed[j]));
        }
    }
    // Every found place keeps its name.
    for (size_t i = 0; i < labels.size(); ++i)
        if (labels[i].found) QVERIFY(!placed[i].IsRectEmpty());
}

QTEST_APPLESS_MAIN(TestLabelPlacement)
#include "test_labelplacement.moc"
