#include "core/order/OrderFile.h"

#include "core/order/OrderMessages.h"

#include <QFile>
#include <algorithm>
#include <bit>
#include <cstring>
#include <stdexcept>

// Records go to the file as they lie in memory.
static_assert(std::endian::native == std::endian::little);

namespace {

constexpr qint64 kCountSize = sizeof(int32_t);
constexpr qint64 kRecordSize = sizeof(OrderItem);

template <std::size_t Capacity> void ZeroPastLength(TCountedString<Capacity>& text)
{
    const std::size_t length = std::min<std::size_t>(text.Length, Capacity);
    std::fill(text.Chars.begin() + static_cast<std::ptrdiff_t>(length), text.Chars.end(), '\0');
}

// Clears the bytes that carry no meaning, so that equal orders give equal files.
void ZeroUnusedBytes(OrderItem& item)
{
    ZeroPastLength(item.SKU);
    ZeroPastLength(item.Name);
    ZeroPastLength(item.Image);
    item.Filler = 0;
}

// The first field whose length byte exceeds its capacity, as its name and capacity.
bool FindBadLength(const OrderItem& item, const char*& field, int& length, int& capacity)
{
    const auto check = [&](const auto& text, const char* name) {
        if (text.Length <= text.Chars.size())
            return false;
        field = name;
        length = text.Length;
        capacity = static_cast<int>(text.Chars.size());
        return true;
    };
    // Image holds up to 255 characters, so no length byte can exceed it.
    return check(item.SKU, OrderMessages::kFieldSKU) || check(item.Name, OrderMessages::kFieldName);
}

[[noreturn]] void ThrowDamaged(const std::filesystem::path& file, const QString& reason)
{
    throw OrderFileError(OrderMessages::kDamaged, file, reason);
}

} // namespace

std::string OrderFileContent(const std::vector<OrderItem>& items, int32_t count)
{
    if (count < 0 || static_cast<std::size_t>(count) > items.size())
        throw std::out_of_range("order line count out of range");
    std::string content(static_cast<std::size_t>(kCountSize + kRecordSize * count), '\0');
    std::memcpy(content.data(), &count, kCountSize);
    for (int32_t k = 0; k < count; ++k) {
        OrderItem record = items[static_cast<std::size_t>(k)];
        ZeroUnusedBytes(record);
        std::memcpy(content.data() + kCountSize + kRecordSize * k, &record, kRecordSize);
    }
    return content;
}

void WriteOrderFile(const std::filesystem::path& file, const std::vector<OrderItem>& items,
                    int32_t count)
{
    ReplaceFileContent(file, OrderFileContent(items, count), OrderMessages::kCannotSave);
}

std::vector<OrderItem> ReadOrderFile(const std::filesystem::path& file)
{
    QFile in(QFile::decodeName(file.c_str()));
    if (!in.open(QIODevice::ReadOnly))
        throw OrderFileError(OrderMessages::kCannotOpen, file, in.errorString());

    // The size is checked before anything is allocated, so a stray large
    // file or an absurd count costs nothing.
    const qint64 size = in.size();
    if (size < kCountSize)
        ThrowDamaged(file, QString::fromUtf8(OrderMessages::kTooShort).arg(size));
    int32_t count = 0;
    if (in.read(reinterpret_cast<char*>(&count), kCountSize) != kCountSize)
        throw OrderFileError(OrderMessages::kCannotRead, file, in.errorString());
    if (count < 0)
        ThrowDamaged(file, QString::fromUtf8(OrderMessages::kNegativeCount).arg(count));
    const qint64 expected = kCountSize + kRecordSize * count;
    if (size != expected)
        ThrowDamaged(
            file,
            QString::fromUtf8(OrderMessages::kSizeMismatch).arg(size).arg(count).arg(expected));

    std::vector<OrderItem> items(static_cast<std::size_t>(count));
    const qint64 recordBytes = kRecordSize * count;
    const qint64 got = in.read(reinterpret_cast<char*>(items.data()), recordBytes);
    if (got < 0)
        throw OrderFileError(OrderMessages::kCannotRead, file, in.errorString());
    if (got != recordBytes)
        throw OrderFileError(OrderMessages::kCannotRead, file,
                             QString::fromUtf8(OrderMessages::kShortRead));

    for (std::size_t k = 0; k < items.size(); ++k) {
        const char* field = nullptr;
        int length = 0;
        int capacity = 0;
        if (FindBadLength(items[k], field, length, capacity))
            ThrowDamaged(file, QString::fromUtf8(OrderMessages::kBadLength)
                                   .arg(k + 1)
                                   .arg(QString::fromUtf8(field))
                                   .arg(length)
                                   .arg(capacity));
        ZeroUnusedBytes(items[k]);
    }
    return items;
}
