#include "core/pictures/PicturePath.h"
#include "core/settings/SettingsPath.h"
#include "core/text/Cp1251.h"
#include "core/text/ErrorText.h"

#include <gtest/gtest.h>

namespace {

TEST(Cp1251, RoundTripsEveryByte)
{
    std::string all;
    for (int b = 1; b < 256; ++b)
        all += static_cast<char>(b);
    EXPECT_EQ(ToCp1251(FromCp1251(all)), all);
    EXPECT_EQ(Utf8ToCp1251(Cp1251ToUtf8(all)), all);
}

TEST(Cp1251, KnownCharacters)
{
    const struct
    {
        const char* utf8;
        const char* cp1251;
    } cases[] = {
        {"Евро", "\xC5\xE2\xF0\xEE"}, {"Ёё", "\xA8\xB8"}, {"№", "\xB9"},
        {"руб.", "\xF0\xF3\xE1."},    {"€", "\x88"},      {"abc", "abc"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(Utf8ToCp1251(c.utf8), c.cp1251) << c.utf8;
        EXPECT_EQ(Cp1251ToUtf8(c.cp1251), c.utf8) << c.utf8;
        EXPECT_EQ(FromCp1251(c.cp1251), QString::fromUtf8(c.utf8)) << c.utf8;
    }
}

TEST(Cp1251, CharactersWithoutCodeBecomeQuestionMarks)
{
    EXPECT_EQ(ToCp1251(QString::fromUtf8("a中b😀")), "a?b?");
    EXPECT_EQ(Utf8ToCp1251("漢"), "?");
}

TEST(Cp1251, MalformedUtf8GivesEmptyText)
{
    const char* malformed[] = {"\xFF",         "ab\xC3",   "\xC3\x28",        "\xE0\x80\x80",
                               "\xED\xA0\x80", "\xC0\xAF", "\xF5\x80\x80\x80"};
    for (const char* text : malformed) {
        bool ok = true;
        EXPECT_EQ(Utf8ToCp1251(text, &ok), "") << text;
        EXPECT_FALSE(ok) << text;
    }
    bool ok = false;
    EXPECT_EQ(Utf8ToCp1251("", &ok), "");
    EXPECT_TRUE(ok);
}

TEST(PicturePath, Normalisation)
{
    const struct
    {
        const char* in;
        const char* out;
    } cases[] = {
        {"C:\\PelmoraDB\\img\\", "C:/PelmoraDB/img/"},
        {"D:\\Data\\\\img\\", "D:/Data/img/"},
        {"a\\\\\\\\b", "a//b"}, // four backslashes become two
        {"a\\\\\\b", "a//b"},   // three become two
        {"/home/u/img/", "/home/u/img/"},
        {"", ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(NormalisePicturePath(c.in), c.out) << c.in;
}

TEST(PicturePath, FolderOfDatabaseFile)
{
    const struct
    {
        const char* database;
        const char* folder;
    } cases[] = {
#ifdef _WIN32
        {"D:\\Data\\cat.db", "D:/Data/img/"},
        {"D:\\a b\\x.y\\cat.db", "D:/a b/x.y/img/"},
#else
        {"/home/u/a\\b/cat.db", "/home/u/a\\b/img/"},
        {"/home/u/a\\\\b\\/cat.db", "/home/u/a\\\\b\\/img/"},
        {"/home/u/cat\\.db", "/home/u/img/"},
        {"/cat.db", "/img/"},
#endif
        {"/home/u/Data/cat.db", "/home/u/Data/img/"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(PictureFolderOf(c.database), c.folder) << c.database;
}

TEST(SettingsPath, OnlyPathsTheSettingsGiveBack)
{
    const struct
    {
        QString path;
        std::optional<std::string> stored;
    } cases[] = {
        {QStringLiteral("/home/u/cat.db"), "/home/u/cat.db"},
        {QStringLiteral("/home/дом/«к»\\1.db"), Cp("/home/дом/«к»\\1.db")},
        {QStringLiteral("/home/josé/cat.db"), std::nullopt},
        {QStringLiteral("/home/u/a\nb/cat.db"), std::nullopt},
        {QStringLiteral("/home/u/cat.db "), std::nullopt},
        {QStringLiteral(" /home/u/cat.db"), std::nullopt},
        {QStringLiteral("/") + QString(2046, u'a'), "/" + std::string(2046, 'a')},
        {QStringLiteral("/") + QString(2047, u'a'), std::nullopt},
    };
    for (const auto& c : cases)
        EXPECT_EQ(PathForSettings(c.path), c.stored) << c.path.toStdString();
}

TEST(PicturePath, PictureNamesSeparateFoldersWithBackslashes)
{
    EXPECT_EQ(PictureFile("/home/u/a\\b/img/", "sub\\x.jpg"), "/home/u/a\\b/img/sub/x.jpg");
    EXPECT_EQ(PictureFile("/img/", "a\\\\b.jpg"), "/img/a/b.jpg");
    EXPECT_EQ(PictureFile("/img/", "1.jpg"), "/img/1.jpg");
}

TEST(ErrorText, ApplicationTitleFromProgramFile)
{
    EXPECT_EQ(ApplicationTitle("/usr/bin/pelmora"), "pelmora");
    EXPECT_EQ(ApplicationTitle("C:\\Prog\\PELMORA.EXE"), "Pelmora");
    EXPECT_EQ(ApplicationTitle("Order.Tool.exe"), "Order");
}

TEST(ErrorText, FullStopAppendedAfterCharactersAboveTheFullStop)
{
    const struct
    {
        const char* in;
        const char* out;
    } cases[] = {
        {"Table is at End of File", "Table is at End of File."},
        {"Done.", "Done."},
        {"Ends with quote\"", "Ends with quote\""},   // '"' is below '.'
        {"Ends with bracket)", "Ends with bracket)"}, // ')' is below '.'
        {"path /tmp/x/", "path /tmp/x/."},            // '/' is above '.'
        {"Cyrillic \xE0", "Cyrillic \xE0."},
        {"", ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ErrorBoxText(c.in), c.out) << c.in;
}

} // namespace
