#include "GenCommon.h"

#include "data/Win1252.h"

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iostream>

namespace wg2 {

void Fail(const std::string& what) {
    std::cerr << "worldgen: " << what << "\n";
    std::exit(1);
}

void WriteFile(const std::string& dir, const std::string& name, const std::string& bytes) {
    const std::string path = dir + "/" + name;
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    if (!out) Fail("cannot write " + path);
    out.write(bytes.data(), std::streamsize(bytes.size()));
    if (!out) Fail("write error on " + path);
}

void WriteFile(const std::string& dir, const std::string& name, const std::vector<uint8_t>& bytes) {
    WriteFile(dir, name, std::string(bytes.begin(), bytes.end()));
}

TsvTable::TsvTable(std::string fileName, std::vector<std::string> columns)
    : m_fileName(std::move(fileName)), m_columns(columns.size()) {
    m_text = Join(columns, "\t") + "\n";
}

void TsvTable::Add(const std::vector<std::string>& fields) {
    if (fields.size() != m_columns)
        Fail(m_fileName + ": record " + std::to_string(m_rows + 1) + " has the wrong number of fields");
    for (const auto& f : fields)
        for (unsigned char c : f)
            if (c < 0x20 || c == 0x7F)
                Fail(m_fileName + ": record " + std::to_string(m_rows + 1) +
                     " holds a control character in \"" + f + "\"");
    m_text += Join(fields, "\t");
    m_text += '\n';
    ++m_rows;
}

void TsvTable::Write(const std::string& dir) const { WriteFile(dir, m_fileName, m_text); }

std::string LowerAscii(const std::string& s) {
    std::string r = s;
    for (char& c : r)
        if (c >= 'A' && c <= 'Z') c = char(c - 'A' + 'a');
    return r;
}

char UpperAsciiChar(char c) { return (c >= 'a' && c <= 'z') ? char(c - 'a' + 'A') : c; }

std::string CapFirst(const std::string& s) {
    if (s.empty()) return s;
    std::string r = s;
    r[0] = UpperAsciiChar(r[0]);
    return r;
}

size_t Utf8Length(const std::string& s) {
    size_t n = 0;
    for (unsigned char c : s)
        if ((c & 0xC0) != 0x80) ++n;
    return n;
}

bool FitsWindows1252(const std::string& s) {
    const auto stored = Utf8ToWin1252(s);
    if (!stored) return false;
    // Controls have no place in a table text, nor have the five bytes the
    // code page leaves undefined.
    for (unsigned char c : *stored)
        if (c < 0x20 || c == 0x7F || c == 0x81 || c == 0x8D || c == 0x8F || c == 0x90 || c == 0x9D) return false;
    return true;
}

bool IsPlainAscii(const std::string& s) {
    for (unsigned char c : s)
        if (c < 0x20 || c > 0x7E) return false;
    return true;
}

// Places outside towns, by the words of their names (the type codes are not
// needed for this: a name says what the place is).
bool LooksWild(const PlaceRec& p) {
    static const char* kWords[] = {
        "forest", "wood", "woods", "wold", "hills", "hill", "mountains", "mountain", "mount", "peak", "peaks",
        "pass", "marsh", "marshes", "fen", "fens", "mire", "moor", "moors", "heath", "lake", "loch", "mere",
        "cape", "bay", "gulf", "sea", "isle", "island", "islands", "isles", "river", "marches", "plains",
        "plain", "steppe", "desert", "wastes", "waste", "ruins", "ruin", "barrow", "barrows", "cairn",
        "spring", "springs", "falls", "gorge", "canyon", "valley", "vale", "glen", "dale", "ridge", "crag",
        "crags", "cliffs", "cliff", "head", "point", "reach", "sound", "strait", "straits", "coast", "shore",
        "downs", "highlands", "lowlands", "range", "tundra", "glacier", "dunes", "bog", "swamp", "delta",
        "wilds", "weald", "holt", "tor", "fell", "fells", "shoals", "reef", "reefs", "lagoon", "basin",
        "hollow", "expanse", "barrens", "moors", "kingdom", "realm", "empire", "march", "province", "lands"};
    if (p.name.find(',') != std::string::npos) return false;
    for (const auto& w : SplitWords(LowerAscii(p.name))) {
        if (w == "the") return true;
        for (const char* k : kWords)
            if (w == k) return true;
    }
    return false;
}

bool IsSettlement(const PlaceRec& p) {
    switch (p.type) {
    case 11: case 18: case 19: case 20: case 21: case 22: case 23: case 26: return true;
    case 10: case 24: case 25: case 27: case 28: case 29: return false;
    default: return !LooksWild(p);
    }
}

bool IsLair(const PlaceRec& p) { return p.type == 24 || p.type == 27; }

std::vector<std::string> SplitWords(const std::string& s) {
    std::vector<std::string> out;
    std::string cur;
    for (char c : s) {
        if (c == ' ') {
            if (!cur.empty()) out.push_back(cur);
            cur.clear();
        } else {
            cur += c;
        }
    }
    if (!cur.empty()) out.push_back(cur);
    return out;
}

std::string Join(const std::vector<std::string>& parts, const std::string& sep) {
    std::string r;
    for (size_t i = 0; i < parts.size(); ++i) {
        if (i) r += sep;
        r += parts[i];
    }
    return r;
}

}  // namespace wg2
