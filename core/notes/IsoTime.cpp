#include "notes/IsoTime.h"

#include <algorithm>
#include <cstdio>

namespace {

constexpr int64_t kDayMs = 86'400'000;

// Days since 1970-01-01 of a date of the proleptic Gregorian calendar
// (H. Hinnant's days_from_civil).
int64_t DaysFromCivil(int64_t y, int m, int d) {
    y -= m <= 2;
    const int64_t era = (y >= 0 ? y : y - 399) / 400;
    const int64_t yoe = y - era * 400;
    const int64_t doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
    const int64_t doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + doe - 719468;
}

void CivilFromDays(int64_t z, int64_t& y, int& m, int& d) {
    z += 719468;
    const int64_t era = (z >= 0 ? z : z - 146096) / 146097;
    const int64_t doe = z - era * 146097;
    const int64_t yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const int64_t doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const int64_t mp = (5 * doy + 2) / 153;
    d = int(doy - (153 * mp + 2) / 5 + 1);
    m = int(mp < 10 ? mp + 3 : mp - 9);
    y = yoe + era * 400 + (m <= 2);
}

int DaysInMonth(int64_t y, int m) {
    static const int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    const bool leap = (y % 4 == 0 && y % 100 != 0) || y % 400 == 0;
    return m == 2 && leap ? 29 : kDays[m - 1];
}

// Reads `count` digits at `pos` into `value`.
bool Digits(std::string_view text, size_t& pos, int count, int& value) {
    value = 0;
    for (int i = 0; i < count; ++i, ++pos) {
        if (pos >= text.size() || text[pos] < '0' || text[pos] > '9') return false;
        value = value * 10 + (text[pos] - '0');
    }
    return true;
}

bool Char(std::string_view text, size_t& pos, char c) {
    if (pos >= text.size() || text[pos] != c) return false;
    ++pos;
    return true;
}

}  // namespace

std::string IsoTimeUtc(int64_t ms) {
    const int64_t lowest = DaysFromCivil(0, 1, 1) * kDayMs;
    const int64_t highest = DaysFromCivil(10000, 1, 1) * kDayMs - 1;
    ms = std::clamp(ms, lowest, highest);
    int64_t days = ms / kDayMs, rest = ms % kDayMs;
    if (rest < 0) rest += kDayMs, --days;
    int64_t y = 0;
    int m = 0, d = 0;
    CivilFromDays(days, y, m, d);
    char text[64];
    std::snprintf(text, sizeof text, "%04d-%02d-%02dT%02d:%02d:%02d.%03dZ", int(y), m, d, int(rest / 3'600'000),
                  int(rest / 60'000 % 60), int(rest / 1000 % 60), int(rest % 1000));
    return text;
}

std::optional<int64_t> ParseIsoTime(std::string_view text) {
    size_t pos = 0;
    int y = 0, mo = 0, d = 0, h = 0, mi = 0, s = 0;
    if (!Digits(text, pos, 4, y) || !Char(text, pos, '-') || !Digits(text, pos, 2, mo) || !Char(text, pos, '-') ||
        !Digits(text, pos, 2, d) || !Char(text, pos, 'T') || !Digits(text, pos, 2, h) || !Char(text, pos, ':') ||
        !Digits(text, pos, 2, mi) || !Char(text, pos, ':') || !Digits(text, pos, 2, s))
        return std::nullopt;
    if (mo < 1 || mo > 12 || d < 1 || d > DaysInMonth(y, mo) || h > 23 || mi > 59 || s > 59) return std::nullopt;
    int ms = 0;
    if (Char(text, pos, '.')) {
        int digits = 0;
        for (; pos < text.size() && text[pos] >= '0' && text[pos] <= '9'; ++pos, ++digits)
            if (digits < 3) ms = ms * 10 + (text[pos] - '0');
        if (digits == 0) return std::nullopt;
        for (; digits < 3; ++digits) ms *= 10;
    }
    int offsetMinutes = 0;
    if (!Char(text, pos, 'Z')) {
        const bool minus = pos < text.size() && text[pos] == '-';
        int oh = 0, om = 0;
        if (!(Char(text, pos, '+') || Char(text, pos, '-')) || !Digits(text, pos, 2, oh) || !Char(text, pos, ':') ||
            !Digits(text, pos, 2, om) || oh > 23 || om > 59)
            return std::nullopt;
        offsetMinutes = (minus ? -1 : 1) * (oh * 60 + om);
    }
    if (pos != text.size()) return std::nullopt;
    const int64_t time =
        DaysFromCivil(y, mo, d) * kDayMs + ((h * 60 + mi - offsetMinutes) * 60 + s) * int64_t(1000) + ms;
    // An offset may carry a time past the years IsoTimeUtc writes.
    if (time < DaysFromCivil(0, 1, 1) * kDayMs || time >= DaysFromCivil(10000, 1, 1) * kDayMs) return std::nullopt;
    return time;
}
