#include "notes/JsonReader.h"

#include "data/ShownText.h"

#include <limits>
#include <unordered_set>

namespace {

class CJsonParser {
public:
    CJsonParser(std::string_view text, const CJsonLimits& limits) : m_text(text), m_limits(limits) {}

    bool Parse(CJsonValue& root) {
        if (m_text.substr(0, 3) == "\xEF\xBB\xBF") m_pos = 3;  // a byte order mark some editors write
        SkipBlanks();
        if (!ParseValue(root, 0)) return false;
        SkipBlanks();
        if (m_pos != m_text.size()) return Fail("fin du texte attendue");
        return true;
    }

    // "ligne L, colonne C : what", counting characters from 1.
    std::string Error() const {
        int line = 1, column = 1;
        for (size_t i = 0; i < m_failedAt && i < m_text.size(); ++i) {
            const unsigned char c = static_cast<unsigned char>(m_text[i]);
            if (c == '\n') {
                ++line;
                column = 1;
            } else if ((c & 0xC0) != 0x80) {
                ++column;
            }
        }
        return "ligne " + std::to_string(line) + ", colonne " + std::to_string(column) + " : " + m_why;
    }

    bool FailAt(size_t pos, std::string why) {
        m_failedAt = pos;
        m_why = std::move(why);
        return false;
    }

private:
    bool Fail(std::string why) { return FailAt(m_pos, std::move(why)); }
    bool AtEnd() const { return m_pos >= m_text.size(); }
    char Peek() const { return AtEnd() ? '\0' : m_text[m_pos]; }
    void SkipBlanks() {
        while (!AtEnd() && (Peek() == ' ' || Peek() == '\t' || Peek() == '\n' || Peek() == '\r')) ++m_pos;
    }
    bool Literal(std::string_view word) {
        if (m_text.substr(m_pos, word.size()) != word) return false;
        m_pos += word.size();
        return true;
    }

    bool ParseValue(CJsonValue& value, int depth) {
        if (++m_values > m_limits.values)
            return Fail("plus de " + std::to_string(m_limits.values) + " valeurs, le fichier est trop grand");
        if (AtEnd()) return Fail("le texte s'arrête avant la fin");
        const char c = Peek();
        if (c == '{' || c == '[') {
            if (depth >= m_limits.depth)
                return Fail("plus de " + std::to_string(m_limits.depth) + " niveaux d'imbrication");
            return c == '{' ? ParseObject(value, depth + 1) : ParseArray(value, depth + 1);
        }
        if (c == '"') {
            value.type = CJsonValue::Type::String;
            return ParseString(value.text);
        }
        if (c == '-' || (c >= '0' && c <= '9')) return ParseNumber(value);
        if (Literal("true") || Literal("false")) {
            value.type = CJsonValue::Type::Boolean;
            value.boolean = m_text[m_pos - 1 - 3] == 't';  // the word's first letter
            return true;
        }
        if (Literal("null")) return true;
        return Fail("valeur attendue");
    }

    bool ParseArray(CJsonValue& value, int depth) {
        value.type = CJsonValue::Type::Array;
        ++m_pos;
        SkipBlanks();
        if (Peek() == ']') return ++m_pos, true;
        for (;;) {
            value.items.emplace_back();
            if (!ParseValue(value.items.back().second, depth)) return false;
            SkipBlanks();
            if (Peek() == ']') return ++m_pos, true;
            if (Peek() != ',') return Fail("« , » ou « ] » attendu");
            ++m_pos;
            SkipBlanks();
        }
    }

    // Whether the object already has `key`: a look along its members while
    // they are few, a hash set once they are many, so that a hostile object
    // of a million keys does not take a million squared comparisons.
    static bool Seen(const CJsonValue& object, const std::string& key, std::unordered_set<std::string>& seen) {
        constexpr size_t kFew = 16;
        if (object.items.size() < kFew) return object.Member(key) != nullptr;
        if (seen.empty())
            for (const auto& member : object.items) seen.insert(member.first);
        return !seen.insert(key).second;
    }

    bool ParseObject(CJsonValue& value, int depth) {
        std::unordered_set<std::string> seen;
        value.type = CJsonValue::Type::Object;
        ++m_pos;
        SkipBlanks();
        if (Peek() == '}') return ++m_pos, true;
        for (;;) {
            if (Peek() != '"') return Fail("nom de champ entre guillemets attendu");
            const size_t keyAt = m_pos;
            std::string key;
            if (!ParseString(key)) return false;
            if (Seen(value, key, seen)) {
                m_pos = keyAt;
                return Fail("champ « " + key + " » en double");
            }
            SkipBlanks();
            if (Peek() != ':') return Fail("« : » attendu");
            ++m_pos;
            SkipBlanks();
            value.items.emplace_back(std::move(key), CJsonValue());
            if (!ParseValue(value.items.back().second, depth)) return false;
            SkipBlanks();
            if (Peek() == '}') return ++m_pos, true;
            if (Peek() != ',') return Fail("« , » ou « } » attendu");
            ++m_pos;
            SkipBlanks();
        }
    }

    bool ParseNumber(CJsonValue& value) {
        value.type = CJsonValue::Type::Number;
        const bool negative = Peek() == '-';
        if (negative) ++m_pos;
        const auto digits = [&] {
            const size_t start = m_pos;
            while (!AtEnd() && Peek() >= '0' && Peek() <= '9') ++m_pos;
            return m_pos - start;
        };
        const size_t intStart = m_pos;
        const size_t intDigits = digits();
        if (intDigits == 0) return Fail("chiffre attendu");
        if (intDigits > 1 && m_text[intStart] == '0') return Fail("zéro en tête d'un nombre");
        bool whole = true;
        if (Peek() == '.') {
            ++m_pos;
            if (digits() == 0) return Fail("chiffre attendu après le point");
            whole = false;
        }
        if (Peek() == 'e' || Peek() == 'E') {
            ++m_pos;
            if (Peek() == '+' || Peek() == '-') ++m_pos;
            if (digits() == 0) return Fail("chiffre attendu dans l'exposant");
            whole = false;
        }
        // Accumulated negatively so that the smallest 64-bit value fits.
        int64_t n = 0;
        constexpr int64_t kMin = std::numeric_limits<int64_t>::min();
        for (size_t i = intStart; whole && i < intStart + intDigits; ++i) {
            const int d = m_text[i] - '0';
            if (n < (kMin + d) / 10) {
                whole = false;
                break;
            }
            n = n * 10 - d;
        }
        if (whole && !negative && n == kMin) whole = false;
        value.whole = whole;
        value.number = whole ? (negative ? n : -n) : 0;
        return true;
    }

    bool Hex4(char32_t& unit) {
        unit = 0;
        for (int i = 0; i < 4; ++i, ++m_pos) {
            const char c = Peek();
            const int d = c >= '0' && c <= '9'   ? c - '0'
                          : c >= 'a' && c <= 'f' ? c - 'a' + 10
                          : c >= 'A' && c <= 'F' ? c - 'A' + 10
                                                 : -1;
            if (d < 0) return Fail("quatre chiffres hexadécimaux attendus après \\u");
            unit = unit * 16 + char32_t(d);
        }
        return true;
    }

    bool Escape(std::string& out) {
        const char c = Peek();
        ++m_pos;
        switch (c) {
        case '"':
            out += '"';
            return true;
        case '\\':
            out += '\\';
            return true;
        case '/':
            out += '/';
            return true;
        case 'b':
            out += '\b';
            return true;
        case 'f':
            out += '\f';
            return true;
        case 'n':
            out += '\n';
            return true;
        case 'r':
            out += '\r';
            return true;
        case 't':
            out += '\t';
            return true;
        case 'u':
            break;
        default:
            --m_pos;
            return Fail("échappement inconnu dans une chaîne");
        }
        const size_t at = m_pos - 2;
        char32_t unit = 0;
        if (!Hex4(unit)) return false;
        if (unit >= 0xD800 && unit <= 0xDBFF && Literal("\\u")) {
            char32_t low = 0;
            if (!Hex4(low)) return false;
            if (low >= 0xDC00 && low <= 0xDFFF) unit = 0x10000 + ((unit - 0xD800) << 10) + (low - 0xDC00);
        }
        if (unit >= 0xD800 && unit <= 0xDFFF) {
            m_pos = at;
            return Fail("demi-caractère UTF-16 seul dans une chaîne");
        }
        AppendUtf8(out, unit);
        return true;
    }

    bool ParseString(std::string& out) {
        ++m_pos;  // the opening quote
        for (;;) {
            const size_t start = m_pos;
            while (!AtEnd() && Peek() != '"' && Peek() != '\\' && static_cast<unsigned char>(Peek()) >= 0x20) ++m_pos;
            out.append(m_text, start, m_pos - start);
            if (AtEnd()) return Fail("chaîne non fermée");
            if (Peek() == '"') return ++m_pos, true;
            if (Peek() != '\\') return Fail("caractère de contrôle brut dans une chaîne (\\n, \\t ou \\u attendu)");
            ++m_pos;
            if (!Escape(out)) return false;
        }
    }

    std::string_view m_text;
    const CJsonLimits& m_limits;
    size_t m_pos = 0;
    size_t m_values = 0;
    size_t m_failedAt = 0;
    std::string m_why;
};

// Where the first byte that is not UTF-8 lies, or npos.
size_t FirstNonUtf8(std::string_view text) {
    for (size_t i = 0; i < text.size();) {
        char32_t point = 0;
        const size_t length = Utf8SequenceAt(text.substr(i), point);
        if (length == 0) return i;
        i += length;
    }
    return std::string_view::npos;
}

}  // namespace

const CJsonValue* CJsonValue::Member(std::string_view key) const {
    if (type != Type::Object) return nullptr;
    for (const auto& [name, value] : items)
        if (name == key) return &value;
    return nullptr;
}


void AppendUtf8(std::string& out, char32_t point) {
    if (point < 0x80) {
        out += char(point);
    } else if (point < 0x800) {
        out += char(0xC0 | (point >> 6));
        out += char(0x80 | (point & 0x3F));
    } else if (point < 0x10000) {
        out += char(0xE0 | (point >> 12));
        out += char(0x80 | ((point >> 6) & 0x3F));
        out += char(0x80 | (point & 0x3F));
    } else {
        out += char(0xF0 | (point >> 18));
        out += char(0x80 | ((point >> 12) & 0x3F));
        out += char(0x80 | ((point >> 6) & 0x3F));
        out += char(0x80 | (point & 0x3F));
    }
}

CJsonReading ReadJson(std::string_view text, const CJsonLimits& limits) {
    CJsonReading reading;
    if (text.size() > limits.bytes) {
        const bool mebibytes = limits.bytes % (1u << 20) == 0;
        reading.error = "fichier : plus de " + std::to_string(mebibytes ? limits.bytes >> 20 : limits.bytes) +
                        (mebibytes ? " Mio" : " octets") + ", trop grand pour être lu";
        return reading;
    }
    CJsonParser parser(text, limits);
    const size_t bad = FirstNonUtf8(text);
    if (bad != std::string_view::npos) {
        parser.FailAt(bad, "texte qui n'est pas de l'UTF-8");
        reading.error = parser.Error();
        return reading;
    }
    if (!parser.Parse(reading.root)) {
        reading.error = parser.Error();
        reading.root = {};
        return reading;
    }
    reading.ok = true;
    return reading;
}
