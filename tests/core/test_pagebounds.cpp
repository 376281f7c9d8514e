// Measuring a page before the HTML panel lays it out, and finding its body:
// tags read as the panel's engine reads them, nesting counted as it builds.
#include "npc/HtmlTagScanner.h"
#include "npc/PageBody.h"
#include "npc/PageBounds.h"

#include <QtTest>

#include <random>

namespace {

std::string Repeat(std::string_view piece, int times) {
    std::string text;
    for (int i = 0; i < times; ++i) text += piece;
    return text;
}

const char* const kBlankPage =
    "<!-- nothing to see -->\r\n<HTML>\r\n<HEAD>\r\n<TITLE></TITLE>\r\n"
    "<SCRIPT LANGUAGE=\"VBScript\"></SCRIPT>\r\n</HEAD>\r\n<BODY>\r\n"
    "<FONT FACE=\"Arial\" SIZE=\"2\"></FONT>\r\n</BODY>\r\n</HTML>";

}  // namespace

Q_DECLARE_METATYPE(std::string)
Q_DECLARE_METATYPE(PageFault)

class TestPageBounds : public QObject {
    Q_OBJECT
private slots:
    void nesting_data();
    void nesting();
    void bounds_data();
    void bounds();
    void body_data();
    void body();
    void garbageKeepsTheScannerInBounds();
};

void TestPageBounds::nesting_data() {
    QTest::addColumn<std::string>("page");
    QTest::addColumn<int>("depth");
    QTest::addColumn<int>("tables");  // table frames inside one another
    QTest::addColumn<int>("cells");
    auto row = [](const char* name, const std::string& page, int depth, int tables, int cells) {
        QTest::newRow(name) << page << depth << tables << cells;
    };
    row("empty", "", 0, 0, 0);
    row("the blank page", kBlankPage, 3, 0, 0);
    row("closed elements", "<div><div><b>x</b></div></div><div>", 3, 0, 0);
    row("paragraphs left open are siblings", "<p>a<p>b<P>c", 1, 0, 0);
    row("a paragraph closes the inline elements around it", "<p><b><i>a<p><b><i>b<p>", 3, 0, 0);
    row("a paragraph in a cell stays in it", "<p><table><tr><td><p>a<p>b", 5, 1, 1);
    row("list items left open", "<ul><li>a<li>b<li>c</ul><li>", 2, 0, 0);
    row("cells and rows left open", "<table><tr><td>a<td>b<th>c<tr><td>d</table>", 3, 1, 6);
    row("a lone cell gets a row and a table", "<td>x<td>y", 3, 1, 2);
    row("a lone row gets a table", "<tr><td>x", 3, 1, 1);
    row("lone self-closed cells stack tables", "<td/></tr><td/></tr><td/>", 4, 3, 3);
    row("nested tables", "<table><tr><td><table><tr><td>x", 6, 2, 2);
    row("elements that hold nothing", "<br><img src=a><hr><meta>x", 0, 0, 0);
    row("self-closed elements", "<div/><div /><div a=b/>", 0, 0, 0);
    row("an end tag closes what it encloses", "<div><b><i>x</div><div>", 3, 0, 0);
    row("end tags of nothing open are ignored", "<div></span></table>x<div>", 2, 0, 0);
    row("names in any case", "<DIV><div></Div></DIV><TABLE><TR><Td>", 3, 1, 1);
    row("comments hide tags", "<!-- <div><div> --><div>", 1, 0, 0);
    row("an open comment hides the rest", "<div><!-- <div><div>", 1, 0, 0);
    row("declarations hide nothing after them", "<!DOCTYPE html><div>", 1, 0, 0);
    row("quoted values hide brackets", "<div title=\"<div><div>\">x<div a='>'>", 2, 0, 0);
    row("a quote after a backslash goes on", "<div title='it\\'s <div>'>", 1, 0, 0);
    row("a quoted end tag closes nothing", "<div><div title=\"</div></div>\">", 2, 0, 0);
    row("blanks after the bracket", "< div>< div>", 2, 0, 0);
    row("a bracket in a bare value joins the tag", "<div a=x<div><div>", 2, 0, 0);
    row("a tag cut off by the end", "<div><div", 2, 0, 0);
    row("quoted names", "<\"div\"><'div'>", 2, 0, 0);
    row("entities in names are resolved", "<t&#97;ble><tr><t&#x64;>", 3, 1, 1);
    row("numbers as the engine reads them", "<t&#+97;ble><&#x+0x74;r><t&#-100;>", 3, 1, 0);
    row("names beyond ASCII nest and stay open", "<t&eacute;><x></t&eacute;><y>", 3, 0, 0);
    row("names of one character beyond ASCII", "<&eacute;><&#xE9;><\xE9>", 3, 0, 0);
    row("tables side by side in a cell",
        "<table><tr><td><table><tr><td>a</table><table><tr><td>b</table><table><tr><td>c</table>",
        6, 2, 4);
    row("a table after the last row goes one frame deeper",
        "<td></tr><td></table><td></table><td>", 4, 4, 4);
    row("a paragraph after a lone cell closes its table",
        "<td></tr><p><td/><p><td/><p><td>", 5, 4, 4);
    row("short rows count as long as the longest",
        "<table><tr>" + Repeat("<td>", 10) + Repeat("<tr><td>", 9), 3, 1, 100);
    row("column spans", "<table><tr><td colspan=5><td><tr><td>", 3, 1, 12);
    row("spans as the engine reads them",
        "<table><tr><td colspan=\" +7x\"><tr><td COLSPAN=&#51; colspan=z>", 3, 1, 14);
    row("a row span pushes the rows below", "<table><tr><td rowspan=3><td><tr><td><td>", 3, 1, 6);
    row("column spans bounded as the engine bounds them",
        "<table><tr><td colspan=99999999>", 3, 1, 20480);
}

void TestPageBounds::nesting() {
    QFETCH(std::string, page);
    QFETCH(int, depth);
    QFETCH(int, tables);
    QFETCH(int, cells);
    const PageNesting nesting = MeasureNesting(page);
    QCOMPARE(nesting.depth, depth);
    QCOMPARE(nesting.tables, tables);
    QCOMPARE(nesting.cells, (long long)cells);
}

void TestPageBounds::bounds_data() {
    QTest::addColumn<std::string>("page");
    QTest::addColumn<PageFault>("fault");
    const std::string table = "<table border=1><tr><td>";
    QTest::newRow("the blank page") << std::string(kBlankPage) << PageFault::None;
    QTest::newRow("64 levels") << Repeat("<div>", 64) << PageFault::None;
    QTest::newRow("65 levels") << Repeat("<div>", 65) << PageFault::TooDeep;
    QTest::newRow("10,000 levels") << Repeat("<blockquote>", 10000) << PageFault::TooDeep;
    QTest::newRow("10,000 open paragraphs") << Repeat("<p>x", 10000) << PageFault::None;
    QTest::newRow("8 tables inside one another") << Repeat(table, 8) << PageFault::None;
    QTest::newRow("9 tables inside one another") << Repeat(table, 9) << PageFault::TooManyTables;
    QTest::newRow("10,000 tables inside one another") << Repeat(table, 10000) << PageFault::TooManyTables;
    QTest::newRow("10,000 tables side by side")
        << Repeat(table + "x</td></tr></table>", 10000) << PageFault::None;
    QTest::newRow("1 Mio") << std::string(1 << 20, 'x') << PageFault::None;
    QTest::newRow("1 Mio and 1 byte") << std::string((1 << 20) + 1, 'x') << PageFault::TooLarge;
    QTest::newRow("1 Mio of brackets") << std::string(1 << 20, '<') << PageFault::None;
    QTest::newRow("50,000 cells")
        << "<table>" + Repeat("<tr><td colspan=50>", 1000) << PageFault::None;
    QTest::newRow("50,050 cells")
        << "<table>" + Repeat("<tr><td colspan=50>", 1001) << PageFault::TooManyCells;
    QTest::newRow("a short page of wide rows")
        << "<table>" + Repeat("<tr><td colspan=100000>x", 1000) << PageFault::TooManyCells;
    QTest::newRow("a long row and many short ones")
        << "<table><tr>" + Repeat("<td>", 1000) + Repeat("<tr><td>", 100) << PageFault::TooManyCells;
    QTest::newRow("1 Mio of open quotes")
        << Repeat("<a title=\"", (1 << 20) / 10) << PageFault::None;
}

void TestPageBounds::bounds() {
    QFETCH(std::string, page);
    QFETCH(PageFault, fault);
    QCOMPARE(CheckPageBounds(page), fault);
}

void TestPageBounds::body_data() {
    QTest::addColumn<std::string>("page");
    QTest::addColumn<std::string>("result");  // with the body's content "NEW"
    QTest::newRow("the blank page")
        << std::string(kBlankPage)
        << std::string(
               "<!-- nothing to see -->\r\n<HTML>\r\n<HEAD>\r\n<TITLE></TITLE>\r\n"
               "<SCRIPT LANGUAGE=\"VBScript\"></SCRIPT>\r\n</HEAD>\r\n<BODY>NEW</BODY>\r\n</HTML>");
    QTest::newRow("attributes and lower case")
        << std::string("<html><body bgcolor=\"#fff\">old</body></html>")
        << std::string("<html><body bgcolor=\"#fff\">NEW</body></html>");
    QTest::newRow("no end tag") << std::string("<html><BODY>old") << std::string("<html><BODY>NEW");
    QTest::newRow("end tag with a blank")
        << std::string("<BODY>old</BODY >tail") << std::string("<BODY>NEW</BODY >tail");
    QTest::newRow("a longer name is not the body")
        << std::string("<bodyguard>x</bodyguard><body>old</body>")
        << std::string("<bodyguard>x</bodyguard><body>NEW</body>");
    QTest::newRow("a body in a comment is none")
        << std::string("<!-- <body> --><body>old</body>")
        << std::string("<!-- <body> --><body>NEW</body>");
    QTest::newRow("a body in a value is none")
        << std::string("<a title=\"<body>\"></a><body>old</body>")
        << std::string("<a title=\"<body>\"></a><body>NEW</body>");
    QTest::newRow("no body: the minimal page")
        << std::string("<html><p>old</p></html>") << std::string("<html><body>NEW</body></html>");
    QTest::newRow("a body tag cut off: the minimal page")
        << std::string("<html><body bgcolor=red") << std::string("<html><body>NEW</body></html>");
    QTest::newRow("empty page: the minimal page") << std::string() << std::string("<html><body>NEW</body></html>");
}

void TestPageBounds::body() {
    QFETCH(std::string, page);
    QFETCH(std::string, result);
    QCOMPARE(WithBody(page, "NEW"), result);
}

// Random pieces of markup: every tag lies inside the page, after the last.
void TestPageBounds::garbageKeepsTheScannerInBounds() {
    const char* const pieces[] = {"<", ">", "/", "\"", "'", "\\", "=", " ", "&", ";", "#x6", "!--",
                                  "-->", "td", "table", "p", "\xA0", "&#97;", "body", "<!"};
    std::mt19937 random(11);
    for (int round = 0; round < 2000; ++round) {
        std::string page;
        const int count = int(random() % 40);
        for (int i = 0; i < count; ++i) page += pieces[random() % std::size(pieces)];
        CHtmlTagScanner scanner(page);
        HtmlTag tag;
        size_t last = 0;
        while (scanner.Next(tag)) {
            QVERIFY2(tag.begin >= last && tag.begin < tag.end && tag.end <= page.size(), page.c_str());
            last = tag.end;
        }
        const PageLimits limits{64, 3, 2, 5};
        const PageNesting nesting = MeasureNesting(page, limits);
        // A tag opens three elements at most: a lone cell, its row and table.
        QVERIFY(nesting.depth <= limits.maxDepth + 3 && nesting.tables <= limits.maxTables + 1);
        if (const auto body = FindBody(page)) QVERIFY(body->begin <= body->end && body->end <= page.size());
    }
}

QTEST_APPLESS_MAIN(TestPageBounds)
#include "test_pagebounds.moc"
