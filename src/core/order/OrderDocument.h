#pragma once

#include "core/order/CustomerDetails.h"
#include "core/order/OrderFileError.h"
#include "core/order/OrderItem.h"
#include "core/order/OrderTotals.h"
#include "core/text/NumberFormat.h"

#include <QDateTime>
#include <QString>
#include <filesystem>
#include <span>
#include <string>
#include <string_view>

// The printable HTML order document: the date, the customer, one table row
// per order line, the totals and the euro rate used. Windows-1251 text, every
// line ending in CR LF, no byte-order mark.

// The document's save dialog filter (UTF-8), "description|pattern".
inline constexpr char kOrderDocumentFilter[] = "HTML файлы (*.html)|*.html";

// The chosen path with ".html" appended unless it already holds ".htm"
// somewhere (letter case counts): "заказ" -> "заказ.html", "заказ.htm" stays,
// "заказ.HTM" -> "заказ.HTM.html".
QString OrderDocumentPath(const QString& chosenPath);

// "dd.mm.yyyy  hh:nn:ss" with the locale's time separator, 24-hour clock.
std::string OrderDateStamp(const QDateTime& moment, const TFormatSettings& format);

// The whole document, 16 + lines.size() lines. Prices are the euro prices
// times `priceFactor` in the money format; every value taken from the order
// or the customer is HTML-escaped, so it prints as written.
std::string OrderDocumentText(std::span<const OrderItem> lines, double priceFactor,
                              const OrderTotalTexts& totals, const CustomerDetails& customer,
                              const QDateTime& moment, const TFormatSettings& format);

// Replaces `file` with the document as a whole; a failure leaves the previous
// file as it was and raises EOrderFileError naming the file and the reason.
void WriteOrderDocument(const std::filesystem::path& file, std::string_view documentText);
