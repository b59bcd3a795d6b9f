#pragma once

#include <string_view>

class QDateTime;
struct TFormatSettings;

// The program's one reader of date-time texts (the catalogue's time stamp and
// the one the maker publishes, so that the two compare like with like).
// Accepts the locale's short date, fields in its order and with its
// separator, optionally followed by blanks and a time h:mm or h:mm:ss with the
// locale's time separator; blanks around the whole are ignored. One- or
// two-digit years fall in 1950..2049. Dates and times that do not exist
// (31.02.2026, 24:00) are refused. The result is a wall-clock value without a
// time zone, so that comparisons ignore daylight-saving changes.
bool TryStrToDateTime(std::string_view text, QDateTime& result, const TFormatSettings& format);
