#pragma once

#include "core/order/OrderFileError.h"
#include "core/order/OrderItem.h"

#include <cstdint>
#include <filesystem>
#include <vector>

// The .order file: the line count as a little-endian int32, then that many
// 416-byte OrderItem records in grid order. No header, no checksum.

// The order file dialogs (UTF-8): the open dialog's filter as
// "description|pattern", and the extension both dialogs add to a bare name.
inline constexpr char kOrderFileFilter[] = "Файлы заказов (*.order)|*.order";
inline constexpr char kOrderFileExtension[] = "order";

// The exact bytes of the file for the first `count` items. The text past each
// string's length and the filler are written as zeros whatever memory holds.
// Raises std::out_of_range when `count` is negative or exceeds the items.
std::string OrderFileContent(const std::vector<OrderItem>& items, int32_t count);

// Replaces `file` as a whole: a failure leaves the previous file as it was
// and raises EOrderFileError naming the file and the reason.
void WriteOrderFile(const std::filesystem::path& file, const std::vector<OrderItem>& items,
                    int32_t count);

// Reads and checks the whole file before returning anything: its size must be
// 4 + 416 * count with a count not below 0, and every length byte must be
// within its field's capacity. Otherwise raises EOrderFileError naming the
// file and what is wrong. Past a string's length the records come back zeroed,
// like the filler, since those bytes carry nothing.
std::vector<OrderItem> ReadOrderFile(const std::filesystem::path& file);
