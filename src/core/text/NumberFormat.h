#pragma once

#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>

class QLocale;

// Number and date conventions of a locale, captured once so that the
// widget-free code can format and parse without asking Qt each time.
struct TFormatSettings
{
    char DecimalSeparator = '.';
    char DateSeparator = '.';
    char TimeSeparator = ':';
    // Order of the fields in the short date: "DMY", "MDY" or "YMD".
    std::string DateOrder = "DMY";
};

// A number or date text that does not convert; what() is the message shown.
class EConvertError : public std::runtime_error
{
public:
    using std::runtime_error::runtime_error;
};

// The conventions of `locale`; the program reads the system locale's once at
// start and hands them to whatever formats or parses for the user.
TFormatSettings FormatFromLocale(const QLocale& locale);

// The same conventions with "." as decimal separator, for numbers that come in
// a fixed notation (catalogue option, rates page, update file, rate prompt).
TFormatSettings MakeDotNumberFormat(const TFormatSettings& base);

// General form with up to 15 significant digits: no trailing zeros, no
// grouping, exponent notation ("1E20", "1E-7") only for very large or small values.
std::string FloatToStr(double value, const TFormatSettings& format);

// Money format "0.00": two decimals, half away from zero on the exact decimal
// expansion of the value, no grouping, the locale's separator.
std::string FormatMoney(double value, const TFormatSettings& format);

// truncate(x / 0.01 + 0.5) * 0.01 in 80-bit extended precision. Since the
// double 0.01 is slightly above 1/100, exact binary halves such as 0.125
// round down.
double RoundToHundredths(double x);

// Products that feed RoundToHundredths are formed in extended precision and
// rounded once.
double ExtendedProduct(double a, double b);
double ExtendedProduct(double a, double b, double c);

// Decimal number with the given separator, optional sign and exponent, blanks
// allowed around it.
bool TryStrToFloat(std::string_view text, double& value, const TFormatSettings& format);
// Raises EConvertError "'%s' is not a valid floating point value".
double StrToFloat(std::string_view text, const TFormatSettings& format);

// Decimal 32-bit signed integer with optional sign, leading blanks allowed.
// With allowHex, digits after "0x"/"0X" (or "$") are read as hexadecimal.
bool TryStrToInt(std::string_view text, int32_t& value, bool allowHex = false);
// Raises EConvertError "'%s' is not a valid integer value".
int32_t StrToInt(std::string_view text);
