// The update file (lastversion.txt) and the date-time reader behind it, on
// arbitrary text. Beyond not crashing: lines hold no break and join back to
// the same lines, every date-time read is a real one that reads back from its
// own text, and the verdict follows from the two lines as documented.
#include "FuzzSupport.h"

#include "core/net/UpdateCheck.h"
#include "core/text/DateTimeText.h"
#include "core/text/NumberFormat.h"

#include <QDateTime>
#include <array>
#include <cmath>
#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

namespace {

TFormatSettings Format(char dateSeparator, char timeSeparator, const char* order)
{
    TFormatSettings format;
    format.DateSeparator = dateSeparator;
    format.TimeSeparator = timeSeparator;
    format.DateOrder = order;
    return format;
}

// The date-time written back in the format's notation, four-digit year.
std::string Written(const QDateTime& value, const TFormatSettings& format)
{
    const QDate date = value.date();
    const QTime time = value.time();
    std::string text;
    for (char field : format.DateOrder) {
        if (!text.empty())
            text += format.DateSeparator;
        char number[16];
        if (field == 'Y')
            std::snprintf(number, sizeof number, "%04d", date.year());
        else
            std::snprintf(number, sizeof number, "%d", field == 'D' ? date.day() : date.month());
        text += number;
    }
    char clock[32];
    std::snprintf(clock, sizeof clock, " %d%c%02d%c%02d", time.hour(), format.TimeSeparator,
                  time.minute(), format.TimeSeparator, time.second());
    return text + clock;
}

void CheckDateTime(const std::string& line, const TFormatSettings& format)
{
    QDateTime value;
    if (!TryStrToDateTime(line, value, format))
        return;
    FUZZ_CHECK(value.isValid());
    FUZZ_CHECK(value.timeSpec() == Qt::UTC);
    FUZZ_CHECK(value.date().year() >= 1 && value.date().year() <= 9999);
    QDateTime again;
    FUZZ_CHECK(TryStrToDateTime(Written(value, format), again, format));
    FUZZ_CHECK(again == value);
}

std::vector<std::string> Lines(std::string_view text)
{
    std::vector<std::string> lines;
    for (std::string_view line; TakeLine(text, line);)
        lines.emplace_back(line);
    return lines;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size)
{
    static const std::array<TFormatSettings, 3> formats = {
        Format('.', ':', "DMY"), Format('/', ':', "MDY"), Format('-', '.', "YMD")};
    static const TFormatSettings dotFormat = MakeDotNumberFormat(formats[0]);
    const std::string_view text(reinterpret_cast<const char*>(data), size);

    const std::vector<std::string> lines = Lines(text);
    std::string joined;
    for (const std::string& line : lines) {
        FUZZ_CHECK(line.find_first_of("\r\n") == std::string::npos);
        joined += line + "\n";
    }
    FUZZ_CHECK(joined.size() <= size + 1);
    FUZZ_CHECK(Lines(joined) == lines);

    for (std::size_t i = 0; i < lines.size() && i < 4; ++i) {
        for (const TFormatSettings& format : formats)
            CheckDateTime(lines[i], format);
        const double version = ParseVersionNumber(lines[i], dotFormat);
        FUZZ_CHECK(version == -1 || std::isfinite(version));
    }

    // No catalogue loaded: the check always ends without a word.
    FUZZ_CHECK(!JudgeUpdates(text, "", dotFormat, formats[0]));

    const auto news = JudgeUpdates(text, "01.01.2000 12:00", dotFormat, formats[0]);
    FUZZ_CHECK(news.has_value() == (lines.size() >= 2));
    if (news) {
        const bool newProgram = ParseVersionNumber(lines[1], dotFormat) > 1.5;
        FUZZ_CHECK(newProgram == (*news == UpdateNews::NewProgram ||
                                  *news == UpdateNews::NewCatalogueAndProgram));
    }

    // A catalogue as new as the announced one is not newer.
    QDateTime announced;
    if (lines.size() >= 2 && TryStrToDateTime(lines[0], announced, formats[0])) {
        const auto same = JudgeUpdates(text, lines[0], dotFormat, formats[0]);
        FUZZ_CHECK(same && *same != UpdateNews::NewCatalogue &&
                   *same != UpdateNews::NewCatalogueAndProgram);
    }
    return 0;
}
