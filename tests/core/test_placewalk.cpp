#include "data/PlaceList.h"
#include "view/PlaceWalk.h"

#include <QtTest>

namespace {

// The world's span as the plane: a place's plane point is its world point
// seen from the north-west corner, y downwards.
constexpr CSize kPlane{300000, 350000};

// Places given by their plane points, around (1000, 1000).
struct Places {
    CPlaceList list;
    Places() {
        Add("Origine", 1000, 1000);
        Add("Biais-Est", 1100, 1080);   // right: 100 along, 80 across: 260
        Add("Droit-Est", 1200, 1000);   // right: 200
        Add("Nord", 1000, 900);         // up: 100
        Add("Diagonale", 900, 1100);    // left and down, on both cones' edge: 300
        Add("Sud", 1000, 1300);         // down: 300, after Diagonale in the table
        Add("Cache-Ouest", 950, 1000);  // left: 50, but not shown
    }
    void Add(const char* name, int px, int py) { list.Add(name, px - 125000, 220000 - py, 1, 20); }
    const CPlace* Named(const QString& name) const {
        for (const CPlace* p : list)
            if (QString::fromLatin1(p->m_strName.c_str()) == name) return p;
        return nullptr;
    }
    QString NameAt(int index) const {
        return index < 0 ? QString() : QString::fromLatin1(list[index]->m_strName.c_str());
    }
};

bool Shown(const CPlace& place) { return place.m_strName != "Cache-Ouest"; }

}  // namespace

Q_DECLARE_METATYPE(WalkDirection)

class TestPlaceWalk : public QObject {
    Q_OBJECT
private slots:
    void nearest_data();
    void nearest();
    void nextFound_data();
    void nextFound();
};

void TestPlaceWalk::nearest_data() {
    QTest::addColumn<QString>("focused");
    QTest::addColumn<QPoint>("from");
    QTest::addColumn<WalkDirection>("direction");
    QTest::addColumn<QString>("expected");
    const QPoint origin(1000, 1000);
    QTest::newRow("straight ahead beats nearer to the side")
        << "Origine" << origin << WalkDirection::Right << "Droit-Est";
    QTest::newRow("up") << "Origine" << origin << WalkDirection::Up << "Nord";
    QTest::newRow("a hidden place is passed over; the cone's edge is in")
        << "Origine" << origin << WalkDirection::Left << "Diagonale";
    QTest::newRow("equal costs go to the first in table order")
        << "Origine" << origin << WalkDirection::Down << "Diagonale";
    QTest::newRow("outside the cone is not that way") << "Nord" << QPoint(1000, 900) << WalkDirection::Left << "";
    QTest::newRow("the focused place is not its own neighbour")
        << "Nord" << QPoint(1000, 900) << WalkDirection::Down << "Origine";
    QTest::newRow("nothing that way") << "Sud" << QPoint(1000, 1300) << WalkDirection::Down << "";
    QTest::newRow("no focus: from a point of the view") << "" << QPoint(1090, 1150) << WalkDirection::Up << "Biais-Est";
}

void TestPlaceWalk::nearest() {
    QFETCH(QString, focused);
    QFETCH(QPoint, from);
    QFETCH(WalkDirection, direction);
    QFETCH(QString, expected);
    Places places;
    const int index = NearestPlace(places.list, kPlane, Shown, {from.x(), from.y()}, places.Named(focused), direction);
    QCOMPARE(places.NameAt(index), expected);
}

void TestPlaceWalk::nextFound_data() {
    QTest::addColumn<QStringList>("found");
    QTest::addColumn<QString>("current");
    QTest::addColumn<bool>("backwards");
    QTest::addColumn<QString>("expected");
    const QStringList three{"Nord", "Sud", "Droit-Est"};
    QTest::newRow("none focused: the first") << three << "" << false << "Nord";
    QTest::newRow("none focused, backwards: the last") << three << "" << true << "Droit-Est";
    QTest::newRow("the next in the set's order") << three << "Nord" << false << "Sud";
    QTest::newRow("wraps after the last") << three << "Droit-Est" << false << "Nord";
    QTest::newRow("wraps before the first") << three << "Nord" << true << "Droit-Est";
    QTest::newRow("a focus outside the set starts over") << three << "Origine" << false << "Nord";
    QTest::newRow("nothing found") << QStringList{} << "Nord" << false << "";
}

void TestPlaceWalk::nextFound() {
    QFETCH(QStringList, found);
    QFETCH(QString, current);
    QFETCH(bool, backwards);
    QFETCH(QString, expected);
    Places places;
    CPlaceArray set;
    for (const QString& name : found) set.Add(const_cast<CPlace*>(places.Named(name)));
    const CPlace* next = NextFound(set, places.Named(current), backwards);
    QCOMPARE(next ? QString::fromLatin1(next->m_strName.c_str()) : QString(), expected);
}

QTEST_APPLESS_MAIN(TestPlaceWalk)
#include "test_placewalk.moc"
