#include "app/Cp1251.h"
#include "app/SystemErrorText.h"
#include "order/OrderFile.h"
#include "support/TempDir.h"
#include "windows/JpegDecoder.h"

#include <QRegularExpression>
#include <clocale>
#include <cstring>
#include <filesystem>
#include <functional>
#include <gtest/gtest.h>
#include <system_error>

namespace {

// The users' locale for one test: the C library then describes errors in
// Russian, in UTF-8.
class RussianLocale
{
public:
    RussianLocale() : m_saved(std::setlocale(LC_ALL, nullptr))
    {
        m_active = std::setlocale(LC_ALL, "ru_RU.UTF-8") != nullptr;
    }
    ~RussianLocale() { std::setlocale(LC_ALL, m_saved.c_str()); }
    RussianLocale(const RussianLocale&) = delete;
    RussianLocale& operator=(const RussianLocale&) = delete;

    bool Active() const { return m_active; }

private:
    std::string m_saved;
    bool m_active = false;
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
TEST(SystemErrorText, MessagesCarryTheSystemReasonReadably)
{
    const RussianLocale russian;
    ASSERT_TRUE(russian.Active()) << "the locale ru_RU.UTF-8 is not generated";
    const QString noSuchFile = QString::fromUtf8(std::strerror(ENOENT));
    ASSERT_TRUE(noSuchFile.contains(QRegularExpression(QStringLiteral("[А-Яа-я]"))))
        << "the C library's Russian messages are not installed: " << std::strerror(ENOENT);

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
        {"order saved into a missing folder",
         [&] { WriteOrderFile(dir.File("нет/заказ.order"), {}, 0); }, ENOENT},
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

TEST(SystemErrorText, TextsOutsideTheLocaleEncodingStayReadable)
{
    const RussianLocale russian;
    ASSERT_TRUE(russian.Active());
    EXPECT_EQ(LocaleTextToCp1251("Ошибка: файл «а»"), Cp("Ошибка: файл «а»"));
    EXPECT_EQ(LocaleTextToCp1251("a\xFF"
                                 "b"),
              "a?b");                            // not UTF-8
    EXPECT_EQ(LocaleTextToCp1251("日本"), "??"); // no Windows-1251 code
}

} // namespace
