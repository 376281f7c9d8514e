// Stage 4 of the world generator: the two HTML pages (blank.html, HTML 135;
// about.html, HTML 136), the program's icon (PNG at 16, 32, 48 and 256
// pixels, and SVG) and the tool bar strip (toolbar.bmp, bitmap 128).
#include "GenCommon.h"
#include "IconArt.h"
#include "PngOut.h"
#include "ToolbarArt.h"
#include "World.h"

#include <iostream>

namespace wg2 {
namespace {

std::string CrLf(const std::vector<std::string>& lines, bool lastLineEnd) {
    std::string out = Join(lines, "\r\n");
    if (lastLineEnd) out += "\r\n";
    return out;
}

void CheckPage(const std::string& name, const std::string& text) {
    for (size_t i = 0; i < text.size(); ++i) {
        const unsigned char c = text[i];
        if (c == '\n' && (i == 0 || text[i - 1] != '\r')) Fail(name + ": a line end that is not CR LF");
        if (c == '\r' && (i + 1 >= text.size() || text[i + 1] != '\n')) Fail(name + ": a lone CR");
        if (c > 0x7E || (c < 0x20 && c != '\r' && c != '\n')) Fail(name + ": not plain ASCII");
    }
}

// The character panel's blank page: 190 bytes, CR LF, no line end after the
// last line; a head with an empty title and script, a body with one empty
// font element (the panel replaces the body).
std::string BlankPage() {
    return CrLf({"<!-- La curiosite est un vilain defaut :-) -->", "<HTML>", "<HEAD>", "<TITLE></TITLE>",
                 "<SCRIPT LANGUAGE=\"VBScript\"></SCRIPT>", "</HEAD>", "<BODY>", "<FONT FACE=\"Arial\" SIZE=\"2\"></FONT>",
                 "</BODY>", "</HTML>"},
                false);
}

// The About box's page: empty title; one run of text in Verdana 2; two
// paragraphs; every link opens in a new browser window.
std::string AboutPage() {
    return CrLf(
        {"<HTML>", "<HEAD>", "<TITLE></TITLE>", "</HEAD>", "<BODY>", "<FONT FACE=\"Verdana\" SIZE=\"2\">",
         "<P><B>Sarvenhal version 1.3.0.0</B><BR>", "<BR>",
         "Programme &eacute;crit par Marchebrume pour la communaut&eacute; "
         "<A HREF=\"https://sarvenhal-guild.example/\" TARGET=\"_blank\">La Guilde des Cartographes</A>, "
         "en novembre et d&eacute;cembre 2026.</P>",
         "<P>Contributeurs involontaires&nbsp;:<BR>",
         "<A HREF=\"https://atlas-des-brumes.example/\" TARGET=\"_blank\">L'Atlas des Brumes</A><BR>",
         "<A HREF=\"https://carnets-du-voyageur.example/\" TARGET=\"_blank\">Les Carnets du Voyageur</A> "
         "(pour la partie personnages)</P>",
         "</FONT>", "</BODY>", "</HTML>"},
        false);
}

}  // namespace
}  // namespace wg2

void GeneratePagesAndArt(unsigned long long /*seed: the pages and pictures are drawn, not drawn by lot*/,
                         const std::string& outDir) {
    using namespace wg2;
    const std::string blank = BlankPage();
    CheckPage("blank.html", blank);
    if (blank.size() != 190) Fail("blank.html is " + std::to_string(blank.size()) + " bytes, not 190");
    WriteFile(outDir, "blank.html", blank);

    const std::string about = AboutPage();
    CheckPage("about.html", about);
    WriteFile(outDir, "about.html", about);

    std::string sizes;
    for (int size : {16, 32, 48, 256}) {
        const auto png = EncodePng(size, size, RenderIcon(size));
        WriteFile(outDir, "icon-" + std::to_string(size) + ".png", png);
        sizes += " " + std::to_string(size) + ": " + std::to_string(png.size()) + " B;";
    }
    WriteFile(outDir, "icon.svg", IconSvg());

    const auto strip = ToolbarBmp();
    if (strip.size() != 598) Fail("toolbar.bmp is " + std::to_string(strip.size()) + " bytes, not 598");
    WriteFile(outDir, "toolbar.bmp", strip);

    std::cout << "pages: blank.html " << blank.size() << " bytes, about.html " << about.size()
              << " bytes; icons" << sizes << " toolbar.bmp " << strip.size() << " bytes\n";
}
