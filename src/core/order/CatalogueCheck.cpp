#include "core/order/CatalogueCheck.h"

#include "core/catalogue/ArticleCodeIndex.h"
#include "core/order/OrderHistory.h"
#include "core/text/Cp1251.h"
#include "core/text/NumberFormat.h"

namespace {

// The product of exactly the line's code; a code that matches only without
// regard to case names another product.
const CatalogueEntry* ProductOf(const OrderItem& line, const ArticleCodeIndex& catalogue)
{
    const ArticleCodeIndex::Match match = catalogue.find(line.SKU.View());
    if (!match.product || match.product->SKU.View() != line.SKU.View())
        return nullptr;
    return match.product;
}

struct Values
{
    double price;
    int32_t minQuantity;
    int32_t packing;
    std::string_view name;
    double volume;
    double weight;
};

template <typename Record> Values ValuesOf(const Record& record)
{
    return {record.Price,       record.MinQuantity, record.Packing,
            record.Name.View(), record.Volume,      record.Weight};
}

std::vector<FieldChange> Changes(const Values& before, const Values& after, double priceFactor,
                                 const TFormatSettings& format)
{
    std::vector<FieldChange> changes;
    const auto money = [&](double euros) {
        return FormatMoney(ExtendedProduct(euros, priceFactor), format);
    };
    // Piece volumes are thousandths of a cubic metre.
    const auto cubicMetres = [&](double volume) {
        return FloatToStr(volume / 1000, format);
    };
    if (before.price != after.price)
        changes.push_back({CatalogueField::Price, money(before.price), money(after.price)});
    if (before.minQuantity != after.minQuantity)
        changes.push_back({CatalogueField::MinQuantity, std::to_string(before.minQuantity),
                           std::to_string(after.minQuantity)});
    if (before.packing != after.packing)
        changes.push_back({CatalogueField::Packing, std::to_string(before.packing),
                           std::to_string(after.packing)});
    if (before.name != after.name)
        changes.push_back(
            {CatalogueField::Name, std::string(before.name), std::string(after.name)});
    if (before.volume != after.volume)
        changes.push_back(
            {CatalogueField::Volume, cubicMetres(before.volume), cubicMetres(after.volume)});
    if (before.weight != after.weight)
        changes.push_back({CatalogueField::Weight, FloatToStr(before.weight, format),
                           FloatToStr(after.weight, format)});
    return changes;
}

bool Differs(const OrderItem& line, const CatalogueEntry& product)
{
    const Values a = ValuesOf(line);
    const Values b = ValuesOf(product);
    return a.price != b.price || a.minQuantity != b.minQuantity || a.packing != b.packing ||
           a.name != b.name || a.volume != b.volume || a.weight != b.weight;
}

} // namespace

const char* CatalogueFieldCaption(CatalogueField field)
{
    switch (field) {
    case CatalogueField::Price:
        return "Цена, руб.";
    case CatalogueField::MinQuantity:
        return "Мин. кол-во";
    case CatalogueField::Packing:
        return "Кол-во в коробке";
    case CatalogueField::Name:
        return "Наименование";
    case CatalogueField::Volume:
        return "Объём, м³";
    case CatalogueField::Weight:
        return "Вес, кг";
    }
    return "";
}

std::vector<LineDifference> CompareWithCatalogue(std::span<const OrderItem> lines,
                                                 const ArticleCodeIndex& catalogue,
                                                 double priceFactor, const TFormatSettings& format)
{
    std::vector<LineDifference> differences;
    for (std::size_t k = 0; k < lines.size(); ++k) {
        const OrderItem& line = lines[k];
        LineDifference difference;
        difference.line = static_cast<int32_t>(k);
        difference.sku = line.SKU.Str();
        difference.quantity = line.Quantity;
        const CatalogueEntry* product = ProductOf(line, catalogue);
        if (!product) {
            difference.missing = true;
        } else if (Differs(line, *product)) {
            difference.changes = Changes(ValuesOf(line), ValuesOf(*product), priceFactor, format);
            difference.newMinimum = product->MinQuantity;
            difference.belowMinimum = line.Quantity < product->MinQuantity;
        } else {
            continue;
        }
        differences.push_back(std::move(difference));
    }
    return differences;
}

bool UpdateFromCatalogue(OrderHistory& history, const ArticleCodeIndex& catalogue)
{
    bool updated = false;
    history.record(Cp("обновление из каталога"), [&](Order& order) {
        for (int32_t k = 0; k < order.lineCount(); ++k) {
            const OrderItem& line = *order.line(k);
            const CatalogueEntry* product = ProductOf(line, catalogue);
            if (!product || !Differs(line, *product))
                continue;
            OrderItem renewed = OrderItem::FromEntry(*product, line.Quantity);
            renewed.Number = line.Number;
            order.replaceLines(k, 1, {&renewed, 1});
            updated = true;
        }
    });
    return updated;
}
