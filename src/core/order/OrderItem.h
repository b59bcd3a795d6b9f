#pragma once

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <type_traits>
#include <vector>

// A fixed-capacity string: one length byte, then up to Capacity characters
// (Windows-1251). The bytes past the text mean nothing; this program keeps
// them zero, so records compare and store byte for byte.
template <std::size_t Capacity> struct TCountedString
{
    static_assert(Capacity <= 255);
    uint8_t Length = 0;
    std::array<char, Capacity> Chars{};

    // Longer texts are cut to the capacity.
    void Assign(std::string_view text)
    {
        const std::size_t n = std::min(text.size(), Capacity);
        Chars.fill('\0');
        std::copy_n(text.data(), n, Chars.data());
        Length = static_cast<uint8_t>(n);
    }
    std::string_view View() const
    {
        return {Chars.data(), std::min<std::size_t>(Length, Capacity)};
    }
    std::string Str() const { return std::string(View()); }
    bool Empty() const { return Length == 0; }
};

// One product of the catalogue as loaded. Its layout is that of the first
// 408 bytes of TOrderItem, so an order line is made by copying it.
struct CatalogueEntry
{
    int32_t Number = 0; // 1-based position in this load
    TCountedString<14> SKU;
    TCountedString<100> Name;
    double Price = 0; // euros
    int32_t MinQuantity = 0;
    int32_t Packing = 0;       // pieces per box
    double Volume = 0;         // thousandths of a cubic metre per piece
    double Weight = 0;         // kilograms per piece
    TCountedString<255> Image; // picture names separated by ";", the first one the main picture
};

// One order line: the product's nine fields and the quantity. The record is
// also the record of the .order file, so its layout is fixed to the byte.
struct OrderItem
{
    int32_t Number = 0;
    TCountedString<14> SKU;
    TCountedString<100> Name;
    double Price = 0;
    int32_t MinQuantity = 0;
    int32_t Packing = 0;
    double Volume = 0;
    double Weight = 0;
    TCountedString<255> Image;
    int32_t Quantity = 0;
    int32_t Filler = 0; // keeps the record a multiple of 8 bytes; always zero

    static OrderItem FromEntry(const CatalogueEntry& entry, int32_t quantity)
    {
        OrderItem item;
        item.Number = entry.Number;
        item.SKU = entry.SKU;
        item.Name = entry.Name;
        item.Price = entry.Price;
        item.MinQuantity = entry.MinQuantity;
        item.Packing = entry.Packing;
        item.Volume = entry.Volume;
        item.Weight = entry.Weight;
        item.Image = entry.Image;
        item.Quantity = quantity;
        return item;
    }
};

static_assert(std::is_trivially_copyable_v<OrderItem>);
static_assert(sizeof(OrderItem) == 416);
static_assert(offsetof(OrderItem, Number) == 0);
static_assert(offsetof(OrderItem, SKU) == 4);
static_assert(offsetof(OrderItem, Name) == 19);
static_assert(offsetof(OrderItem, Price) == 120);
static_assert(offsetof(OrderItem, MinQuantity) == 128);
static_assert(offsetof(OrderItem, Packing) == 132);
static_assert(offsetof(OrderItem, Volume) == 136);
static_assert(offsetof(OrderItem, Weight) == 144);
static_assert(offsetof(OrderItem, Image) == 152);
static_assert(offsetof(OrderItem, Quantity) == 408);
static_assert(sizeof(CatalogueEntry) >= 408);
static_assert(offsetof(CatalogueEntry, Image) == offsetof(OrderItem, Image));
static_assert(offsetof(CatalogueEntry, Weight) == offsetof(OrderItem, Weight));
