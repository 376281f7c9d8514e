// The legend of the kinds of places: a row per kind with its plural name
// and count, boxes that say which kinds are hidden, "Tout afficher", and
// hidden kinds given before the rows are made kept for them.
#include "mapview/KindLegend.h"

#include <QCheckBox>
#include <QLabel>
#include <QPushButton>
#include <QSignalSpy>
#include <QtTest>

class TestKindLegend : public QObject {
    Q_OBJECT
private slots:
    void rows();
    void boxesAndShowAll();
};

namespace {
const std::vector<PlaceKindCount> kKinds{{10, 13}, {21, 81}, {37, 2}};

QStringList Texts(const CKindLegend& legend) {
    QStringList texts;
    for (const QCheckBox* box : legend.findChildren<QCheckBox*>()) texts << box->text();
    for (const QLabel* label : legend.findChildren<QLabel*>()) texts << label->text();
    return texts;
}
}  // namespace

void TestKindLegend::rows() {
    CKindLegend legend;
    legend.SetHiddenKinds({21});  // as a remembered view gives them, before the places are counted
    legend.SetKinds(kKinds);
    QCOMPARE(Texts(legend), (QStringList{"Régions", "Ports", "Type 37", "13", "81", "2"}));
    QVERIFY(legend.HiddenKinds() == std::vector<int32_t>{21});
    legend.SetKinds(kKinds);  // counted again: the choices stay
    QVERIFY(legend.HiddenKinds() == std::vector<int32_t>{21});
    QCOMPARE(legend.findChildren<QCheckBox*>().size(), 3);
}

void TestKindLegend::boxesAndShowAll() {
    CKindLegend legend;
    legend.SetKinds(kKinds);
    QSignalSpy changed(&legend, &CKindLegend::HiddenKindsChanged);
    const auto boxes = legend.findChildren<QCheckBox*>();
    boxes[0]->click();
    boxes[2]->click();
    QCOMPARE(changed.count(), 2);
    QVERIFY(legend.HiddenKinds() == (std::vector<int32_t>{10, 37}));
    legend.SetHiddenKinds({21});  // from the window: not announced back
    QCOMPARE(changed.count(), 2);
    QPushButton* all = legend.findChild<QPushButton*>();
    all->click();
    QCOMPARE(changed.count(), 3);
    QVERIFY(legend.HiddenKinds().empty());
    all->click();  // nothing hidden: nothing to announce
    QCOMPARE(changed.count(), 3);
}

QTEST_MAIN(TestKindLegend)
#include "test_kindlegend.moc"
