#include "core/pictures/PictureList.h"

namespace {

bool IsBlank(char c)
{
    const auto code = static_cast<unsigned char>(c);
    return code >= 1 && code <= 32;
}

} // namespace

std::vector<std::string> SplitPictureList(std::string_view list)
{
    std::vector<std::string> items;
    std::size_t i = 0;
    const std::size_t n = list.size();
    const auto skipBlanks = [&] {
        while (i < n && IsBlank(list[i]))
            ++i;
    };

    skipBlanks();
    while (i < n) {
        std::string item;
        if (list[i] == '"') {
            ++i;
            while (i < n) {
                if (list[i] == '"') {
                    if (i + 1 < n && list[i + 1] == '"') {
                        item += '"';
                        i += 2;
                        continue;
                    }
                    ++i;
                    break;
                }
                item += list[i++];
            }
        } else {
            while (i < n && list[i] != ';' && !IsBlank(list[i]))
                item += list[i++];
        }
        items.push_back(std::move(item));

        skipBlanks();
        if (i < n && list[i] == ';') {
            if (i + 1 == n)
                items.emplace_back();
            ++i;
            skipBlanks();
        }
    }
    return items;
}
