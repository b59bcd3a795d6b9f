#pragma once

#include <QString>
#include <exception>
#include <string>
#include <string_view>

// The C library writes its error descriptions in the language and encoding
// of the process's locale (Russian UTF-8 under ru_RU.UTF-8), while every
// message of the program is Windows-1251. These functions are where the
// system's texts cross over; a character without a Windows-1251 code
// becomes "?".

// A text in the encoding of the process's locale (LC_CTYPE).
std::string LocaleTextToCp1251(std::string_view text);

// The system's description of an errno value (strerror).
std::string SystemErrorText(int errorNumber);

// What an exception says, in Windows-1251: the standard library's system
// errors (std::system_error, std::filesystem::filesystem_error) carry the
// system's text; the program's own exceptions already speak Windows-1251.
std::string ExceptionText(const std::exception& error);

// A reason from QFileDevice::errorString(). Qt gives the system's text for
// most errors but names four common ones in English itself ("No such file or
// directory", "Permission denied", "Too many open files", "No space left on
// device"); those become the system's text as well.
QString FileErrorReason(const QString& qtErrorString);
