#include "data/ResourceIds.h"
#include "data/ResourceStore.h"
#include "data/StringTable.h"

#include <QtTest>

class TestResources : public QObject {
    Q_OBJECT
private slots:
    void memoryStore();
    void rcDataLookup();
    void parseType_data();
    void parseType();
    void strings_data();
    void strings();
    void prompts();
};

void TestResources::memoryStore() {
    CMemoryResourceStore store;
    const ResType rcdata = ResType::Numeric(ResId::RT_RCDATA);
    store.Add(rcdata, 133, {1, 2, 3});
    store.Add(rcdata, 7, {});
    store.Add(ResType::Named("JPG"), 131, {9});

    const auto places = store.Find(rcdata, 133);
    QVERIFY(places);
    QCOMPARE(places->size, size_t(3));
    QCOMPARE(places->data[2], 3);
    // A present but empty block is found; a missing one is not.
    QVERIFY(store.Find(rcdata, 7));
    QCOMPARE(store.Find(rcdata, 7)->size, size_t(0));
    QVERIFY(!store.Find(rcdata, 134));
    // The same id under another type is another resource.
    QVERIFY(!store.Find(ResType::Numeric(ResId::RT_HTML), 133));
    QVERIFY(!store.Find(rcdata, 131));
    QVERIFY(store.Find(ResType::Named("JPG"), 131));
}

// The table readers' lookup asks their store for RCDATA, and only that.
void TestResources::rcDataLookup() {
    CMemoryResourceStore store;
    store.Add(ResType::Numeric(ResId::RT_HTML), 133, {2});
    QVERIFY(!FindRcData(store, 133));
    store.Add(ResType::Numeric(ResId::RT_RCDATA), 133, {1});
    const auto block = FindRcData(store, 133);
    QVERIFY(block && block->size == 1 && block->data[0] == 1);
    QVERIFY(!FindRcData(CMemoryResourceStore(), 133));
}

void TestResources::parseType_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("key");  // empty: refused
    QTest::newRow("standard name") << "RCDATA" << "RCDATA_5";
    QTest::newRow("any case") << "html" << "HTML_5";
    QTest::newRow("number of a named type") << "10" << "RCDATA_5";
    QTest::newRow("number without a name") << "77" << "77_5";
    QTest::newRow("custom type") << "jpg" << "JPG_5";
    QTest::newRow("empty") << "" << "";
    QTest::newRow("path characters") << "../etc" << "";
    QTest::newRow("number zero") << "0" << "";
    QTest::newRow("number too large") << "70000" << "";
}

void TestResources::parseType() {
    QFETCH(QString, text);
    QFETCH(QString, key);
    const auto type = ResType::Parse(text.toStdString());
    QCOMPARE(type.has_value(), !key.isEmpty());
    if (type) QCOMPARE(QString::fromStdString(ResourceKey(*type, 5)), key);
}

void TestResources::strings_data() {
    QTest::addColumn<int>("id");
    QTest::addColumn<QString>("text");
    QTest::newRow("idle message, accented") << ResId::AFX_IDS_IDLEMESSAGE << QString::fromUtf8("Prêt");
    QTest::newRow("title") << ResId::IDS_PRODUCT_TITLE << "Sarvenhal.";
    QTest::newRow("zoom suffix") << ResId::IDS_ZOOM_SUFFIX << " (Zoom %d%%)";
    QTest::newRow("caps indicator") << ResId::ID_INDICATOR_CAPS << "MAJ";
    QTest::newRow("scroll indicator") << ResId::ID_INDICATOR_SCRL << "DEF";
    QTest::newRow("status bar toggle")
        << ResId::ID_VIEW_STATUS_BAR
        << QString::fromUtf8("Affiche ou masque la barre d'état\nBarre d'état");
    QTest::newRow("document string") << ResId::IDR_MAINFRAME
                                     << "Zerim\n\nZerim\n\n\nZerim.Document\nZerim Document";
    QTest::newRow("missing entry is empty") << 4242 << "";
}

void TestResources::strings() {
    QFETCH(int, id);
    QFETCH(QString, text);
    QCOMPARE(QString::fromStdString(LoadString(id)), text);
    QCOMPARE(HasString(id), !text.isEmpty());
}

void TestResources::prompts() {
    // The four program commands have a prompt and no short name after it.
    for (int id : {ResId::ID_ZOOM_IN, ResId::ID_ZOOM_OUT, ResId::ID_NPC_SEARCH, ResId::ID_SPELL_SEARCH})
        QCOMPARE(PromptOf(id), LoadString(id));
    QCOMPARE(QString::fromStdString(PromptOf(ResId::ID_APP_ABOUT)),
             QString::fromUtf8("Affiche des informations sur le programme, le numéro de version et le copyright"));
    // The About caption adds "..." to the title: four dots in all.
    QVERIFY(QString::fromStdString(LoadString(ResId::IDS_PRODUCT_TITLE) + "...").endsWith("...."));
}

QTEST_APPLESS_MAIN(TestResources)
#include "test_resources.moc"
