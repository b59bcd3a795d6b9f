#include "core/order/OrderFile.h"
#include "core/text/Cp1251.h"
#include "core/text/SystemErrorText.h"
#include "support/FileBytes.h"
#include "support/FileSizeLimit.h"
#include "support/TempDir.h"

#include <cerrno>
#include <csignal>
#include <cstring>
#include <fstream>
#include <gtest/gtest.h>
#include <sstream>
#include <sys/resource.h>

namespace {

template <typename T> void PutAt(std::string& bytes, std::size_t offset, T value)
{
    std::memcpy(bytes.data() + offset, &value, sizeof value);
}

template <typename T> T GetAt(const std::string& bytes, std::size_t offset)
{
    T value{};
    std::memcpy(&value, bytes.data() + offset, sizeof value);
    return value;
}

OrderItem Line(const std::string& sku, const std::string& name, double price, int32_t quantity)
{
    OrderItem item;
    item.Number = 7;
    item.SKU.Assign(sku);
    item.Name.Assign(name);
    item.Price = price;
    item.MinQuantity = 10;
    item.Packing = 40;
    item.Volume = 2.4;
    item.Weight = 0.125;
    item.Image.Assign("ab1.jpg;ab1_2.jpg");
    item.Quantity = quantity;
    return item;
}

std::string Count(int32_t count)
{
    std::string bytes(4, '\0');
    PutAt(bytes, 0, count);
    return bytes;
}

TEST(OrderFileContent, LaysOutRecordsToTheByte)
{
    std::vector<OrderItem> items = {Line("AB-1", std::string(100, 'N'), 1.25, 3),
                                    Line("CD-22", Cp("Ваза"), 10, 1), Line("EF-333", "", 0, 5)};
    // Bytes that mean nothing must never reach the file, whatever memory holds.
    items[0].SKU.Chars[9] = 'x';
    items[1].Filler = -1;
    items.push_back(Line("NOT-SAVED", "", 1, 1));

    const std::string bytes = OrderFileContent(items, 3);
    ASSERT_EQ(bytes.size(), 1252u);
    EXPECT_EQ(GetAt<int32_t>(bytes, 0), 3);

    EXPECT_EQ(GetAt<int32_t>(bytes, 4), 7);
    EXPECT_EQ(bytes.substr(4 + 4, 15), std::string("\x04"
                                                   "AB-1") +
                                           std::string(10, '\0'));
    EXPECT_EQ(bytes.substr(4 + 19, 101), "\x64" + std::string(100, 'N'));
    EXPECT_EQ(GetAt<double>(bytes, 4 + 120), 1.25);
    EXPECT_EQ(GetAt<int32_t>(bytes, 4 + 128), 10);
    EXPECT_EQ(GetAt<int32_t>(bytes, 4 + 132), 40);
    EXPECT_EQ(GetAt<double>(bytes, 4 + 136), 2.4);
    EXPECT_EQ(GetAt<double>(bytes, 4 + 144), 0.125);
    EXPECT_EQ(bytes.substr(4 + 152, 18), "\x11"
                                         "ab1.jpg;ab1_2.jpg");
    EXPECT_EQ(bytes.substr(4 + 170, 238), std::string(238, '\0'));
    EXPECT_EQ(GetAt<int32_t>(bytes, 4 + 408), 3);

    const std::size_t second = 4 + 416;
    EXPECT_EQ(bytes.substr(second + 19, 5), "\x04" + Cp("Ваза"));
    EXPECT_EQ(GetAt<int32_t>(bytes, second + 412), 0);
    EXPECT_EQ(bytes.substr(4 + 2 * 416 + 4, 7), "\x06"
                                                "EF-333");

    EXPECT_EQ(OrderFileContent(items, 0), Count(0));
    EXPECT_THROW(OrderFileContent(items, 5), std::out_of_range);
    EXPECT_THROW(OrderFileContent(items, -1), std::out_of_range);
}

TEST(OrderFile, RoundTripKeepsEveryByte)
{
    TempDir dir;
    const auto file = dir.File(Cp1251ToUtf8(Cp("заказ.order")));
    const std::vector<OrderItem> items = {Line("AB-1", Cp("Кружка <синяя>"), 1.25, 3),
                                          Line("B", std::string(100, 'z'), 1e-3, 100),
                                          Line(std::string(14, 'S'), "", 99999.99, 1)};
    WriteOrderFile(file, items, 3);
    const std::string written = ReadFileBytes(file);
    EXPECT_EQ(written, OrderFileContent(items, 3));

    const std::vector<OrderItem> read = ReadOrderFile(file);
    ASSERT_EQ(read.size(), 3u);
    for (std::size_t k = 0; k < read.size(); ++k) {
        EXPECT_EQ(read[k].SKU.View(), items[k].SKU.View());
        EXPECT_EQ(read[k].Name.View(), items[k].Name.View());
        EXPECT_EQ(read[k].Price, items[k].Price);
        EXPECT_EQ(read[k].Quantity, items[k].Quantity);
    }
    WriteOrderFile(file, read, 3);
    EXPECT_EQ(ReadFileBytes(file), written);

    WriteOrderFile(file, items, 0);
    EXPECT_EQ(ReadFileBytes(file), Count(0));
    EXPECT_TRUE(ReadOrderFile(file).empty());
}

TEST(OrderFile, ReadsAHandMadeFileAndDropsMeaninglessBytes)
{
    std::string bytes = Count(1) + std::string(416, '\xEE');
    PutAt<int32_t>(bytes, 4, 12);
    bytes.replace(4 + 4, 4,
                  "\x03"
                  "X-1");
    bytes[4 + 19] = '\0';
    PutAt<double>(bytes, 4 + 120, 3.5);
    PutAt<int32_t>(bytes, 4 + 128, 6);
    PutAt<int32_t>(bytes, 4 + 132, 24);
    PutAt<double>(bytes, 4 + 136, 0.75);
    PutAt<double>(bytes, 4 + 144, 1.5);
    bytes.replace(4 + 152, 6,
                  "\x05"
                  "a.jpg");
    PutAt<int32_t>(bytes, 4 + 408, 18);

    TempDir dir;
    WriteFileBytes(dir.File("hand.order"), bytes);
    const std::vector<OrderItem> items = ReadOrderFile(dir.File("hand.order"));
    ASSERT_EQ(items.size(), 1u);
    const OrderItem& item = items[0];
    EXPECT_EQ(item.Number, 12);
    EXPECT_EQ(item.SKU.View(), "X-1");
    EXPECT_EQ(item.Name.View(), "");
    EXPECT_EQ(item.Price, 3.5);
    EXPECT_EQ(item.MinQuantity, 6);
    EXPECT_EQ(item.Packing, 24);
    EXPECT_EQ(item.Volume, 0.75);
    EXPECT_EQ(item.Weight, 1.5);
    EXPECT_EQ(item.Image.View(), "a.jpg");
    EXPECT_EQ(item.Quantity, 18);

    // Saved again, the garbage the other writer left is gone.
    const std::string resaved = OrderFileContent(items, 1);
    EXPECT_EQ(resaved.substr(4 + 4, 15), std::string("\x03"
                                                     "X-1") +
                                             std::string(11, '\0'));
    EXPECT_EQ(resaved.substr(4 + 19, 101), std::string(101, '\0'));
    EXPECT_EQ(GetAt<int32_t>(resaved, 4 + 412), 0);
}

TEST(OrderFile, RejectsDamagedFilesWhole)
{
    const std::string good = OrderFileContent({Line("AB-1", "Name", 1, 1)}, 1);
    std::string longSku = good;
    longSku[4 + 4] = 15;
    std::string longName = good + good.substr(4);
    PutAt<int32_t>(longName, 0, 2);
    longName[4 + 416 + 19] = static_cast<char>(101);

    const struct
    {
        std::string content;
        const char* reason; // UTF-8
    } cases[] = {
        {"", "размер файла в байтах: 0, а требуется не меньше 4"},
        {std::string("\x01\x00\x00", 3), "размер файла в байтах: 3, а требуется не меньше 4"},
        {good.substr(0, 419), "размер файла в байтах: 419, а для числа строк 1 требуется 420"},
        {good + '\0', "размер файла в байтах: 421, а для числа строк 1 требуется 420"},
        {Count(0) + good.substr(4), "размер файла в байтах: 420, а для числа строк 0 требуется 4"},
        {Count(-1), "отрицательное число строк заказа: -1"},
        {Count(0x7FFFFFFF), "размер файла в байтах: 4, а для числа строк 2147483647 требуется "
                            "893353197156"},
        {longSku, "в строке 1 длина поля «Артикул» равна 15, а допускается не больше 14"},
        {longName, "в строке 2 длина поля «Наименование» равна 101, а допускается не больше 100"},
    };
    TempDir dir;
    const auto file = dir.File("bad.order");
    for (const auto& c : cases) {
        WriteFileBytes(file, c.content);
        std::vector<OrderItem> current = {Line("KEEP", "", 1, 1)};
        try {
            current = ReadOrderFile(file);
            ADD_FAILURE() << c.reason;
        } catch (const EOrderFileError& error) {
            EXPECT_EQ(error.what(),
                      Cp("Файл заказа «") + file.string() + Cp("» повреждён: ") + Cp(c.reason));
        }
        ASSERT_EQ(current.size(), 1u);
        EXPECT_EQ(current[0].SKU.View(), "KEEP");
    }
}

TEST(OrderFile, FileThatCannotBeOpenedNamesItself)
{
    TempDir dir;
    for (const auto& file : {dir.File(Cp1251ToUtf8(Cp("нет.order"))), dir.Path()}) {
        try {
            ReadOrderFile(file);
            ADD_FAILURE() << file;
        } catch (const EOrderFileError& error) {
            const std::string prefix =
                Cp("Не удалось открыть файл заказа «") + Utf8ToCp1251(file.string()) + Cp("»: ");
            EXPECT_EQ(std::string(error.what()).substr(0, prefix.size()), prefix);
            EXPECT_GT(std::strlen(error.what()), prefix.size()) << "the system's reason";
        }
    }
}

TEST(OrderFile, FailedWriteKeepsThePreviousFile)
{
    TempDir dir;
    const std::vector<OrderItem> items = {Line("A", "", 1, 1), Line("B", "", 1, 1)};

    // The target is a folder, or its folder is a file.
    std::filesystem::create_directory(dir.File("folder.order"));
    WriteFileBytes(dir.File("folder.order") / "inside", "kept");
    WriteFileBytes(dir.File("plain"), "kept");
    for (const auto& target : {dir.File("folder.order"), dir.File("plain") / "x.order"}) {
        try {
            WriteOrderFile(target, items, 2);
            ADD_FAILURE() << target;
        } catch (const EOrderFileError& error) {
            EXPECT_NE(std::string(error.what()).find(target.string()), std::string::npos);
            EXPECT_EQ(std::string(error.what()).rfind(Cp("Не удалось сохранить заказ в файл «"), 0),
                      0u);
        }
    }
    EXPECT_EQ(ReadFileBytes(dir.File("folder.order") / "inside"), "kept");
    EXPECT_EQ(ReadFileBytes(dir.File("plain")), "kept");

    // The disk runs full half way through: the old order stays intact.
    const auto file = dir.File("old.order");
    WriteOrderFile(file, items, 1);
    const std::string before = ReadFileBytes(file);
    {
        std::string message;
        {
            const ScopedFileSizeLimit fullDisk(500);
            try {
                WriteOrderFile(file, items, 2);
            } catch (const EOrderFileError& error) {
                message = error.what();
            }
        }
        // The system's reason arrives in the locale's UTF-8.
        EXPECT_EQ(message, Cp("Не удалось сохранить заказ в файл «") + file.string() + Cp("»: ") +
                               SystemErrorText(EFBIG));
    }
    EXPECT_EQ(ReadFileBytes(file), before);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.Path()), {}), 3)
        << "no temporary file is left behind";
}

} // namespace
