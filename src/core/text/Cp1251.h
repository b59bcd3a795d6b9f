#pragma once

#include <QString>
#include <string>
#include <string_view>

// Every text of the program (catalogue, files, settings) is held as
// Windows-1251 bytes; widgets and the file system speak Unicode. These
// functions are the only crossing between the two.

// A character without a Windows-1251 code becomes "?".
std::string ToCp1251(const QString& text);
QString FromCp1251(std::string_view bytes);

std::string Cp1251ToUtf8(std::string_view bytes);

// Malformed UTF-8 anywhere in the input makes `ok` false and the result empty.
std::string Utf8ToCp1251(std::string_view utf8, bool* ok = nullptr);

// Russian literals in the source are UTF-8; this gives their Windows-1251 bytes.
inline std::string Cp(std::string_view utf8Literal)
{
    return Utf8ToCp1251(utf8Literal);
}
