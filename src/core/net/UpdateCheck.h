#pragma once

#include <QString>
#include <optional>
#include <string>
#include <string_view>

class IHttpClient;
class IUserInteraction;
struct TFormatSettings;

// The file on the maker's site that announces the latest catalogue (line 1,
// a date and time) and the latest program version (line 2).
inline constexpr char kLastVersionUrl[] = "http://www.pelmora.ru/kesta/lastversion.txt";

// Takes the next line off the front of `rest`. Lines are separated by CR LF,
// CR or LF; a break at the very end opens no further line, so "a\n" holds one
// line and "" none. False when no line is left. Only the lines asked for are
// looked at, so a huge file costs nothing beyond its own bytes.
bool TakeLine(std::string_view& rest, std::string_view& line);

// A version number with "." or "," as decimal separator, compared as a number
// (1.10 is below 1.5); -1 when the text is not a number.
double ParseVersionNumber(std::string_view text, const TFormatSettings& dotFormat);

// What the maker's file says compared with this installation.
enum class UpdateNews
{
    Nothing,
    NewCatalogue,
    NewProgram,
    NewCatalogueAndProgram
};

// Compares the file's lines with the program's version and the loaded
// catalogue's time stamp. Nothing (no value) when the check must end without
// a word: fewer than two lines, or a catalogue time stamp that cannot be read
// (no catalogue loaded). A first line that is not a date-time never counts as
// a newer catalogue.
std::optional<UpdateNews> JudgeUpdates(std::string_view lastVersionFile,
                                       std::string_view dbTimeStamp,
                                       const TFormatSettings& dotFormat,
                                       const TFormatSettings& systemFormat);

// The question that offers the updates page; empty for UpdateNews::Nothing.
QString UpdateQuestion(UpdateNews news);

// Only a web address is handed to the desktop: the updates address comes from
// a settings file that anyone may edit, and the shell would run a program or
// open a local file just as willingly.
bool IsWebAddress(const QString& url);

// Reads the maker's file and, when something newer exists, offers to open
// `updatesUrl` (Windows-1251 bytes, as stored in the settings). When nothing
// is newer, only a non-silent check says so. Every failure ends the check
// without a word; never raises.
void CheckForUpdates(bool silent, IHttpClient& http, IUserInteraction& ui,
                     const std::string& dbTimeStamp, const std::string& updatesUrl,
                     const TFormatSettings& dotFormat, const TFormatSettings& systemFormat);
