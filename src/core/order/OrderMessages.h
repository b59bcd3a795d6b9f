#pragma once

// The user's texts about order files and order documents (UTF-8). In the
// file messages %1 is the file's path and %2 the reason; the reason texts
// take their own numbered values.
namespace OrderMessages {

inline constexpr char kCannotOpen[] = "Не удалось открыть файл заказа «%1»: %2";
inline constexpr char kCannotRead[] = "Не удалось прочитать файл заказа «%1»: %2";
inline constexpr char kDamaged[] = "Файл заказа «%1» повреждён: %2";
inline constexpr char kCannotSave[] = "Не удалось сохранить заказ в файл «%1»: %2";
inline constexpr char kCannotWriteDocument[] =
    "Не удалось записать документ заказа в файл «%1»: %2";

// Reasons of kDamaged.
inline constexpr char kTooShort[] = "размер файла в байтах: %1, а требуется не меньше 4";
inline constexpr char kNegativeCount[] = "отрицательное число строк заказа: %1";
inline constexpr char kSizeMismatch[] =
    "размер файла в байтах: %1, а для числа строк %2 требуется %3";
inline constexpr char kBadLength[] =
    "в строке %1 длина поля «%2» равна %3, а допускается не больше %4";
// Reason of kCannotRead when the file changed while it was read.
inline constexpr char kShortRead[] = "файл изменился во время чтения";

// A quantity the order cannot take: one the quantity dialog does not accept,
// or a merge that would go past the largest quantity. Captioned with the
// application title, with an OK button and no icon.
inline constexpr char kQuantityRefused[] = "Неверно указано количество товара";

// Field names in kBadLength.
inline constexpr char kFieldSKU[] = "Артикул";
inline constexpr char kFieldName[] = "Наименование";

} // namespace OrderMessages
