#include "core/order/OrderFile.h"
#include "core/pictures/JpegDecoder.h"
#include "core/text/Cp1251.h"
#include "core/text/SystemErrorText.h"
#include "support/TempDir.h"

#include <QRegularExpression>
#include <clocale>
#include <cstring>
#include <filesystem>
#include <functional>
#include <gtest/gtest.h>
#include <system_error>

namespace {

// Under the users' locale the C library describes errors in Russian, in UTF-8.
class RussianSystemMessages : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_NE(std::setlocale(LC_ALL, "ru_RU.UTF-8"), nullptr) << "ru_RU.UTF-8 is not generated";
    }
    void TearDown() override { std::setlocale(LC_ALL, m_saved.c_str()); }

private:
    std::string m_saved = std::setlocale(LC_ALL, nullptr);
};

std::string MessageOf(const std::function<void()>& action)
{
    try {
        action();
    } catch (const std::exception& error) {
        return ExceptionText(error);
    }
    return "no error";
}

// Every message that carries a system error, as the user sees it (the
// Windows-1251 text shown through the code page), holds the system's reason
// as the system wrote it, in Russian.
TEST_F(RussianSystemMessages, MessagesCarryTheSystemReasonReadably)
{
    ASSERT_TRUE(QString::fromUtf8(std::strerror(ENOENT))
                    .contains(QRegularExpression(QStringLiteral("[А-Яа-я]"))))
        << "the C library's Russian messages are not installed";

    TempDir dir;
    const std::filesystem::path missing = dir.File("нет.jpg");
    const struct
    {
        const char* what;
        std::function<void()> action;
        int errorNumber;
    } cases[] = {
        {"missing picture", [&] { DecodeJpeg(missing); }, ENOENT},
        {"folder as picture", [&] { DecodeJpeg(dir.Path()); }, EISDIR},
        {"missing order file", [&] { ReadOrderFile(missing); }, ENOENT},
        {"order into a missing folder", [&] { WriteOrderFile(dir.File("x/y.order"), {}, 0); },
         ENOENT},
        {"file system error", [&] { (void)std::filesystem::file_size(missing); }, ENOENT},
        {"system error", [] { throw std::system_error(EACCES, std::generic_category()); }, EACCES},
    };
    for (const auto& c : cases) {
        const QString shown = FromCp1251(MessageOf(c.action));
        const QString reason = QString::fromUtf8(std::strerror(c.errorNumber));
        EXPECT_TRUE(shown.contains(reason)) << c.what << ": " << shown.toStdString();
        EXPECT_EQ(ToCp1251(reason), SystemErrorText(c.errorNumber)) << c.what;
    }
}

TEST_F(RussianSystemMessages, TextsOutsideTheLocaleEncodingStayReadable)
{
    EXPECT_EQ(LocaleTextToCp1251("a\xFF"
                                 "b"),
              "a?b");                            // not UTF-8
    EXPECT_EQ(LocaleTextToCp1251("日本"), "??"); // no Windows-1251 code
}

} // namespace
