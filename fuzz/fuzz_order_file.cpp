// The .order file reader on arbitrary files: it either refuses the file or
// returns records that store back to a file of the same size and read back
// the same.
#include "FuzzSupport.h"

#include "core/order/OrderFile.h"

#include <cstring>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size)
{
    static const std::filesystem::path file = ScratchFile("input.order");
    static const std::filesystem::path again = ScratchFile("again.order");
    WriteScratchFile(file, data, size);

    std::vector<OrderItem> items;
    try {
        items = ReadOrderFile(file);
    } catch (const EOrderFileError&) {
        return 0;
    }

    const auto count = static_cast<int32_t>(items.size());
    FUZZ_CHECK(size == 4 + sizeof(OrderItem) * items.size());
    int32_t storedCount = 0;
    std::memcpy(&storedCount, data, sizeof storedCount);
    FUZZ_CHECK(storedCount == count);

    for (std::size_t k = 0; k < items.size(); ++k) {
        const OrderItem& item = items[k];
        const uint8_t* record = data + 4 + sizeof(OrderItem) * k;
        // Every meaningful byte comes from the file; the rest is zero.
        FUZZ_CHECK(std::memcmp(&item.Number, record, 4) == 0);
        FUZZ_CHECK(item.SKU.Length <= 14 && item.Name.Length <= 100);
        FUZZ_CHECK(std::memcmp(&item.SKU, record + 4, 1 + item.SKU.Length) == 0);
        FUZZ_CHECK(std::memcmp(&item.Name, record + 19, 1 + item.Name.Length) == 0);
        FUZZ_CHECK(std::memcmp(&item.Price, record + 120, 32) == 0);
        FUZZ_CHECK(std::memcmp(&item.Image, record + 152, 1u + item.Image.Length) == 0);
        FUZZ_CHECK(std::memcmp(&item.Quantity, record + 408, 4) == 0);
        FUZZ_CHECK(item.Filler == 0);
    }

    const std::string content = OrderFileContent(items, count);
    FUZZ_CHECK(content.size() == size);
    WriteOrderFile(again, items, count);
    const std::vector<OrderItem> reread = ReadOrderFile(again);
    FUZZ_CHECK(OrderFileContent(reread, count) == content);
    return 0;
}
