#include "core/settings/RecentOrders.h"
#include "core/settings/Settings.h"
#include "support/FileBytes.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

namespace {

using Files = std::vector<std::string>;

TEST(RecentOrders, PutsTheFileFirstOnceAndKeepsTheNewest)
{
    const struct
    {
        Files before;
        std::string file;
        Files after;
    } cases[] = {
        {{}, "a", {"a"}},
        {{"a", "b"}, "c", {"c", "a", "b"}},
        {{"a", "b", "c"}, "c", {"c", "a", "b"}},
        {{"a", "b", "a"}, "a", {"a", "b"}},
        {{"a", "b", "c"}, "d", {"d", "a", "b"}}, // limit 3
        {{"a", "b", "c"}, "A", {"A", "a", "b"}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(WithRecentFile(c.before, c.file, 3), c.after) << c.file;
}

TEST(RecentOrders, KeepsTheListInSettingsIni)
{
    TempDir dir;
    Settings settings(TFormatSettings{});
    settings.open(dir.File("settings.ini"), dir.File("userinfo.ini"));
    RecentOrders recent(settings);
    for (int k = 1; k <= 12; ++k)
        EXPECT_TRUE(recent.add(dir.QPath(QStringLiteral("%1.order").arg(k))));
    EXPECT_TRUE(recent.add(dir.QPath(QStringLiteral("заказ.order"))));
    EXPECT_TRUE(recent.add(dir.QPath(QStringLiteral("5.order"))));
    // A name that settings.ini could not give back is not kept.
    EXPECT_FALSE(recent.add(dir.QPath(QStringLiteral("josé.order"))));

    const QStringList files = RecentOrders(settings).files();
    ASSERT_EQ(files.size(), 10);
    EXPECT_EQ(files[0], dir.QPath(QStringLiteral("5.order")));
    EXPECT_EQ(files[1], dir.QPath(QStringLiteral("заказ.order")));
    EXPECT_EQ(files[2], dir.QPath(QStringLiteral("12.order")));
    EXPECT_EQ(files[9], dir.QPath(QStringLiteral("4.order")));
    const std::string ini = ReadFileBytes(dir.File("settings.ini"));
    EXPECT_NE(ini.find("[RecentOrders]\r\nFile1=" + dir.Path().string() + "/5.order\r\nFile2="),
              std::string::npos);
    EXPECT_NE(ini.find("/\xE7\xE0\xEA\xE0\xE7.order"), std::string::npos); // Windows-1251

    recent.remove(files[1]);
    EXPECT_EQ(recent.files().size(), 9);
    EXPECT_EQ(recent.files()[1], dir.QPath(QStringLiteral("12.order")));
    recent.clear();
    EXPECT_TRUE(recent.files().isEmpty());
}

} // namespace
