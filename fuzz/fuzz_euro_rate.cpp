// The rates page reader on arbitrary bodies: a rate is either exactly 0 (none)
// or a positive finite number already rounded to hundredths, and a body that
// is not UTF-8 has none.
#include "FuzzSupport.h"

#include "core/net/EuroRate.h"
#include "core/text/Cp1251.h"
#include "core/text/NumberFormat.h"

#include <cmath>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size)
{
    static const TFormatSettings dotFormat = MakeDotNumberFormat(TFormatSettings{});
    const std::string body(reinterpret_cast<const char*>(data), size);

    const double rate = ParseEuroRatePage(body, dotFormat);
    FUZZ_CHECK(rate == 0 || (rate > 0 && std::isfinite(rate)));
    // Rounding a rounded rate changes nothing (for sizes where hundredths
    // are still representable).
    if (rate != 0 && rate < 1e9)
        FUZZ_CHECK(RoundToHundredths(rate) == rate);

    bool utf8 = false;
    Utf8ToCp1251(body, &utf8);
    if (!utf8)
        FUZZ_CHECK(rate == 0);
    return 0;
}
