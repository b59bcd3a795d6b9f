#pragma once

#include <string>
#include <string_view>

// The application title: the program file's name up to its first ".", the
// first character kept and the rest lower-cased ("PELMORA.EXE" gives "Pelmora",
// "pelmora" stays "pelmora").
std::string ApplicationTitle(std::string_view programFileName);

// The text of the general error box: the message with a full stop appended
// when its last character has a code above that of ".".
std::string ErrorBoxText(std::string_view message);
