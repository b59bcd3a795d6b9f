#pragma once

#include <string>
#include <string_view>

// The contents of a text file that may be written in UTF-8 or in
// Windows-1251, as Windows-1251 bytes. Russian text in Windows-1251 is
// practically never valid UTF-8 (its letters are bytes above 0x7F that
// seldom pair up as UTF-8 sequences), so valid UTF-8 is taken as UTF-8,
// a leading byte-order mark dropped, and anything else as Windows-1251.
// Characters without a Windows-1251 code become "?".
std::string TextFileToCp1251(std::string_view bytes);
