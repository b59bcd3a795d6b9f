// The picture-list splitter on arbitrary Image fields. Unquoted names hold no
// separator; and the names, each written back in double quotes and joined by
// ";", split into the same names again.
#include "FuzzSupport.h"

#include "core/pictures/PictureList.h"

#include <string>

namespace {

bool IsBlank(char c)
{
    const auto code = static_cast<unsigned char>(c);
    return code >= 1 && code <= 32;
}

std::string Quoted(const std::string& name)
{
    std::string text = "\"";
    for (char c : name) {
        if (c == '"')
            text += '"';
        text += c;
    }
    return text + "\"";
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size)
{
    const std::string_view list(reinterpret_cast<const char*>(data), size);
    const std::vector<std::string> names = SplitPictureList(list);
    FUZZ_CHECK(names.size() <= size + 1);

    std::size_t total = 0;
    std::string joined;
    for (const std::string& name : names) {
        total += name.size();
        if (!joined.empty())
            joined += ';';
        joined += Quoted(name);
    }
    FUZZ_CHECK(total <= size);
    if (list.find('"') == std::string_view::npos) {
        for (const std::string& name : names) {
            for (char c : name)
                FUZZ_CHECK(c != ';' && !IsBlank(c));
        }
    }
    FUZZ_CHECK(SplitPictureList(joined) == names);
    return 0;
}
