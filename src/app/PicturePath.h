#pragma once

#include <string>
#include <string_view>

// Collapses doubled backslashes in one left-to-right pass (four become two),
// then turns every remaining backslash into "/".
std::string NormalisePicturePath(std::string_view path);

// The picture folder of a catalogue file: its folder followed by "img/".
std::string PictureFolderOf(std::string_view databasePath);
