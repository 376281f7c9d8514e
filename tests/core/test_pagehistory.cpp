// The finder's page history: visits, Back and Forward as a script of steps,
// and what the history then holds.
#include "npc/PageHistory.h"

#include <QtTest>

class TestPageHistory : public QObject {
    Q_OBJECT
private slots:
    void script_data();
    void script();
};

// Steps: a number visits that page, "<" goes back, ">" goes forward.
// `moves` lists what each "<" and ">" gave, "-" for nothing.
void TestPageHistory::script_data() {
    QTest::addColumn<int>("limit");
    QTest::addColumn<QString>("steps");
    QTest::addColumn<QString>("moves");
    QTest::addColumn<int>("current");  // -1: none
    QTest::addColumn<bool>("canBack");
    QTest::addColumn<bool>("canForward");
    QTest::addColumn<int>("size");
    QTest::newRow("empty: nowhere to go") << 10 << "< >" << "- -" << -1 << false << false << 0;
    QTest::newRow("one page: nowhere to go") << 10 << "4 < >" << "- -" << 4 << false << false << 1;
    QTest::newRow("back twice then forward") << 10 << "1 2 3 < < >" << "2 1 2" << 2 << true << true << 3;
    QTest::newRow("back past the start stays") << 10 << "1 2 < < <" << "1 - -" << 1 << false << true << 2;
    QTest::newRow("forward past the end stays") << 10 << "1 2 < > >" << "1 2 -" << 2 << true << false << 2;
    QTest::newRow("a new page after going back drops the forward part")
        << 10 << "1 2 3 < < 7 >" << "2 1 -" << 7 << true << false << 2;
    QTest::newRow("the current page again adds nothing") << 10 << "1 2 2 2 <" << "1" << 1 << false << true << 2;
    QTest::newRow("an earlier page again is a new visit") << 10 << "1 2 1 < <" << "2 1" << 1 << false << true << 3;
    QTest::newRow("visiting the page ahead still drops the rest")
        << 10 << "1 2 3 < < 2 >" << "2 1 -" << 2 << true << false << 2;
    QTest::newRow("the oldest go past the limit") << 3 << "1 2 3 4 5 < < <" << "4 3 -" << 3 << false << true << 3;
    QTest::newRow("a limit of 0 keeps one page") << 0 << "1 2 <" << "-" << 2 << false << false << 1;
    QTest::newRow("page 0 is a page") << 10 << "0 1 <" << "0" << 0 << false << true << 2;
}

void TestPageHistory::script() {
    QFETCH(int, limit);
    QFETCH(QString, steps);
    CPageHistory history{size_t(limit)};
    QStringList moves;
    const auto note = [&](std::optional<int> page) { moves << (page ? QString::number(*page) : "-"); };
    for (const QString& step : steps.split(' ', Qt::SkipEmptyParts)) {
        if (step == "<") note(history.Back());
        else if (step == ">") note(history.Forward());
        else history.Visit(step.toInt());
    }
    QTEST(moves.join(' '), "moves");
    QTEST(history.Current().value_or(-1), "current");
    QTEST(history.CanGoBack(), "canBack");
    QTEST(history.CanGoForward(), "canForward");
    QTEST(int(history.Size()), "size");
}

QTEST_APPLESS_MAIN(TestPageHistory)
#include "test_pagehistory.moc"
