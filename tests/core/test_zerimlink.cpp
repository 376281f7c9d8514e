// The program's links: reading them (every kind, and what a hostile or
// broken link holds), writing them back, finding their names in the world,
// and handing one over to the open window through its socket.
#include "SmallWorld.h"

#include "data/PlaceList.h"
#include "data/PlaceTable.h"
#include "links/LinkNames.h"
#include "links/LinkSocket.h"
#include "links/ZerimLink.h"

#include <QtTest>

#include <poll.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <thread>
#include <unistd.h>

using Kind = ZerimLink::Kind;
Q_DECLARE_METATYPE(ZerimLink)

namespace {

ZerimLink Named(Kind kind, const std::string& name, std::optional<int> zoom = std::nullopt) {
    ZerimLink link;
    link.kind = kind;
    link.name = name;
    link.zoom = zoom;
    return link;
}

ZerimLink View(int x, int y, std::optional<int> zoom) {
    ZerimLink link;
    link.kind = Kind::View;
    link.x = x, link.y = y, link.zoom = zoom;
    return link;
}

// The window's side of one hand-over, on a thread: accepts one connection,
// reads its message and answers.
std::string ServeOnce(const CLinkListener& listener) {
    pollfd wait{listener.Fd(), POLLIN, 0};
    if (poll(&wait, 1, 5000) != 1) return "(nothing came)";
    const int fd = listener.Accept();
    std::string message;
    while (fd >= 0) {
        pollfd more{fd, POLLIN, 0};
        poll(&more, 1, 5000);
        if (ReadLinkMessage(fd, message)) break;
    }
    AnswerAndClose(fd);
    return message;
}

}  // namespace

class TestZerimLink : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void cleanup();
    void reads_data();
    void reads();
    void refuses_data();
    void refuses();
    void roundTrip_data();
    void roundTrip();
    void writes_data();
    void writes();
    void resolves_data();
    void resolves();
    void linksToEntries_data();
    void linksToEntries();
    void namesakes();
    void displayKey_data();
    void displayKey();
    void socketFolder_data();
    void socketFolder();
    void handsOver_data();
    void handsOver();
    void messageEnds_data();
    void messageEnds();
    void staleSocketIsReplaced();
    void liveSocketIsLeftAlone();

private:
    CMemoryResourceStore m_store;  // the small world
    CPlaceList m_places;
    std::unique_ptr<QTemporaryDir> m_runtime;
};

void TestZerimLink::initTestCase() {
    SmallWorld::Fill(m_store);
    QVERIFY(ParsePlaceTable(*FindRcData(m_store, ResId::IDR_PLACES), m_places));
}

void TestZerimLink::init() {
    m_runtime = std::make_unique<QTemporaryDir>();
    QVERIFY(chmod(m_runtime->path().toLocal8Bit().constData(), 0700) == 0);
}

void TestZerimLink::cleanup() { m_runtime.reset(); }

void TestZerimLink::reads_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<ZerimLink>("link");
    QTest::newRow("place") << "zerim:place/Kelwick" << Named(Kind::Place, "Kelwick");
    QTest::newRow("place with zoom") << "zerim:place/Kelwick?zoom=200" << Named(Kind::Place, "Kelwick", 200);
    QTest::newRow("hex in either case") << "zerim:spell/%c3%89clair%2f%2F" << Named(Kind::Spell, "Éclair//");
    QTest::newRow("characters as they are") << "zerim:character/Bo <Jiss> & é+" << Named(Kind::Character, "Bo <Jiss> & é+");
    QTest::newRow("scheme and kind in capitals") << "ZERIM:Place/a" << Named(Kind::Place, "a");
    QTest::newRow("two slashes after the scheme") << "zerim://place/a" << Named(Kind::Place, "a");
    QTest::newRow("view") << "zerim:view?x=-72432&y=111512&zoom=150" << View(-72432, 111512, 150);
    QTest::newRow("view, any order, no zoom") << "zerim:view?y=2&x=1" << View(1, 2, std::nullopt);
    QTest::newRow("zoom limits") << "zerim:place/a?zoom=10" << Named(Kind::Place, "a", 10);
    ZerimLink second = Named(Kind::Place, "a", 50);
    second.nth = 2;
    QTest::newRow("the second place of a name") << "zerim:place/a?zoom=50&nth=2" << second;
}

void TestZerimLink::reads() {
    QFETCH(QString, text);
    QFETCH(ZerimLink, link);
    std::string error;
    const auto read = ParseZerimLink(text.toStdString(), error);
    QVERIFY2(read, error.c_str());
    QVERIFY(*read == link);
}

void TestZerimLink::refuses_data() {
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<QString>("reason");
    QTest::newRow("another scheme") << QByteArray("http://x") << "un lien commence par zerim:";
    QTest::newRow("unknown kind") << QByteArray("zerim:dragon/x") << "genre de lien inconnu : « dragon »";
    QTest::newRow("no name") << QByteArray("zerim:place/") << "le lien de lieu n'a pas de nom";
    QTest::newRow("no slash") << QByteArray("zerim:character") << "le lien de NPC n'a pas de nom";
    QTest::newRow("% with one digit") << QByteArray("zerim:place/a%4") << "codage %XX invalide";
    QTest::newRow("%00") << QByteArray("zerim:place/a%00b") << "caractère de contrôle";
    QTest::newRow("C1 control") << QByteArray("zerim:spell/a%C2%85") << "caractère de contrôle";
    QTest::newRow("raw tab") << QByteArray("zerim:place/a\tb") << "caractère de contrôle";
    QTest::newRow("fragment") << QByteArray("zerim:place/a#b") << "« # »";
    QTest::newRow("encoded bytes not UTF-8") << QByteArray("zerim:place/%FF") << "pas du texte UTF-8";
    QTest::newRow("overlong UTF-8") << QByteArray("zerim:place/%C0%AF") << "pas du texte UTF-8";
    QTest::newRow("one byte too long") << QByteArray("zerim:place/").append(QByteArray(4097 - 12, 'a'))
                                       << "le lien dépasse 4096 octets";
    QTest::newRow("a megabyte") << QByteArray("zerim:place/").append(QByteArray(1 << 20, 'a'))
                                << "le lien dépasse 4096 octets";
    QTest::newRow("zoom not a number") << QByteArray("zerim:place/a?zoom=abc") << "zoom invalide : « abc »";
    QTest::newRow("zoom below the range") << QByteArray("zerim:place/a?zoom=9") << "de 10 à 1600";
    QTest::newRow("zoom with a sign") << QByteArray("zerim:place/a?zoom=+50") << "zoom invalide";
    QTest::newRow("zoom twice") << QByteArray("zerim:place/a?zoom=50&zoom=60") << "deux fois";
    QTest::newRow("x with a fraction") << QByteArray("zerim:view?x=1.5&y=2") << "x invalide";
    QTest::newRow("y past 32 bits") << QByteArray("zerim:view?x=1&y=99999999999") << "y invalide";
    QTest::newRow("view without its centre") << QByteArray("zerim:view?x=1&zoom=50") << "donne son centre";
    QTest::newRow("view with a name") << QByteArray("zerim:view/a?x=1&y=2") << "n'a pas de nom";
    QTest::newRow("x on a place") << QByteArray("zerim:place/a?x=1") << "paramètre inconnu : « x=1 »";
    QTest::newRow("nth from 1") << QByteArray("zerim:place/a?nth=0") << "nth invalide";
    QTest::newRow("nth on a view") << QByteArray("zerim:view?x=1&y=2&nth=2") << "paramètre inconnu : « nth=2 »";
    QTest::newRow("zoom on a character") << QByteArray("zerim:character/a?zoom=50") << "ne prend pas de paramètre";
}

void TestZerimLink::refuses() {
    QFETCH(QByteArray, text);
    QFETCH(QString, reason);
    std::string error;
    QVERIFY(!ParseZerimLink(std::string_view(text.constData(), size_t(text.size())), error));
    QVERIFY2(QString::fromStdString(error).contains(reason), error.c_str());
    QVERIFY(error.size() < 200);  // a message quotes a part of the link, never all of it
}

void TestZerimLink::roundTrip_data() {
    QTest::addColumn<ZerimLink>("link");
    QTest::newRow("place") << Named(Kind::Place, "Oska, Brask Quarter");
    QTest::newRow("place with zoom") << Named(Kind::Place, "a/b?c#d&e=f%g", 1600);
    ZerimLink third = Named(Kind::Place, "Flaxford", 75);
    third.nth = 3;
    QTest::newRow("the third place of a name, with zoom") << third;
    QTest::newRow("character") << Named(Kind::Character, "Bo <Jiss> & \"Q\" 100%");
    QTest::newRow("spell") << Named(Kind::Spell, "Éclair + ~ ☄ 𝄞");
    QTest::newRow("view") << View(-2000000000, 2000000000, 10);
    QTest::newRow("view without zoom") << View(0, -1, std::nullopt);
}

void TestZerimLink::roundTrip() {
    QFETCH(ZerimLink, link);
    const std::string text = WriteZerimLink(link);
    std::string error;
    const auto read = ParseZerimLink(text, error);
    QVERIFY2(read, error.c_str());
    QVERIFY(*read == link);
    for (const char c : text) QVERIFY2(c > ' ' && c < 0x7F, text.c_str());  // pastes as one word anywhere
}

void TestZerimLink::writes_data() {
    QTest::addColumn<ZerimLink>("link");
    QTest::addColumn<QString>("text");
    QTest::newRow("unreserved kept") << Named(Kind::Place, "Ro-Dal_1.~") << "zerim:place/Ro-Dal_1.~";
    QTest::newRow("blank and accent") << Named(Kind::Spell, "Trait é") << "zerim:spell/Trait%20%C3%A9";
    QTest::newRow("zoom") << Named(Kind::Place, "a", 50) << "zerim:place/a?zoom=50";
    QTest::newRow("view") << View(-5, 7, 200) << "zerim:view?x=-5&y=7&zoom=200";
}

void TestZerimLink::writes() {
    QFETCH(ZerimLink, link);
    QFETCH(QString, text);
    QCOMPARE(QString::fromStdString(WriteZerimLink(link)), text);
}

void TestZerimLink::resolves_data() {
    QTest::addColumn<ZerimLink>("link");
    QTest::addColumn<int>("number");  // -1: none
    QTest::addColumn<QString>("name");
    QTest::newRow("place") << Named(Kind::Place, "Quen Harrow") << 1 << "Quen Harrow";
    QTest::newRow("exact name before an earlier one in other case")
        << Named(Kind::Place, "oska, brask QUARTER") << 3 << "oska, brask QUARTER";
    QTest::newRow("else the first in any case") << Named(Kind::Place, "OSKA, BRASK QUARTER") << 2
                                                << "Oska, Brask Quarter";
    QTest::newRow("part of a name is none") << Named(Kind::Place, "Oska") << -1 << "aucun lieu ne s'appelle « Oska »";
    QTest::newRow("not Windows-1252") << Named(Kind::Place, "KELWİCK") << -1 << "aucun lieu";
    QTest::newRow("character") << Named(Kind::Character, "cara") << 2 << "Cara";
    QTest::newRow("no such character") << Named(Kind::Character, "Zed") << -1 << "aucun NPC ne s'appelle « Zed »";
    QTest::newRow("spell by its id") << Named(Kind::Spell, "Brume") << 10 << "Brume";
    QTest::newRow("spell without its accent") << Named(Kind::Spell, "ECLAIR") << 8 << "Éclair";
    QTest::newRow("no such spell") << Named(Kind::Spell, "Flam") << -1 << "aucun sort ne s'appelle « Flam »";
    QTest::newRow("a view needs no name") << View(1, 2, std::nullopt) << 0 << "";
}

void TestZerimLink::resolves() {
    QFETCH(ZerimLink, link);
    QFETCH(int, number);
    QFETCH(QString, name);
    std::string error;
    const auto target = CLinkNames(m_store, m_places).Resolve(link, error);
    if (number < 0) {
        QVERIFY(!target);
        QVERIFY2(QString::fromStdString(error).startsWith(name), error.c_str());
        return;
    }
    QVERIFY2(target, error.c_str());
    QCOMPARE(target->number, number);
    QCOMPARE(QString::fromStdString(target->name), name);
}

// The link written for an entry leads back to it, even past an earlier
// entry whose name differs only in case.
void TestZerimLink::linksToEntries_data() {
    QTest::addColumn<int>("kind");
    QTest::addColumn<int>("number");
    QTest::addColumn<QString>("link");  // "-": none
    QTest::newRow("place") << int(Kind::Place) << 0 << "zerim:place/Kelwick";
    QTest::newRow("the second of two cases") << int(Kind::Place) << 3 << "zerim:place/oska%2C%20brask%20QUARTER";
    QTest::newRow("character") << int(Kind::Character) << 1 << "zerim:character/Bo%20%3CJiss%3E%20%26%20%22Q%22";
    QTest::newRow("spell, by id") << int(Kind::Spell) << 8 << "zerim:spell/%C3%89clair";
    QTest::newRow("no such place") << int(Kind::Place) << 6 << "-";
    QTest::newRow("no such character") << int(Kind::Character) << -1 << "-";
    QTest::newRow("no such spell id") << int(Kind::Spell) << 2 << "-";
}

void TestZerimLink::linksToEntries() {
    QFETCH(int, kind);
    QFETCH(int, number);
    QFETCH(QString, link);
    const CLinkNames names(m_store, m_places);
    const auto written = names.LinkTo(Kind(kind), number);
    QCOMPARE(written ? QString::fromStdString(WriteZerimLink(*written)) : QString("-"), link);
    if (!written) return;
    std::string error;
    QCOMPARE(names.Resolve(*written, error)->number, number);
}

// Places that share a name exactly: each one's link leads to it.
void TestZerimLink::namesakes() {
    CPlaceList places;
    for (const char* name : {"Flaxford", "Brin", "Flaxford", "flaxford"}) places.Add(name, 0, 0, 1, 1);
    CMemoryResourceStore store;
    const CLinkNames names(store, places);
    const struct { int index; const char* link; } rows[] = {
        {0, "zerim:place/Flaxford"}, {2, "zerim:place/Flaxford?nth=2"}, {3, "zerim:place/flaxford"}};
    for (const auto& row : rows) {
        const auto link = names.LinkTo(Kind::Place, row.index);
        QCOMPARE(QString::fromStdString(WriteZerimLink(*link)), QString(row.link));
        std::string error;
        QCOMPARE(names.Resolve(*link, error)->number, row.index);
    }
    ZerimLink third = Named(Kind::Place, "Flaxford");
    third.nth = 3;
    std::string error;
    QVERIFY(!names.Resolve(third, error));
    QCOMPARE(QString::fromStdString(error), QString("il n'y a pas 3 lieux appelés « Flaxford »"));
}

void TestZerimLink::displayKey_data() {
    QTest::addColumn<QString>("platform");  // the option; "-" for none
    QTest::addColumn<QString>("qpa");
    QTest::addColumn<QString>("display");
    QTest::addColumn<QString>("wayland");
    QTest::addColumn<QString>("key");
    QTest::newRow("X") << "-" << "" << ":12" << "w" << "x11-_12";
    QTest::newRow("the option wins") << "wayland" << "xcb" << ":12" << "links-1" << "wayland-links-1";
    QTest::newRow("Wayland by default") << "-" << "wayland" << ":0" << "" << "wayland-wayland-0";
    QTest::newRow("no X display") << "-" << "" << "" << "wayland-1" << "wayland-wayland-1";
    QTest::newRow("offscreen, with its options") << "-" << "offscreen:size=1" << ":0" << "" << "offscreen";
    QTest::newRow("odd characters") << "-" << "xcb" << "../h/s:1" << "" << "x11-.._h_s_1";
}

void TestZerimLink::displayKey() {
    QFETCH(QString, platform);
    QFETCH(QString, qpa);
    QFETCH(QString, display);
    QFETCH(QString, wayland);
    QFETCH(QString, key);
    DisplayNames names;
    if (platform != "-") names.platform = platform.toStdString();
    names.qpaPlatform = qpa.toStdString();
    names.x11Display = display.toStdString();
    names.waylandDisplay = wayland.toStdString();
    QCOMPARE(QString::fromStdString(DisplayKey(names)), key);
}

void TestZerimLink::socketFolder_data() {
    QTest::addColumn<QString>("folder");  // under the test's runtime folder; "-" for none
    QTest::addColumn<int>("mode");
    QTest::addColumn<QString>("why");
    QTest::newRow("the user's alone") << "r" << 0700 << "";
    QTest::newRow("not set") << "-" << 0 << "XDG_RUNTIME_DIR n'est pas défini";
    QTest::newRow("missing") << "none" << 0 << "n'est pas un dossier";
    QTest::newRow("open to the group") << "r" << 0750 << "n'est pas un dossier à vous seul";
    QTest::newRow("open to all") << "r" << 01777 << "à vous seul";
}

void TestZerimLink::socketFolder() {
    QFETCH(QString, folder);
    QFETCH(int, mode);
    QFETCH(QString, why);
    const QByteArray path = (m_runtime->path() + "/" + folder).toLocal8Bit();
    if (mode) {
        QVERIFY(mkdir(path.constData(), 0700) == 0);
        QVERIFY(chmod(path.constData(), mode_t(mode)) == 0);
    }
    std::string reason;
    const auto socket = LinkSocketPath(folder == "-" ? nullptr : path.constData(), "x11-_12", reason);
    QCOMPARE(QString::fromStdString(reason).contains(why) && !socket == !why.isEmpty(), true);
    if (socket) QCOMPARE(QString::fromStdString(*socket), QString(path + "/zerim-x11-_12.link"));
}

void TestZerimLink::handsOver_data() {
    QTest::addColumn<QByteArray>("link");
    QTest::addColumn<QByteArray>("received");
    const QByteArray big = QByteArray("zerim:place/").append(QByteArray(1 << 20, 'a'));
    QTest::newRow("a link") << QByteArray("zerim:place/Kelwick") << QByteArray("zerim:place/Kelwick");
    QTest::newRow("a megabyte is cut one byte past the bound") << big << big.left(int(kMaxLinkBytes) + 1);
}

void TestZerimLink::handsOver() {
    QFETCH(QByteArray, link);
    QFETCH(QByteArray, received);
    std::string error;
    const std::string path = (m_runtime->path() + "/zerim-test.link").toStdString();
    QCOMPARE(HandLinkOver(path, link.toStdString(), 500), HandOver::NoWindow);  // nobody there yet
    CLinkListener listener;
    QVERIFY2(listener.Listen(path, error), error.c_str());
    struct stat info {};
    QVERIFY(lstat(path.c_str(), &info) == 0);
    QCOMPARE(int(info.st_mode & 0777), 0600);
    std::string got;
    std::thread window([&] { got = ServeOnce(listener); });
    const HandOver outcome = HandLinkOver(path, std::string_view(link.constData(), size_t(link.size())));
    window.join();
    QCOMPARE(outcome, HandOver::Delivered);
    QCOMPARE(QByteArray::fromStdString(got), received);
}

// What the window makes of the bytes a sender wrote before shutting its side.
void TestZerimLink::messageEnds_data() {
    QTest::addColumn<QByteArray>("sent");
    QTest::addColumn<QByteArray>("message");
    QTest::newRow("whole") << QByteArray("zerim:place/a\n") << QByteArray("zerim:place/a");
    QTest::newRow("cut short") << QByteArray("zerim:place/Kelw") << QByteArray();
    QTest::newRow("a line end inside stays, to be refused")
        << QByteArray("zerim:place/a\nb\n") << QByteArray("zerim:place/a\nb");
    QTest::newRow("nothing") << QByteArray() << QByteArray();
}

void TestZerimLink::messageEnds() {
    QFETCH(QByteArray, sent);
    QFETCH(QByteArray, message);
    int pair[2];
    QVERIFY(socketpair(AF_UNIX, SOCK_STREAM | SOCK_NONBLOCK, 0, pair) == 0);
    QCOMPARE(write(pair[0], sent.constData(), size_t(sent.size())), ssize_t(sent.size()));
    close(pair[0]);
    std::string read;
    QVERIFY(ReadLinkMessage(pair[1], read));
    close(pair[1]);
    QCOMPARE(QByteArray::fromStdString(read), message);
}

// A window that crashed left its socket: the next one listens there.
void TestZerimLink::staleSocketIsReplaced() {
    const std::string path = (m_runtime->path() + "/zerim-test.link").toStdString();
    {
        const int fd = socket(AF_UNIX, SOCK_STREAM, 0);
        sockaddr_un address{};
        address.sun_family = AF_UNIX;
        std::strcpy(address.sun_path, path.c_str());
        QVERIFY(bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0);
        close(fd);  // the file stays, nobody listens
    }
    QCOMPARE(HandLinkOver(path, "zerim:place/a", 500), HandOver::NoWindow);
    CLinkListener listener;
    std::string error;
    QVERIFY2(listener.Listen(path, error), error.c_str());
}

// A second window started without a link leaves the first its socket, and
// removes nothing when it closes.
void TestZerimLink::liveSocketIsLeftAlone() {
    const std::string path = (m_runtime->path() + "/zerim-test.link").toStdString();
    CLinkListener first;
    std::string error;
    QVERIFY(first.Listen(path, error));
    {
        std::thread window([&] { ServeOnce(first); });  // answers the second one's knock
        CLinkListener second;
        QVERIFY(!second.Listen(path, error));
        window.join();
        QCOMPARE(QString::fromStdString(error), QString("une autre fenêtre reçoit déjà les liens"));
    }
    std::string got;
    std::thread window([&] { got = ServeOnce(first); });
    QCOMPARE(HandLinkOver(path, "zerim:place/a"), HandOver::Delivered);
    window.join();
    QCOMPARE(got, std::string("zerim:place/a"));
}

QTEST_APPLESS_MAIN(TestZerimLink)
#include "test_zerimlink.moc"
