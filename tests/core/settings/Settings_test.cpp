#include "core/settings/Settings.h"
#include "support/FileBytes.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

namespace {

TFormatSettings CommaFormat()
{
    TFormatSettings format;
    format.DecimalSeparator = ',';
    return format;
}

TEST(Settings, ValuesRoundTripThroughBothFiles)
{
    TempDir dir;
    CustomerDetails customer;
    customer.UserInfoSpecified = true;
    customer.Company = "\xD0\xEE\xE3\xE0"; // Cyrillic, as kept in the file
    customer.TIN = "7701";
    customer.Phones = "+7 495";
    customer.ContactPerson = "Ivanov";
    customer.Email = "a@b.ru";
    customer.CompanyType = 2;
    {
        Settings settings(CommaFormat());
        settings.open(dir.File("settings.ini"), dir.File("userinfo.ini"));
        EXPECT_EQ(settings.previewMode(), PreviewMode::OnePicture);
        EXPECT_TRUE(settings.customerDetails().RemindOnStartup);
        EXPECT_FALSE(settings.customerDetails().UserInfoSpecified);
        settings.storeEuroRate(89.12);
        settings.storeDatabasePath("/d/cat.db");
        settings.storePictureFolder("/d/img/");
        settings.storeUpdatesUrl("http://x/");
        settings.storePreviewMode(PreviewMode::TwoPictures);
        settings.storeCustomerDetails(customer);
    }
    Settings settings(CommaFormat());
    settings.open(dir.File("settings.ini"), dir.File("userinfo.ini"));
    EXPECT_DOUBLE_EQ(settings.storedEuroRate(), 89.12);
    EXPECT_EQ(settings.databasePath(), "/d/cat.db");
    EXPECT_EQ(settings.pictureFolder(), "/d/img/");
    EXPECT_EQ(settings.updatesUrl(), "http://x/");
    EXPECT_EQ(settings.previewMode(), PreviewMode::TwoPictures);
    const CustomerDetails read = settings.customerDetails();
    EXPECT_EQ(read.Company, customer.Company);
    EXPECT_EQ(read.Email, customer.Email);
    EXPECT_EQ(read.CompanyType, 2);
    EXPECT_FALSE(read.RemindOnStartup);
    EXPECT_EQ(ReadFileBytes(dir.File("settings.ini")),
              "[General]\r\nEuro=89,12\r\nDBPath=/d/cat.db\r\nDBImgPath=/d/img/\r\n"
              "UpdatesURL=http://x/\r\n");

    // Withdrawn details keep their texts in the file but are not read.
    settings.storeCustomerDetails({});
    TIniFile(dir.File("userinfo.ini")).WriteInteger("General", "ImgPreviewMode", 7);
    EXPECT_TRUE(settings.customerDetails().Company.empty());
    EXPECT_EQ(settings.previewMode(), PreviewMode::OnePicture);
}

TEST(Settings, NamesTheFileThatCannotBeUsed)
{
    TempDir dir;
    Settings settings(CommaFormat());
    try {
        settings.open(dir.File("settings.ini"), dir.File("missing") / "userinfo.ini");
        ADD_FAILURE() << "no error";
    } catch (const ESettingsFileUnusable& error) {
        EXPECT_EQ(error.file(), dir.File("missing") / "userinfo.ini");
    }
    EXPECT_FALSE(settings.isOpen());
}

TEST(Settings, KeepsTheRateOriginBesideTheRate)
{
    TempDir dir;
    Settings settings(CommaFormat());
    settings.open(dir.File("settings.ini"), dir.File("userinfo.ini"));
    EXPECT_EQ(settings.storedEuroRateOrigin(), EuroRateOrigin{});
    const EuroRateOrigin origin{EuroRateSource::Manual, QDate(2026, 12, 8)};
    settings.storeEuroRateOrigin(origin);
    EXPECT_EQ(settings.storedEuroRateOrigin(), origin);
    EXPECT_EQ(ReadFileBytes(dir.File("settings.ini")),
              "[General]\r\nEuroSource=Manual\r\nEuroDate=2026-12-08\r\n");
}

} // namespace
