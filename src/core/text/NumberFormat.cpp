#include "core/text/NumberFormat.h"

#include "core/text/Blanks.h"

#include <QLocale>
#include <algorithm>
#include <charconv>
#include <cmath>
#include <limits>
#include <vector>

namespace {

char FirstByteOrDefault(const QString& text, char fallback)
{
    if (text.isEmpty() || text.at(0).unicode() >= 0x80)
        return fallback;
    return static_cast<char>(text.at(0).unicode());
}

// A Qt date or time pattern cut into fields (a run of one pattern letter,
// such as "dd" or "HH") and the literal text between them. Quoted text
// ('г', 'h') is left out: it is a word, never a separator.
struct PatternPiece
{
    QChar Field;     // the pattern letter, or 0 for literal text
    int Length = 0;  // letters in the field
    QString Literal; // the unquoted literal text
};

bool IsPatternLetter(QChar c)
{
    return QStringView(u"dMyhHmszaApPt").contains(c);
}

std::vector<PatternPiece> SplitPattern(const QString& pattern)
{
    std::vector<PatternPiece> pieces;
    const auto literal = [&pieces]() -> QString& {
        if (pieces.empty() || !pieces.back().Field.isNull())
            pieces.push_back({});
        return pieces.back().Literal;
    };
    for (qsizetype i = 0; i < pattern.size(); ++i) {
        const QChar c = pattern.at(i);
        if (c == u'\'') {
            // "''" is a quote character; a lone quote opens quoted text.
            if (i + 1 < pattern.size() && pattern.at(i + 1) == u'\'') {
                literal() += c;
                ++i;
            } else {
                const qsizetype close = pattern.indexOf(u'\'', i + 1);
                i = close < 0 ? pattern.size() : close;
                literal(); // the quoted word still parts the fields around it
            }
        } else if (IsPatternLetter(c)) {
            int length = 1;
            while (i + 1 < pattern.size() && pattern.at(i + 1) == c) {
                ++length;
                ++i;
            }
            pieces.push_back({c, length, {}});
        } else {
            literal() += c;
        }
    }
    return pieces;
}

// 'D', 'M' or 'Y' for a numeric or named day, month or year; 0 otherwise
// ("ddd" and "dddd" are week days).
char DateField(const PatternPiece& piece)
{
    if (piece.Field == u'd' && piece.Length <= 2)
        return 'D';
    if (piece.Field == u'M')
        return 'M';
    if (piece.Field == u'y')
        return 'Y';
    return '\0';
}

// The first punctuation mark written between a field that `isFirst` accepts
// and the next field that `isSecond` accepts, later pairs tried when a pair
// has none. Blanks, quotes, letters and characters beyond ASCII are no
// separators; without one the fallback stands.
template <typename First, typename Second>
char SeparatorBetween(const std::vector<PatternPiece>& pieces, First isFirst, Second isSecond,
                      char fallback)
{
    for (std::size_t i = 0; i < pieces.size(); ++i) {
        if (!isFirst(pieces[i]))
            continue;
        std::size_t j = i + 1;
        while (j < pieces.size() && !isSecond(pieces[j]))
            ++j;
        if (j == pieces.size())
            break;
        for (std::size_t k = i + 1; k < j; ++k) {
            if (!pieces[k].Field.isNull())
                continue;
            for (QChar c : pieces[k].Literal) {
                if (c.unicode() < 0x80 && c.isPunct() && c != u'\'' && c != u'"')
                    return static_cast<char>(c.unicode());
            }
        }
    }
    return fallback;
}

// Always "." and no grouping: std::to_chars never asks the C library's locale.
template <typename Float> std::string ToChars(Float value, std::chars_format form, int precision)
{
    // The longest fixed form of a double has 309 digits before the point.
    char buffer[400];
    const auto [end, error] = std::to_chars(buffer, buffer + sizeof buffer, value, form, precision);
    if (error != std::errc())
        throw EConvertError("The number does not fit its text");
    return std::string(buffer, end);
}

std::string ReplaceDecimalPoint(std::string text, char separator)
{
    for (char& c : text) {
        if (c == '.')
            c = separator;
    }
    return text;
}

bool IsDigit(char c)
{
    return c >= '0' && c <= '9';
}

} // namespace

TFormatSettings FormatFromLocale(const QLocale& locale)
{
    TFormatSettings format;
    format.DecimalSeparator = FirstByteOrDefault(locale.decimalPoint(), '.');

    const std::vector<PatternPiece> date = SplitPattern(locale.dateFormat(QLocale::ShortFormat));
    std::string order;
    for (const PatternPiece& piece : date) {
        const char field = DateField(piece);
        if (field != '\0' && order.find(field) == std::string::npos)
            order += field;
    }
    if (order == "DMY" || order == "MDY" || order == "YMD")
        format.DateOrder = order;
    format.DateSeparator = SeparatorBetween(
        date, [](const PatternPiece& piece) { return DateField(piece) != '\0'; },
        [](const PatternPiece& piece) { return DateField(piece) != '\0'; }, '.');

    const std::vector<PatternPiece> time = SplitPattern(locale.timeFormat(QLocale::ShortFormat));
    format.TimeSeparator = SeparatorBetween(
        time, [](const PatternPiece& piece) { return piece.Field == u'h' || piece.Field == u'H'; },
        [](const PatternPiece& piece) { return piece.Field == u'm'; }, ':');
    return format;
}

TFormatSettings MakeDotNumberFormat(const TFormatSettings& base)
{
    TFormatSettings dot = base;
    dot.DecimalSeparator = '.';
    return dot;
}

std::string FloatToStr(double value, const TFormatSettings& format)
{
    if (std::isnan(value))
        return "NAN";
    if (std::isinf(value))
        return value > 0 ? "INF" : "-INF";
    if (value == 0)
        return "0";
    // The "%.15g" form, but without the C library's current locale.
    std::string text = ToChars(value, std::chars_format::general, 15);
    // "1e+20" becomes "1E20", "1e-07" becomes "1E-7".
    if (const auto e = text.find('e'); e != std::string::npos) {
        std::string mantissa = text.substr(0, e);
        std::string exponent = text.substr(e + 1);
        const bool negative = !exponent.empty() && exponent[0] == '-';
        if (!exponent.empty() && (exponent[0] == '-' || exponent[0] == '+'))
            exponent.erase(0, 1);
        exponent.erase(0, std::min(exponent.find_first_not_of('0'), exponent.size() - 1));
        text = mantissa + "E" + (negative ? "-" : "") + exponent;
    }
    return ReplaceDecimalPoint(text, format.DecimalSeparator);
}

std::string FormatMoney(double value, const TFormatSettings& format)
{
    if (!std::isfinite(value))
        return FloatToStr(value, format);
    // The exact decimal expansion is rounded correctly, but exact ties go to
    // even; a tie at the third decimal is exact in binary, and then 100 * x
    // is exact in extended precision, so ties are found and sent away from zero.
    const long double hundredfold = static_cast<long double>(value) * 100.0L;
    const long double whole = std::floor(std::fabs(hundredfold));
    std::string text;
    if (std::fabs(hundredfold) - whole == 0.5L)
        text = ToChars(std::copysign(whole + 1, hundredfold) / 100.0L, std::chars_format::fixed, 2);
    else
        text = ToChars(value, std::chars_format::fixed, 2);
    if (text == "-0.00")
        text = "0.00";
    return ReplaceDecimalPoint(text, format.DecimalSeparator);
}

double RoundToHundredths(double x)
{
    const long double hundredth = static_cast<long double>(0.01);
    const long double shifted = static_cast<long double>(x) / hundredth + 0.5L;
    const long double truncated = std::trunc(shifted);
    return static_cast<double>(truncated * hundredth);
}

double ExtendedProduct(double a, double b)
{
    return static_cast<double>(static_cast<long double>(a) * static_cast<long double>(b));
}

double ExtendedProduct(double a, double b, double c)
{
    return static_cast<double>(static_cast<long double>(a) * static_cast<long double>(b) *
                               static_cast<long double>(c));
}

namespace {

// Copies the exponent's sign and digits from text[i] on, leaving i after them,
// and adds the exponent to `magnitude`; false when there is no digit.
bool CopyExponent(std::string_view text, std::size_t& i, std::string& plain, long long& magnitude)
{
    plain += 'e';
    const bool negative = i < text.size() && text[i] == '-';
    if (i < text.size() && (text[i] == '+' || text[i] == '-'))
        plain += text[i++];
    long long exponent = 0;
    int digits = 0;
    for (; i < text.size() && IsDigit(text[i]); ++i, ++digits) {
        plain += text[i];
        exponent = std::min(exponent * 10 + (text[i] - '0'), 1'000'000'000LL);
    }
    magnitude += negative ? -exponent : exponent;
    return digits > 0;
}

} // namespace

bool TryStrToFloat(std::string_view text, double& value, const TFormatSettings& format)
{
    text = TrimBlanks(text);
    // The number is copied in the notation std::from_chars reads: "." as the
    // decimal point and no "+" sign.
    std::string plain;
    std::size_t i = 0;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        if (text[i] == '-')
            plain += '-';
        ++i;
    }
    // The power of ten just above the value's first significant digit, so
    // that an out-of-range value is known as too small or too large.
    long long magnitude = 0;
    bool significant = false;
    int digits = 0;
    for (; i < text.size() && IsDigit(text[i]); ++i, ++digits) {
        plain += text[i];
        significant = significant || text[i] != '0';
        magnitude += significant ? 1 : 0;
    }
    if (i < text.size() && text[i] == format.DecimalSeparator) {
        plain += '.';
        for (++i; i < text.size() && IsDigit(text[i]); ++i, ++digits) {
            plain += text[i];
            significant = significant || text[i] != '0';
            magnitude -= significant ? 0 : 1;
        }
    }
    if (digits == 0)
        return false;
    if (i < text.size() && (text[i] == 'e' || text[i] == 'E') &&
        !CopyExponent(text, ++i, plain, magnitude))
        return false;
    if (i != text.size())
        return false;

    double parsed = 0;
    const char* const end = plain.data() + plain.size();
    const auto [stop, error] = std::from_chars(plain.data(), end, parsed);
    if (stop != end)
        return false;
    if (error == std::errc::result_out_of_range) {
        // Too large fails; too small is zero, with its sign.
        if (magnitude > 0)
            return false;
        parsed = plain.front() == '-' ? -0.0 : 0.0;
    } else if (error != std::errc() || !std::isfinite(parsed)) {
        return false;
    }
    value = parsed;
    return true;
}

double StrToFloat(std::string_view text, const TFormatSettings& format)
{
    double value = 0;
    if (!TryStrToFloat(text, value, format))
        throw EConvertError("'" + std::string(text) + "' is not a valid floating point value");
    return value;
}

bool TryStrToInt(std::string_view text, int32_t& value, bool allowHex)
{
    while (!text.empty() && IsBlank(text.front()))
        text.remove_prefix(1);
    bool negative = false;
    if (!text.empty() && (text[0] == '+' || text[0] == '-')) {
        negative = text[0] == '-';
        text.remove_prefix(1);
    }
    int base = 10;
    if (allowHex && text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
        base = 16;
        text.remove_prefix(2);
    } else if (allowHex && text.size() > 1 && text[0] == '$') {
        base = 16;
        text.remove_prefix(1);
    }
    if (text.empty())
        return false;
    int64_t magnitude = 0;
    for (char c : text) {
        int digit = -1;
        if (c >= '0' && c <= '9')
            digit = c - '0';
        else if (base == 16 && c >= 'a' && c <= 'f')
            digit = c - 'a' + 10;
        else if (base == 16 && c >= 'A' && c <= 'F')
            digit = c - 'A' + 10;
        if (digit < 0)
            return false;
        magnitude = magnitude * base + digit;
        if (magnitude > int64_t{std::numeric_limits<uint32_t>::max()})
            return false;
    }
    // Hexadecimal digits may spell the full 32-bit pattern (0xFFFFFFFF is -1).
    if (base == 16 && !negative && magnitude > std::numeric_limits<int32_t>::max()) {
        value = static_cast<int32_t>(static_cast<uint32_t>(magnitude));
        return true;
    }
    const int64_t signedValue = negative ? -magnitude : magnitude;
    if (signedValue < std::numeric_limits<int32_t>::min() ||
        signedValue > std::numeric_limits<int32_t>::max())
        return false;
    value = static_cast<int32_t>(signedValue);
    return true;
}

int32_t StrToInt(std::string_view text)
{
    int32_t value = 0;
    if (!TryStrToInt(text, value))
        throw EConvertError("'" + std::string(text) + "' is not a valid integer value");
    return value;
}
