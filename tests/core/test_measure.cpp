// The measuring tool's sums: legs, running totals beside the points, the
// status bar's sentence, with the world's scale and without it, and the
// points added and taken back.
#include "journeys/Measure.h"

#include <QtTest>

namespace {

// A league of 1000 units, walked across country at half a league an hour.
CRoadScale Scale() {
    CRoadScale scale;
    scale.unitsPerLeague = 1000;
    for (int rank = 0; rank < Roads::kRankCount; ++rank) scale.walk[rank] = scale.ride[rank] = 100;
    scale.walk[Roads::kOffRoad] = 50;
    return scale;
}

// Points on a line, `step` units apart.
QVector<QPoint> Along(int count, int step) {
    QVector<QPoint> points;
    for (int i = 0; i < count; ++i) points << QPoint(i * step, 0);
    return points;
}

CMeasure Measured(bool scaled, const QVector<QPoint>& points) {
    CMeasure measure(scaled ? std::optional<CRoadScale>(Scale()) : std::nullopt);
    for (QPoint p : points) measure.Add({p.x(), p.y()});
    return measure;
}

// The letters of an editing row: a, b, c are points; '-' takes the last back.
CWorldPoint Lettered(QChar letter) { return {(letter.unicode() - 'a') * 100, 7}; }

}  // namespace

class TestMeasure : public QObject {
    Q_OBJECT
private slots:
    void sums_data();
    void sums();
    void captionsClearOfTheirLegs_data();
    void captionsClearOfTheirLegs();
    void pointsAddedAndTakenBack_data();
    void pointsAddedAndTakenBack();
};

void TestMeasure::sums_data() {
    QTest::addColumn<bool>("scaled");
    QTest::addColumn<QVector<QPoint>>("points");
    QTest::addColumn<QStringList>("captions");
    QTest::addColumn<QString>("summary");
    QTest::newRow("no point: how to begin")
        << true << QVector<QPoint>{} << QStringList{}
        << "Mesurer : Maj+clic sur la carte ou Entrée sur le lieu choisi pose un point, Retour arrière retire le "
           "dernier, Échap termine";
    QTest::newRow("one point: no length yet")
        << true << QVector<QPoint>{{5, 5}} << QStringList{""} << "1 point : Maj+clic ou Entrée pour poser le suivant";
    QTest::newRow("one leg, with the walk") << true << QVector<QPoint>{{0, 0}, {3000, -4000}}
                                            << QStringList{"", "5,0 lieues"} << "2 points : 5,0 lieues, 10 h 00 à pied";
    QTest::newRow("legs, their sum and running totals")
        << true << QVector<QPoint>{{0, 0}, {2100, 0}, {2100, 1100}} << QStringList{"", "2,1 lieues", "3,2 lieues"}
        << "3 points : 2,1 lieues + 1,1 lieue = 3,2 lieues, 6 h 24 à pied";
    QTest::newRow("many legs: the last five in the sentence")
        << true << Along(8, 1000) << QStringList{"",           "1,0 lieue",  "2,0 lieues", "3,0 lieues",
                                                 "4,0 lieues", "5,0 lieues", "6,0 lieues", "7,0 lieues"}
        << "8 points : … + 1,0 lieue + 1,0 lieue + 1,0 lieue + 1,0 lieue + 1,0 lieue = 7,0 lieues, 14 h 00 à pied";
    QTest::newRow("no scale: world units, thousands apart, no time")
        << false << QVector<QPoint>{{0, 0}, {1200, 0}, {1200, -900}} << QStringList{"", "1 200 unités", "2 100 unités"}
        << "3 points : 1 200 unités + 900 unités = 2 100 unités";
    QTest::newRow("no scale: one unit") << false << QVector<QPoint>{{0, 0}, {0, 1}} << QStringList{"", "1 unité"}
                                        << "2 points : 1 unité";
    QTest::newRow("no scale: a million units") << false << QVector<QPoint>{{0, 0}, {1000000, 0}}
                                               << QStringList{"", "1 000 000 unités"} << "2 points : 1 000 000 unités";
}

void TestMeasure::sums() {
    QFETCH(bool, scaled);
    QFETCH(QVector<QPoint>, points);
    QFETCH(QStringList, captions);
    const CMeasure measure = Measured(scaled, points);
    const CJourneyLayer layer = measure.Layer();
    QStringList shown;
    for (size_t i = 0; i < layer.marks.size(); ++i) {
        const CJourneyMark& mark = layer.marks[i];
        QVERIFY(mark.style == JourneyMarkStyle::Point && mark.at == measure.Points()[i]);
        shown << QString::fromStdString(mark.text).replace(QChar(0xA0), ' ');
    }
    QCOMPARE(shown, captions);
    // One line through every point, once there is a leg.
    QCOMPARE(layer.paths.size(), size_t(points.size() >= 2 ? 1 : 0));
    if (!layer.paths.empty())
        QVERIFY(layer.paths[0].stroke == JourneyStroke::Measure && layer.paths[0].points == measure.Points());
    QTEST(QString::fromStdString(measure.Summary()).replace(QChar(0xA0), ' '), "summary");
}

// Each caption goes on the side (north up) farthest from the legs at its point.
void TestMeasure::captionsClearOfTheirLegs_data() {
    QTest::addColumn<QVector<QPoint>>("points");
    QTest::addColumn<QString>("sides");  // per point: 9 up right, 7 up left, 3 down right, 1 down left
    QTest::newRow("a lone point: up and right") << QVector<QPoint>{{0, 0}} << "9";
    QTest::newRow("a leg north-east: each end looks away") << QVector<QPoint>{{0, 0}, {100, 100}} << "19";
    QTest::newRow("a bend: outside it") << QVector<QPoint>{{0, 0}, {100, 0}, {100, 100}} << "739";
    QTest::newRow("a leg south-west") << QVector<QPoint>{{0, 0}, {-50, -80}} << "91";
}

void TestMeasure::captionsClearOfTheirLegs() {
    QFETCH(QVector<QPoint>, points);
    const char keypad[] = {'9', '7', '3', '1'};  // in JourneyCaptionSide's order
    QString sides;
    for (const CJourneyMark& mark : Measured(true, points).Layer().marks) sides += keypad[int(mark.side)];
    QTEST(sides, "sides");
}

void TestMeasure::pointsAddedAndTakenBack_data() {
    QTest::addColumn<QString>("edits");    // letters add a point, '-' takes the last back
    QTest::addColumn<QString>("answers");  // what each edit gave: t(rue) or f(alse)
    QTest::addColumn<QString>("left");     // the points left, as letters
    QTest::newRow("points in order") << "abc" << "ttt" << "abc";
    QTest::newRow("the last point again adds nothing") << "abb" << "ttf" << "ab";
    QTest::newRow("back to an earlier point is a leg") << "aba" << "ttt" << "aba";
    QTest::newRow("the last taken back") << "abc-" << "tttt" << "ab";
    QTest::newRow("nothing to take back") << "a--" << "ttf" << "";
    QTest::newRow("taken back, then added again") << "ab-b" << "tttt" << "ab";
}

void TestMeasure::pointsAddedAndTakenBack() {
    QFETCH(QString, edits);
    QFETCH(QString, left);
    CMeasure measure;
    QString answers;
    for (QChar edit : edits) answers += (edit == '-' ? measure.RemoveLast() : measure.Add(Lettered(edit))) ? 't' : 'f';
    QTEST(answers, "answers");
    std::vector<CWorldPoint> expected;
    for (QChar letter : left) expected.push_back(Lettered(letter));
    QVERIFY(measure.Points() == expected);
}

QTEST_APPLESS_MAIN(TestMeasure)
#include "test_measure.moc"
