#include "core/text/NumberFormat.h"

#include <QLocale>
#include <cctype>
#include <gtest/gtest.h>

namespace {

TFormatSettings WithSeparator(char separator)
{
    TFormatSettings format;
    format.DecimalSeparator = separator;
    return format;
}

// Replaces "." in an expected text by the separator under test.
std::string Localised(std::string text, char separator)
{
    for (char& c : text)
        if (c == '.')
            c = separator;
    return text;
}

class UnderLocale : public ::testing::TestWithParam<char>
{
protected:
    char Sep() const { return GetParam(); }
    TFormatSettings Format() const { return WithSeparator(GetParam()); }
};

TEST_P(UnderLocale, MoneyFormatRoundsHalfAwayFromZeroOnExactExpansion)
{
    const struct
    {
        double value;
        const char* expected;
    } cases[] = {
        {0, "0.00"},
        {226.25, "226.25"},
        {0.125, "0.13"},
        {0.375, "0.38"},
        {-0.125, "-0.13"},
        {2.675, "2.67"}, // 2.675 is 2.67499999... in binary
        {1.005, "1.00"},
        {0.2925, "0.29"},
        {1234567.891, "1234567.89"},
        {0.995, "0.99"},
        {0.9951, "1.00"},
        {-0.001, "0.00"},
        {303.0075, "303.01"},
        {1e15, "1000000000000000.00"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(FormatMoney(c.value, Format()), Localised(c.expected, Sep())) << c.value;
}

TEST_P(UnderLocale, FloatsInGeneralFormWithFifteenDigits)
{
    const struct
    {
        double value;
        const char* expected;
    } cases[] = {
        {0, "0"},         {89.12, "89.12"},   {-3, "-3"},
        {1.005, "1.005"}, {0.1 + 0.2, "0.3"}, {123456789012345.0, "123456789012345"},
        {1e20, "1E20"},   {1.5e-7, "1.5E-7"}, {2.5, "2.5"},
    };
    for (const auto& c : cases) {
        const std::string text = FloatToStr(c.value, Format());
        EXPECT_EQ(text, Localised(c.expected, Sep())) << c.value;
        double back = 0;
        EXPECT_TRUE(TryStrToFloat(text, back, Format())) << text;
    }
}

TEST_P(UnderLocale, ParsesNumbersWithTheLocaleSeparatorOnly)
{
    const struct
    {
        const char* text;
        bool ok;
        double value;
    } cases[] = {
        {"2.5", true, 2.5},
        {" -3.25 ", true, -3.25},
        {"1E3", true, 1000},
        {"12", true, 12},
        {".5", true, 0.5},
        {"", false, 0},
        {"abc", false, 0},
        {"1.2.3", false, 0},
        {"1e", false, 0},
        {"-", false, 0},
        {"1 000", false, 0},
        // Beyond the range of a double: too small is zero, too large fails.
        {"+2.5", true, 2.5},
        {"1e-400", true, 0},
        {"-0.001e-330", true, 0},
        {"1e400", false, 0},
        {"100e307", false, 0},
        {"0.001e311", true, 1e308},
    };
    for (const auto& c : cases) {
        double value = 0;
        const std::string text = Localised(c.text, Sep());
        EXPECT_EQ(TryStrToFloat(text, value, Format()), c.ok) << text;
        if (c.ok) {
            EXPECT_DOUBLE_EQ(value, c.value) << text;
        }
    }
    // The other separator is foreign to this locale.
    double value = 0;
    EXPECT_FALSE(TryStrToFloat(Sep() == '.' ? "2,5" : "2.5", value, Format()));
    EXPECT_THROW(StrToFloat("x1", Format()), EConvertError);
}

INSTANTIATE_TEST_SUITE_P(DotAndComma, UnderLocale, ::testing::Values('.', ','));

TEST(RoundToHundredths, UsesExtendedPrecisionAndTheBinaryHundredth)
{
    const struct
    {
        double value;
        double expected;
    } cases[] = {
        {0.125, 0.12},    {0.375, 0.37}, {303.0075, 303.01}, {89.1234, 89.12}, {89.1267, 89.13},
        {243.75, 243.75}, {0, 0},        {2.5, 2.5},         {0.005, 0.01},    {1.0 / 3.0, 0.33},
    };
    for (const auto& c : cases)
        EXPECT_DOUBLE_EQ(RoundToHundredths(c.value), c.expected) << c.value;
    // The sum of a line: 1.25 euros at 80.802 for 3 pieces.
    EXPECT_DOUBLE_EQ(RoundToHundredths(ExtendedProduct(1.25, 80.802, 3)), 303.01);
}

TEST(Integers, DecimalAndOptionalHexadecimal)
{
    const struct
    {
        const char* text;
        bool allowHex;
        bool ok;
        int32_t value;
    } cases[] = {
        {"12", false, true, 12},         {"-7", false, true, -7},
        {"  5", false, true, 5},         {"2147483647", false, true, 2147483647},
        {"2147483648", false, false, 0}, {"-2147483648", false, true, INT32_MIN},
        {"0x1F", false, false, 0},       {"0x1F", true, true, 31},
        {"0X10", true, true, 16},        {"0xFFFFFFFF", true, true, -1},
        {"0x", true, false, 0},          {"1.5", false, false, 0},
        {"", false, false, 0},           {"12a", true, false, 0},
    };
    for (const auto& c : cases) {
        int32_t value = 0;
        EXPECT_EQ(TryStrToInt(c.text, value, c.allowHex), c.ok) << c.text;
        if (c.ok) {
            EXPECT_EQ(value, c.value) << c.text;
        }
    }
    EXPECT_THROW(StrToInt("x"), EConvertError);
    try {
        StrToInt("1,5");
    } catch (const EConvertError& e) {
        EXPECT_STREQ(e.what(), "'1,5' is not a valid integer value");
    }
}

TEST(LocaleCapture, SeparatorsAndDateOrderOfEachLocale)
{
    const struct
    {
        const char* locale;
        char decimal, date, time;
        const char* order;
    } cases[] = {
        {"ru_RU", ',', '.', ':', "DMY"},
        {"en_US", '.', '/', ':', "MDY"},
        {"de_DE", ',', '.', ':', "DMY"},
        // Blanks after the points, a quoted word at the end.
        {"hu_HU", ',', '.', ':', "YMD"},
        {"sk_SK", ',', '.', ':', "DMY"},
        {"bg_BG", ',', '.', ':', "DMY"},
        {"ko_KR", '.', '.', ':', "YMD"},
        // "HH 'h' mm": no punctuation between the hours and the minutes.
        {"fr_CA", ',', '-', ':', "YMD"},
        // "'Kl'. H.mm": the point before the hour is no separator.
        {"nds_DE", ',', '.', '.', "DMY"},
        // Right-to-left marks around the slashes.
        {"ar_EG", '.', '/', ':', "DMY"},
        {"C", '.', '.', ':', "DMY"}, // "d MMM yyyy": no separator, the fallback
    };
    for (const auto& c : cases) {
        const TFormatSettings format = FormatFromLocale(QLocale(QString::fromLatin1(c.locale)));
        EXPECT_EQ(format.DecimalSeparator, c.decimal) << c.locale;
        EXPECT_EQ(format.DateSeparator, c.date) << c.locale;
        EXPECT_EQ(format.TimeSeparator, c.time) << c.locale;
        EXPECT_EQ(format.DateOrder, c.order) << c.locale;
    }
    const TFormatSettings dot = MakeDotNumberFormat(FormatFromLocale(QLocale(QLocale::Russian)));
    EXPECT_EQ(dot.DecimalSeparator, '.');
    EXPECT_EQ(dot.DateOrder, "DMY");
}

TEST(LocaleCapture, EveryLocaleGivesPunctuationAsSeparators)
{
    const auto isSeparator = [](char c) {
        return c > ' ' && c < 0x7F && std::ispunct(static_cast<unsigned char>(c)) && c != '\'' &&
               c != '"';
    };
    for (const QLocale& locale : QLocale::matchingLocales(QLocale::AnyLanguage, QLocale::AnyScript,
                                                          QLocale::AnyTerritory)) {
        const TFormatSettings format = FormatFromLocale(locale);
        EXPECT_TRUE(isSeparator(format.DateSeparator))
            << locale.name().toStdString() << ": '" << format.DateSeparator << "'";
        EXPECT_TRUE(isSeparator(format.TimeSeparator))
            << locale.name().toStdString() << ": '" << format.TimeSeparator << "'";
    }
}

} // namespace
