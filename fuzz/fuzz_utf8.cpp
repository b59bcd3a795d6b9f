// The UTF-8 to Windows-1251 decoder against a plain reference decoder written
// from the UTF-8 definition: same verdict on every input, same bytes for valid
// ones, and every Windows-1251 text survives the trip through UTF-8 unchanged.
#include "FuzzSupport.h"

#include "core/text/Cp1251.h"

#include <map>
#include <optional>
#include <string>
#include <vector>

namespace {

// Code points of well-formed UTF-8 (Unicode's table of well-formed byte
// sequences), or nothing for any ill-formed input.
std::optional<std::vector<char32_t>> ReferenceDecode(std::string_view text)
{
    std::vector<char32_t> points;
    std::size_t i = 0;
    const auto byte = [&](std::size_t k) {
        return static_cast<unsigned char>(text[k]);
    };
    const auto in = [](unsigned char b, unsigned lo, unsigned hi) {
        return b >= lo && b <= hi;
    };
    while (i < text.size()) {
        const unsigned char b0 = byte(i);
        std::size_t length = 0;
        unsigned lo = 0x80, hi = 0xBF; // range of the second byte
        if (b0 <= 0x7F) {
            length = 1;
        } else if (in(b0, 0xC2, 0xDF)) {
            length = 2;
        } else if (in(b0, 0xE0, 0xEF)) {
            length = 3;
            lo = b0 == 0xE0 ? 0xA0 : 0x80; // no overlong forms
            hi = b0 == 0xED ? 0x9F : 0xBF; // no surrogates
        } else if (in(b0, 0xF0, 0xF4)) {
            length = 4;
            lo = b0 == 0xF0 ? 0x90 : 0x80; // no overlong forms
            hi = b0 == 0xF4 ? 0x8F : 0xBF; // nothing past U+10FFFF
        } else {
            return std::nullopt;
        }
        if (i + length > text.size())
            return std::nullopt;
        if (length > 1 && !in(byte(i + 1), lo, hi))
            return std::nullopt;
        for (std::size_t k = 2; k < length; ++k) {
            if (!in(byte(i + k), 0x80, 0xBF))
                return std::nullopt;
        }
        char32_t point = length == 1 ? b0 : b0 & (0xFF >> (length + 1));
        for (std::size_t k = 1; k < length; ++k)
            point = (point << 6) | (byte(i + k) & 0x3F);
        points.push_back(point);
        i += length;
    }
    return points;
}

// Each code point the code page has, with its byte, learnt from the other direction.
std::map<char32_t, char> CodePageBytes()
{
    std::map<char32_t, char> bytes;
    for (int b = 0; b < 256; ++b) {
        const std::string one(1, static_cast<char>(b));
        const auto points = ReferenceDecode(Cp1251ToUtf8(one));
        FUZZ_CHECK(points && points->size() == 1);
        FUZZ_CHECK(bytes.emplace(points->front(), static_cast<char>(b)).second);
    }
    return bytes;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size)
{
    static const std::map<char32_t, char> codePage = CodePageBytes();
    const std::string_view text(reinterpret_cast<const char*>(data), size);

    bool ok = false;
    const std::string decoded = Utf8ToCp1251(text, &ok);
    const auto points = ReferenceDecode(text);
    FUZZ_CHECK(ok == points.has_value());
    if (!ok) {
        FUZZ_CHECK(decoded.empty());
    } else {
        std::string expected;
        for (char32_t point : *points) {
            const auto found = codePage.find(point);
            expected += found != codePage.end() ? found->second : '?';
        }
        FUZZ_CHECK(decoded == expected);
    }

    // The same bytes taken as Windows-1251 text come back unchanged.
    bool back = false;
    FUZZ_CHECK(Utf8ToCp1251(Cp1251ToUtf8(text), &back) == text);
    FUZZ_CHECK(back);
    return 0;
}
