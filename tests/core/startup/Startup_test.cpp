#include "core/catalogue/Catalogue.h"
#include "core/catalogue/Prices.h"
#include "core/net/EuroRate.h"
#include "core/net/UpdateCheck.h"
#include "core/seams/Clock.h"
#include "core/settings/Settings.h"
#include "core/startup/Startup.h"
#include "support/FakeHttpClient.h"
#include "support/FakeInteraction.h"
#include "support/FileBytes.h"
#include "support/TempDir.h"
#include "support/TestCatalogue.h"

#include <gtest/gtest.h>

namespace {

class FixedClock : public IClock
{
public:
    QDateTime Now() const override { return QDateTime(QDate(2026, 12, 5), QTime(9, 30)); }
};

// Records the window's steps in the order the sequence takes them.
class RecordingWindow : public StartupWindow
{
public:
    std::vector<std::string> Steps;
    void applyPreviewMode(PreviewMode mode) override
    {
        Steps.push_back("mode " + std::to_string(static_cast<int>(mode)));
    }
    void showCustomerDetails(const CustomerDetails& details) override
    {
        Steps.push_back(details.UserInfoSpecified ? "details" : "no details");
    }
    void askCustomerDetails() override { Steps.push_back("ask details"); }
    void showCatalogue() override { Steps.push_back("catalogue"); }
    void catalogueReady() override { Steps.push_back("ready"); }
};

struct StartupTest : ::testing::Test
{
    StartupResult Run()
    {
        Startup startup(settings, prices, catalogue, {ui, http, clock}, format,
                        QStringLiteral("pelmora"));
        return startup.run(places, window);
    }

    TempDir dir;
    StartupPlaces places{dir.QPath(QStringLiteral("config")), dir.QPath(QStringLiteral("data")),
                         dir.QPath(QStringLiteral("home"))};
    TFormatSettings format{',', '.', ':', "DMY"};
    Settings settings{format};
    Prices prices;
    Catalogue catalogue;
    FakeInteraction ui;
    FakeHttpClient http;
    FixedClock clock;
    RecordingWindow window;
};

TEST_F(StartupTest, FirstStartTakesTheDefaultsAndAsksInOrder)
{
    WriteTestCatalogue(places.homeFolder + QStringLiteral("/PelmoraDB/telvarin.db"),
                       {Product("AB-1", "Ваза"), Product("CD-2", "Чаша")});
    http.Bodies[EuroRateUrl(clock.Now().date())] =
        "<table><tr><td>Евро</td><td>89,1234</td></tr></table>";
    http.Bodies[kLastVersionUrl] = "02.12.2026 10:00\r\n0.1\r\n";
    ui.MessageAnswers = {MessageAnswer::No}; // to the newer catalogue

    const StartupResult result = Run();

    EXPECT_EQ(result.outcome, StartupResult::Outcome::Completed);
    EXPECT_EQ(window.Steps, (std::vector<std::string>{"mode 1", "no details", "ask details",
                                                      "catalogue", "ready"}));
    ASSERT_EQ(ui.Messages.size(), 1u);
    EXPECT_TRUE(ui.Messages[0].Text.contains(QStringLiteral("каталога")));
    EXPECT_DOUBLE_EQ(prices.euroRate(), 89.12);
    EXPECT_DOUBLE_EQ(prices.priceFactor(), ExtendedProduct(89.12, 1.005));
    EXPECT_EQ(catalogue.count(), 2);
    EXPECT_EQ(catalogue.timeStamp(), "01.12.2026 10:00:00");
    // What the program asks ahead while its windows are built.
    EXPECT_EQ(http.Requests, StartupWebAddresses(clock.Now().date()));
    const std::string home = dir.File("home").string();
    EXPECT_EQ(ReadFileBytes(dir.File("config") / "Pelmora" / "settings.ini"),
              "[General]\r\nEuro=89,12\r\nEuroSource=CBR\r\nEuroDate=2026-12-05\r\nUpdatesURL=http:"
              "//www.pelmora.ru/kesta/\r\nDBPath=" +
                  home + "/PelmoraDB/telvarin.db\r\nDBImgPath=" + home + "/PelmoraDB/img/\r\n");
}

TEST_F(StartupTest, AnUnusableSettingsFolderEndsTheProgramAfterOneMessage)
{
    WriteFileBytes(dir.File("config"), "a file where the folder should be");

    const StartupResult result = Run();

    EXPECT_EQ(result.outcome, StartupResult::Outcome::EndProgram);
    ASSERT_EQ(ui.Messages.size(), 1u);
    EXPECT_EQ(ui.Messages[0].Text, QStringLiteral("Ошибка чтения файла конфигурации \r") +
                                       places.roamingFolder +
                                       QStringLiteral("/Pelmora/settings.ini"));
    EXPECT_EQ(ui.Messages[0].Style, 16);
    EXPECT_TRUE(window.Steps.empty());
    EXPECT_TRUE(http.Requests.empty());
}

} // namespace
