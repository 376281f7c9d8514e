// Times in the notes' files: ISO 8601 in UTC with milliseconds,
// "2026-12-09T06:00:00.000Z", from and to milliseconds since 1970. The
// calendar is computed here, not by the C library, so that neither the
// time zone nor the platform's time_t changes a file.
#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

// Years 0 to 9999; a time beyond them is written at the nearest end.
std::string IsoTimeUtc(int64_t ms);
// Takes "YYYY-MM-DDTHH:MM:SS", then optionally a fraction of a second (its
// first three digits count), then "Z" or an offset "+HH:MM" / "-HH:MM".
std::optional<int64_t> ParseIsoTime(std::string_view text);
