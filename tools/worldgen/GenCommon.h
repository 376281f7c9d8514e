// Small helpers shared by stages 2 to 4 of the world generator: writing
// files, the TSV rules of res/README.md, ASCII case folding and UTF-8 length.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "World.h"

namespace wg2 {

// Prints "worldgen: <what>" to stderr and ends the program with status 1.
[[noreturn]] void Fail(const std::string& what);

// Writes `bytes` to `dir`/`name` exactly (binary); fails loudly on error.
void WriteFile(const std::string& dir, const std::string& name, const std::string& bytes);
void WriteFile(const std::string& dir, const std::string& name, const std::vector<uint8_t>& bytes);

// A TSV table as res/README.md fixes it: a header line, then one record a line,
// fields joined by one TAB, LF after every line. Every field is checked: no
// TAB, no line end, no control character.
class TsvTable {
public:
    TsvTable(std::string fileName, std::vector<std::string> columns);
    void Add(const std::vector<std::string>& fields);
    size_t Rows() const { return m_rows; }
    void Write(const std::string& dir) const;

private:
    std::string m_fileName;
    size_t m_columns;
    size_t m_rows = 0;
    std::string m_text;
};

// Letter case of A..Z only, as the program's lookups compare.
std::string LowerAscii(const std::string& s);
char UpperAsciiChar(char c);
std::string CapFirst(const std::string& s);

// Number of code points in a UTF-8 string (= Windows-1252 bytes for the
// characters the spell tables use).
size_t Utf8Length(const std::string& s);
// True when the UTF-8 string is printable text that Windows-1252 stores.
bool FitsWindows1252(const std::string& s);
bool IsPlainAscii(const std::string& s);  // printable ASCII 0x20..0x7E only

// A place outside towns (forest, hills, lake, region...), judged by the words
// of its name.
bool LooksWild(const PlaceRec& p);
// What a place is, by its type code (res/README.md lists them); the name
// decides for a code not listed there.
bool IsSettlement(const PlaceRec& p);  // capital, city, town, village, port, fortress, temple, mine
bool IsLair(const PlaceRec& p);        // ruin, cave

std::vector<std::string> SplitWords(const std::string& s);  // on single spaces
std::string Join(const std::vector<std::string>& parts, const std::string& sep);

}  // namespace wg2
