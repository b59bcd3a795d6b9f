#include "core/settings/IniFile.h"
#include "support/FileBytes.h"
#include "support/FileSizeLimit.h"
#include "support/TempDir.h"

#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <sstream>
#include <sys/stat.h>

namespace {

TEST(IniText, WritesChangeOneKeyInPlaceAndKeepEveryOtherLine)
{
    const struct
    {
        const char* before;
        const char* section;
        const char* key;
        const char* value;
        const char* after;
    } cases[] = {
        {"", "General", "Euro", "89.5", "[General]\r\nEuro=89.5\r\n"},
        {"[General]\r\nEuro=1\r\nDBPath=x\r\n", "general", "EURO", "2",
         "[General]\r\nEURO=2\r\nDBPath=x\r\n"},
        {"; note\n[General]\nA=1\n\n[UserInfo]\nB=2\n", "General", "C", "3",
         "; note\r\n[General]\r\nA=1\r\nC=3\r\n\r\n[UserInfo]\r\nB=2\r\n"},
        {"[General]\r\nA=1\r\n", "UserInfo", "Company", "X",
         "[General]\r\nA=1\r\n\r\n[UserInfo]\r\nCompany=X\r\n"},
        {"  [ General ]  \r\n  Euro  =  5  \r\n", "General", "Euro", "6",
         "  [ General ]  \r\nEuro=6\r\n"},
        {"[Other]\r\nEuro=1\r\n[General]\r\n", "General", "Euro", "2",
         "[Other]\r\nEuro=1\r\n[General]\r\nEuro=2\r\n"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(IniText::WithValue(c.before, c.section, c.key, c.value), c.after) << c.before;
}

TEST(IniText, ReadsMatchIgnoringCaseAndBlanks)
{
    const std::string content = "[General]\r\n DBPath = /a b/c.db \r\n[UserInfo]\nCompany=\n";
    const struct
    {
        const char* section;
        const char* key;
        bool found;
        const char* value;
    } cases[] = {
        {"general", "dbpath", true, "/a b/c.db"},
        {"UserInfo", "Company", true, ""},
        {"UserInfo", "DBPath", false, ""},
        {"Missing", "DBPath", false, ""},
    };
    for (const auto& c : cases) {
        std::string value;
        EXPECT_EQ(IniText::FindValue(content, c.section, c.key, value), c.found) << c.key;
        EXPECT_EQ(value, c.value) << c.key;
    }
    std::string longValue;
    ASSERT_TRUE(IniText::FindValue("[S]\nK=" + std::string(3000, 'x') + "\n", "S", "K", longValue));
    EXPECT_EQ(longValue.size(), 2047u);
}

class IniFileTest : public ::testing::TestWithParam<char>
{
protected:
    TempDir dir;
    TFormatSettings Format() const
    {
        TFormatSettings format;
        format.DecimalSeparator = GetParam();
        return format;
    }
};

TEST_P(IniFileTest, TypedValuesRoundTripAndFallBackToDefaults)
{
    TIniFile ini(dir.File("settings.ini"));
    EXPECT_FALSE(std::filesystem::exists(ini.FileName())); // created by the first write
    EXPECT_EQ(ini.ReadString("General", "DBPath", "def"), "def");
    EXPECT_EQ(ini.ReadInteger("General", "Mode", 7), 7);
    EXPECT_TRUE(ini.ReadBool("General", "Remind", true));
    EXPECT_DOUBLE_EQ(ini.ReadFloat("General", "Euro", 0, Format()), 0);

    ini.WriteFloat("General", "Euro", 89.12, Format());
    ini.WriteInteger("General", "Mode", 2);
    ini.WriteBool("General", "Remind", false);
    ini.WriteString("UserInfo", "Company", "\xD0\xEE\xEC\xE0\xF8\xEA\xE0");

    EXPECT_DOUBLE_EQ(ini.ReadFloat("General", "Euro", 0, Format()), 89.12);
    EXPECT_EQ(ini.ReadInteger("General", "Mode", 1), 2);
    EXPECT_FALSE(ini.ReadBool("General", "Remind", true));
    EXPECT_EQ(ini.ReadString("userinfo", "company", ""), "\xD0\xEE\xEC\xE0\xF8\xEA\xE0");
    EXPECT_EQ(ReadFileBytes(ini.FileName()), std::string("[General]\r\nEuro=89") + GetParam() +
                                                 "12\r\nMode=2\r\nRemind=0\r\n\r\n[UserInfo]\r\n"
                                                 "Company=\xD0\xEE\xEC\xE0\xF8\xEA\xE0\r\n");
}

TEST_P(IniFileTest, GarbageValuesReadAsDefaults)
{
    WriteFileBytes(dir.File("u.ini"), "[General]\nMode=abc\nHex=0x10\nFlag=5\nBad=yes\nEuro=1.2.3\n"
                                      "Neg=-4\n");
    TIniFile ini(dir.File("u.ini"));
    EXPECT_EQ(ini.ReadInteger("General", "Mode", 1), 1);
    EXPECT_EQ(ini.ReadInteger("General", "Hex", 1), 16);
    EXPECT_TRUE(ini.ReadBool("General", "Flag", false));
    EXPECT_FALSE(ini.ReadBool("General", "Bad", false));
    EXPECT_TRUE(ini.ReadBool("General", "Bad", true));
    EXPECT_DOUBLE_EQ(ini.ReadFloat("General", "Euro", 3.5, Format()), 3.5);
    EXPECT_EQ(ini.ReadInteger("General", "Neg", 0), -4);
}

TEST_P(IniFileTest, AFullDiskRaisesAndKeepsTheFile)
{
    const auto file = dir.File("settings.ini");
    WriteFileBytes(file, "[General]\r\nEuro=1\r\n");
    TIniFile ini(file);
    try {
        const ScopedFileSizeLimit fullDisk(40);
        ini.WriteString("General", "DBPath", std::string(100, 'x'));
        ADD_FAILURE() << "write did not fail";
    } catch (const EIniFileException& e) {
        EXPECT_EQ(std::string(e.what()), "Unable to write to " + file.string());
    }
    EXPECT_EQ(ReadFileBytes(file), "[General]\r\nEuro=1\r\n");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.Path()), {}), 1)
        << "no temporary file is left behind";
}

TEST_P(IniFileTest, AWriteThatChangesNothingLeavesTheFileInPlace)
{
    const auto file = dir.File("settings.ini");
    const std::string content = std::string("[General]\r\nEuro=98") + GetParam() + "5\r\n";
    WriteFileBytes(file, content);
    const auto inode = [&] {
        struct stat status
        {};
        return ::stat(file.c_str(), &status) == 0 ? status.st_ino : 0;
    };
    const auto before = inode();
    TIniFile ini(file);
    ini.WriteFloat("General", "Euro", 98.5, Format());
    EXPECT_EQ(inode(), before); // not replaced
    ini.WriteFloat("General", "Euro", 99, Format());
    EXPECT_EQ(ReadFileBytes(file), "[General]\r\nEuro=99\r\n");
}

TEST_P(IniFileTest, AFileInPlaceOfTheFolderRefusesWrites)
{
    // A plain file where the folder should be: no write can succeed, whoever runs the test.
    WriteFileBytes(dir.File("blocker"), "x");
    EXPECT_THROW(TIniFile(dir.File("blocker") / "settings.ini"), EIniFileException);
    TIniFile ini(dir.File("blocker.ini"));
    std::filesystem::create_directory(dir.File("blocker.ini")); // the file name is a folder
    EXPECT_THROW(ini.WriteString("General", "Euro", "1"), EIniFileException);
    EXPECT_EQ(ini.ReadString("General", "Euro", "d"), "d");
}

TEST(IniFile, ALastLineWithoutLineBreakIsReadAndKept)
{
    TempDir dir;
    WriteFileBytes(dir.File("u.ini"), "[General]\r\nA=1\r\nLast=2");
    TIniFile ini(dir.File("u.ini"));
    EXPECT_EQ(ini.ReadString("General", "Last", ""), "2");
    ini.WriteString("General", "B", "3");
    EXPECT_EQ(ReadFileBytes(ini.FileName()), "[General]\r\nA=1\r\nLast=2\r\nB=3\r\n");
}

INSTANTIATE_TEST_SUITE_P(DotAndComma, IniFileTest, ::testing::Values('.', ','));

} // namespace
