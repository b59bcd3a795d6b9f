#pragma once

#include "core/order/OrderItem.h"

#include <string_view>
#include <vector>

// The first of the first `count` entries whose article code contains `text`,
// Latin letters compared without regard to case (other characters exactly);
// -1 when none does or `text` is empty. Runs on every keystroke of the
// search box, so it compares in place without copying a code.
int FindArticle(const std::vector<CatalogueEntry>& entries, int count, std::string_view text);
