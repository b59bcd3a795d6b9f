#pragma once

#include <string>

class QDateTime;
class QLocale;

// The catalogue's time stamp as the wholesaler writes it: the locale's short
// date with a four-digit year, a blank and hh:mm:ss with the locale's time
// separator. The text is checked against the program's own date-time reader;
// a short date that reader cannot take (month names, literal words) gives way
// to the plain numeric form of the same conventions. Windows-1251 bytes.
std::string DemoTimeStamp(const QLocale& locale, const QDateTime& when);

// Whether the program's reader, set up from `locale`, reads `text` as `when`.
bool ReadsBackAs(const std::string& text, const QLocale& locale, const QDateTime& when);
