#include "ToolbarArt.h"

#include "BmpOut.h"
#include "GenCommon.h"

#include <string>

namespace wg2 {
namespace {

// The standard 16-colour palette of Windows, in its usual order.
const std::array<Rgb, 16> kPalette = {{{0, 0, 0},       {128, 0, 0},   {0, 128, 0},   {128, 128, 0},
                                       {0, 0, 128},     {128, 0, 128}, {0, 128, 128}, {192, 192, 192},
                                       {128, 128, 128}, {255, 0, 0},   {0, 255, 0},   {255, 255, 0},
                                       {0, 0, 255},     {255, 0, 255}, {0, 255, 255}, {255, 255, 255}}};

// One letter a palette entry:
//   . light grey (background)  k black   m maroon  g green   o olive   n navy
//   p purple  t teal  d dark grey  r red  l lime  y yellow  b blue  f fuchsia
//   c aqua  w white
int Index(char c) {
    static const std::string kLetters = "kmgonpt.drlybfcw";
    const size_t i = kLetters.find(c);
    if (i == std::string::npos) Fail(std::string("tool bar art: unknown colour letter ") + c);
    return int(i);
}

// zoom in: a magnifier with a plus
const char* kZoomIn[15] = {
    "...kkkkk........",
    ".kkwwwwwkk......",
    ".kwcwwwwwk......",
    "kwcwwkwwwwk.....",
    "kwwwwkwwwwk.....",
    "kwwkkkkkwwk.....",
    "kwwwwkwwwwk.....",
    "kwwwwkwwwwk.....",
    ".kwwwwwwwk......",
    ".kkwwwwwkkk.....",
    "...kkkkk.kmk....",
    ".........kmmk...",
    "..........kmmk..",
    "...........kmmk.",
    "............kkk.",
};
// zoom out: the same magnifier with a minus
const char* kZoomOut[15] = {
    "...kkkkk........",
    ".kkwwwwwkk......",
    ".kwcwwwwwk......",
    "kwcwwwwwwwk.....",
    "kwwwwwwwwwk.....",
    "kwwkkkkkwwk.....",
    "kwwwwwwwwwk.....",
    "kwwwwwwwwwk.....",
    ".kwwwwwwwk......",
    ".kkwwwwwkkk.....",
    "...kkkkk.kmk....",
    ".........kmmk...",
    "..........kmmk..",
    "...........kmmk.",
    "............kkk.",
};
// character search: head and shoulders, with a small magnifier
const char* kCharacter[15] = {
    "..nnnn..........",
    ".nbbbbn.........",
    "nbbbbbbn........",
    "nbbbbbbn........",
    "nbbbbbbn........",
    ".nbbbbn.........",
    "..nnnn...kkk....",
    ".nnbbnn.kwwwk...",
    "nbbbbbbkwcwwwk..",
    "nbbbbbbkwwwwwk..",
    "nbbbbbbkwwwwwk..",
    "nbbbbbbbkwwwkm..",
    "nbbbbbbbbkkkmmm.",
    "nnnnnnnnnn...mmm",
    "..............mm",
};
// spell search: a spell book with a star, and a sparkle
const char* kSpells[15] = {
    "............y...",
    "...........yyy..",
    "..........yywyy.",
    "kkkkkkkkk..yyy..",
    "kmpppppppk..y...",
    "kmppppyppk......",
    "kmpppyyypkd.....",
    "kmpyyyyyyykd....",
    "kmppyyyypkwd....",
    "kmppyppyppkwd...",
    "kmpppppppkwwd...",
    "kmpppppppkwwd...",
    "kmpppppppkwwd...",
    "kkkkkkkkkkwwd...",
    ".dddddddddddd...",
};

}  // namespace

std::vector<uint8_t> ToolbarBmp() {
    const char* const* images[4] = {kZoomIn, kZoomOut, kCharacter, kSpells};
    std::vector<uint8_t> px(64 * 15);
    for (int i = 0; i < 4; ++i) {
        for (int y = 0; y < 15; ++y) {
            const std::string row = images[i][y];
            if (row.size() != 16) Fail("tool bar art: a row is not 16 pixels wide");
            for (int x = 0; x < 16; ++x) px[size_t(y) * 64 + size_t(i) * 16 + size_t(x)] = uint8_t(Index(row[size_t(x)]));
        }
    }
    return EncodeBmp4(64, 15, px, kPalette);
}

}  // namespace wg2
