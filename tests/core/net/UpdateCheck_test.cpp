#include "core/net/UpdateCheck.h"

#include "core/text/Cp1251.h"
#include "core/text/NumberFormat.h"
#include "support/AddressSpaceLimit.h"
#include "support/FakeHttpClient.h"
#include "support/FakeInteraction.h"

#include <gtest/gtest.h>

namespace {

const TFormatSettings kSystem{',', '.', ':', "DMY"};
const TFormatSettings kDot = MakeDotNumberFormat(kSystem);
const char kStamp[] = "01.02.2026 10:00";
const char kUpdatesUrl[] = "http://www.pelmora.ru/kesta/";

TEST(LastVersionFile, SplitsAtEveryKindOfLineBreak)
{
    using Lines = std::vector<std::string>;
    const struct
    {
        const char* text;
        Lines expected;
    } cases[] = {
        {"", {}},
        {"a", {"a"}},
        {"a\r\nb\r\n", {"a", "b"}},
        {"a\rb\nc", {"a", "b", "c"}},
        {"a\n\nb", {"a", "", "b"}},
        {"a\n\r", {"a", ""}},
        {"\r\n\r\n", {"", ""}},
    };
    for (const auto& c : cases) {
        Lines lines;
        std::string_view rest = c.text;
        for (std::string_view line; TakeLine(rest, line);)
            lines.emplace_back(line);
        EXPECT_EQ(lines, c.expected) << c.text;
    }
}

TEST(LastVersionFile, AFileOfLineBreaksIsReadWithinAFewTimesItsSize)
{
    if (!ScopedAddressSpaceLimit::kAvailable)
        GTEST_SKIP() << "no address-space limit under AddressSanitizer";
    const std::size_t size = 16 << 20;
    for (const char* lineBreak : {"\n", "\r\n"}) {
        std::string file = "02.02.2026\r\n1.6";
        while (file.size() < size)
            file += lineBreak;
        std::optional<UpdateNews> news;
        {
            const ScopedAddressSpaceLimit bound(4 * size);
            EXPECT_NO_THROW(news = JudgeUpdates(file, kStamp, kDot, kSystem));
        }
        EXPECT_EQ(news, UpdateNews::NewCatalogueAndProgram);
    }
}

TEST(LastVersionFile, VersionIsADecimalNumber)
{
    const struct
    {
        const char* text;
        double expected;
    } cases[] = {
        {"1.5", 1.5}, {"1,6", 1.6}, {" 2 ", 2},    {"1.10", 1.1},
        {"abc", -1},  {"", -1},     {"1.2.3", -1}, {"v1.6", -1},
    };
    for (const auto& c : cases)
        EXPECT_DOUBLE_EQ(ParseVersionNumber(c.text, kDot), c.expected) << c.text;
}

TEST(LastVersionFile, JudgesProgramAndCatalogue)
{
    using News = UpdateNews;
    const struct
    {
        const char* file;
        const char* dbTimeStamp;
        std::optional<News> expected;
    } cases[] = {
        {"01.02.2026 10:00\r\n1,6\r\n", kStamp, News::NewProgram},
        {"01.02.2026 10:00\n1.6", kStamp, News::NewProgram},
        {"01.02.2026 10:00\r1.5", kStamp, News::Nothing},
        {"01.02.2026 10:00\n1.10", kStamp, News::Nothing},
        {"01.02.2026 10:00\n\n", kStamp, News::Nothing},
        {"01.02.2026 10:01\r\n1.5", kStamp, News::NewCatalogue},
        {"02.02.2026\nnot a number", kStamp, News::NewCatalogue},
        {"02.02.2026\n1.5\n9.9", kStamp, News::NewCatalogue},
        {"02.02.2026\n1,6", kStamp, News::NewCatalogueAndProgram},
        {"31.01.2026 23:59\n1.5", kStamp, News::Nothing},
        {"yesterday\n1.5", kStamp, News::Nothing},
        {"31.02.2026\n1.6", kStamp, News::NewProgram},
        // The check ends without a word.
        {"02.02.2026 10:00", kStamp, std::nullopt},
        {"02.02.2026 10:00\r\n", kStamp, std::nullopt},
        {"", kStamp, std::nullopt},
        {"02.02.2026\n1.6", "", std::nullopt},
        {"02.02.2026\n1.6", "2026-02-01", std::nullopt},
    };
    for (const auto& c : cases)
        EXPECT_EQ(JudgeUpdates(c.file, c.dbTimeStamp, kDot, kSystem), c.expected)
            << c.file << " / " << c.dbTimeStamp;
}

struct Check
{
    // No file: the site cannot be reached.
    explicit Check(const std::optional<std::string>& file)
    {
        if (file)
            Http.Bodies[kLastVersionUrl] = *file;
    }

    void Run(bool silent, const std::string& dbTimeStamp = kStamp,
             const std::string& updatesUrl = kUpdatesUrl)
    {
        CheckForUpdates(silent, Http, Ui, dbTimeStamp, updatesUrl, kDot, kSystem);
    }

    FakeHttpClient Http;
    FakeInteraction Ui;
};

TEST(CheckForUpdates, OffersTheUpdatesPageAndOpensItOnlyOnYes)
{
    const struct
    {
        MessageAnswer answer;
        QStringList opened;
    } cases[] = {
        {MessageAnswer::Yes, {QString::fromUtf8(kUpdatesUrl)}},
        {MessageAnswer::No, {}},
        {MessageAnswer::Cancel, {}},
    };
    for (const bool silent : {true, false}) {
        for (const auto& c : cases) {
            Check check("02.02.2026 10:00\r\n1.6\r\n");
            check.Ui.MessageAnswers = {c.answer};
            check.Run(silent);

            EXPECT_EQ(check.Http.Requests, std::vector<std::string>{kLastVersionUrl});
            ASSERT_EQ(check.Ui.Messages.size(), 1u);
            EXPECT_EQ(check.Ui.Messages[0].Text,
                      QString::fromUtf8("Обнаружены новые версии каталога товаров и программы. "
                                        "Открыть страницу обновлений?"));
            EXPECT_EQ(check.Ui.Messages[0].Caption, QString::fromUtf8("Информация"));
            EXPECT_EQ(check.Ui.Messages[0].Style, 35);
            EXPECT_EQ(check.Ui.OpenedUrls, c.opened);
        }
    }
}

TEST(CheckForUpdates, NamesWhatIsNew)
{
    const struct
    {
        const char* file;
        const char* text;
    } cases[] = {
        {"01.02.2026 10:00\n1.6",
         "Обнаружена новая версия программы. Открыть страницу обновлений?"},
        {"01.02.2026 10:01\n1.5",
         "Обнаружена новая версия каталога товаров. Открыть страницу обновлений?"},
    };
    for (const auto& c : cases) {
        Check check(c.file);
        check.Ui.MessageAnswers = {MessageAnswer::No};
        check.Run(true);
        ASSERT_EQ(check.Ui.Messages.size(), 1u) << c.file;
        EXPECT_EQ(check.Ui.Messages[0].Text, QString::fromUtf8(c.text));
    }
}

TEST(CheckForUpdates, UpToDateIsSaidOnlyWhenAskedFromTheMenu)
{
    Check fromMenu("01.02.2026 10:00\n1.5");
    fromMenu.Run(false);
    ASSERT_EQ(fromMenu.Ui.Messages.size(), 1u);
    EXPECT_EQ(fromMenu.Ui.Messages[0].Text,
              QString::fromUtf8("Вы используете последние версии программы и каталога."));
    EXPECT_EQ(fromMenu.Ui.Messages[0].Caption, QString::fromUtf8("Проверка обновлений"));
    EXPECT_EQ(fromMenu.Ui.Messages[0].Style, 64);

    Check atStart("01.02.2026 10:00\n1.5");
    atStart.Run(true);
    EXPECT_TRUE(atStart.Ui.Messages.empty());
}

TEST(CheckForUpdates, FailuresAreSilentEvenFromTheMenu)
{
    const struct
    {
        std::optional<std::string> file;
        const char* dbTimeStamp;
    } cases[] = {
        {std::nullopt, kStamp},            // the site cannot be reached
        {"02.02.2026 10:00", kStamp},      // no second line
        {"02.02.2026 10:00\n1.6", ""},     // no catalogue loaded
        {"02.02.2026 10:00\n1.6", "junk"}, // a time stamp that cannot be read
    };
    for (const auto& c : cases) {
        Check check(c.file);
        check.Run(false, c.dbTimeStamp);
        EXPECT_TRUE(check.Ui.Messages.empty()) << c.file.value_or("(no file)");
        EXPECT_TRUE(check.Ui.OpenedUrls.empty());
    }
}

TEST(CheckForUpdates, HandsOnlyWebAddressesToTheDesktop)
{
    const struct
    {
        std::string updatesUrl;
        bool opened;
    } cases[] = {
        {"https://www.pelmora.ru/kesta/", true},
        {"HTTP://www.pelmora.ru/kesta/", true},
        {"http://www.pelmora.ru/" + Cp("обновления") + "/", true},
        {"file:///etc/passwd", false},
        {"/usr/bin/xterm", false},
        {"C:\\Windows\\System32\\cmd.exe", false},
        {"javascript:alert(1)", false},
        {"ftp://www.pelmora.ru/kesta/", false},
        {"http://", false},
        {"", false},
    };
    for (const auto& c : cases) {
        Check check("02.02.2026 10:00\n1.5");
        check.Ui.MessageAnswers = {MessageAnswer::Yes};
        check.Run(true, kStamp, c.updatesUrl);
        ASSERT_EQ(check.Ui.Messages.size(), 1u);
        EXPECT_EQ(check.Ui.OpenedUrls,
                  c.opened ? QStringList{FromCp1251(c.updatesUrl)} : QStringList{})
            << c.updatesUrl;
    }
}

} // namespace
