#include "core/net/UpdateCheck.h"

#include "core/Version.h"
#include "core/seams/HttpClient.h"
#include "core/seams/Interaction.h"
#include "core/text/Cp1251.h"
#include "core/text/DateTimeText.h"
#include "core/text/NumberFormat.h"

#include <QDateTime>
#include <QUrl>
#include <algorithm>

bool TakeLine(std::string_view& rest, std::string_view& line)
{
    if (rest.empty())
        return false;
    const std::size_t end = rest.find_first_of("\r\n");
    if (end == std::string_view::npos) {
        line = rest;
        rest = {};
        return true;
    }
    line = rest.substr(0, end);
    const bool crLf = rest[end] == '\r' && end + 1 < rest.size() && rest[end + 1] == '\n';
    rest.remove_prefix(end + (crLf ? 2 : 1));
    return true;
}

double ParseVersionNumber(std::string_view text, const TFormatSettings& dotFormat)
{
    std::string number(text);
    std::replace(number.begin(), number.end(), ',', '.');
    double value = 0;
    return TryStrToFloat(number, value, dotFormat) ? value : -1;
}

std::optional<UpdateNews> JudgeUpdates(std::string_view lastVersionFile,
                                       std::string_view dbTimeStamp,
                                       const TFormatSettings& dotFormat,
                                       const TFormatSettings& systemFormat)
{
    std::string_view rest = lastVersionFile;
    std::string_view stampLine;
    std::string_view versionLine;
    if (!TakeLine(rest, stampLine) || !TakeLine(rest, versionLine))
        return std::nullopt;

    const double remoteVersion = ParseVersionNumber(versionLine, dotFormat);
    const bool newProgram = ParseVersionNumber(kProgramVersion, dotFormat) < remoteVersion;

    QDateTime localStamp;
    if (!TryStrToDateTime(dbTimeStamp, localStamp, systemFormat))
        return std::nullopt;
    QDateTime remoteStamp;
    const bool newCatalogue =
        TryStrToDateTime(stampLine, remoteStamp, systemFormat) && remoteStamp > localStamp;

    if (newCatalogue && newProgram)
        return UpdateNews::NewCatalogueAndProgram;
    if (newProgram)
        return UpdateNews::NewProgram;
    if (newCatalogue)
        return UpdateNews::NewCatalogue;
    return UpdateNews::Nothing;
}

QString UpdateQuestion(UpdateNews news)
{
    switch (news) {
    case UpdateNews::NewCatalogueAndProgram:
        return QStringLiteral(
            "Обнаружены новые версии каталога товаров и программы. Открыть страницу обновлений?");
    case UpdateNews::NewProgram:
        return QStringLiteral("Обнаружена новая версия программы. Открыть страницу обновлений?");
    case UpdateNews::NewCatalogue:
        return QStringLiteral(
            "Обнаружена новая версия каталога товаров. Открыть страницу обновлений?");
    case UpdateNews::Nothing:
        break;
    }
    return {};
}

bool IsWebAddress(const QString& url)
{
    const QUrl parsed(url, QUrl::StrictMode);
    const QString scheme = parsed.scheme().toLower();
    return parsed.isValid() && (scheme == u"http" || scheme == u"https") &&
           !parsed.host().isEmpty();
}

void CheckForUpdates(bool silent, IHttpClient& http, IUserInteraction& ui,
                     const std::string& dbTimeStamp, const std::string& updatesUrl,
                     const TFormatSettings& dotFormat, const TFormatSettings& systemFormat)
{
    try {
        const std::optional<UpdateNews> news =
            JudgeUpdates(http.Get(kLastVersionUrl), dbTimeStamp, dotFormat, systemFormat);
        if (!news)
            return;
        if (*news == UpdateNews::Nothing) {
            if (!silent)
                ui.MessageBox(
                    QStringLiteral("Вы используете последние версии программы и каталога."),
                    QStringLiteral("Проверка обновлений"), MessageButtons::Ok,
                    MessageIcon::Information);
            return;
        }
        const MessageAnswer answer =
            ui.MessageBox(UpdateQuestion(*news), QStringLiteral("Информация"),
                          MessageButtons::YesNoCancel, MessageIcon::Question);
        const QString url = FromCp1251(updatesUrl);
        if (answer == MessageAnswer::Yes && IsWebAddress(url))
            ui.ShellOpen(url);
    } catch (...) {
        // The check is a courtesy: a site that cannot be reached or a file
        // that makes no sense is no reason to trouble the user.
    }
}
