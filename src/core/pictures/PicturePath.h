#pragma once

#include <string>
#include <string_view>

// Collapses doubled backslashes in one left-to-right pass (four become two),
// then turns every remaining backslash into "/".
std::string NormalisePicturePath(std::string_view path);

// The picture folder of a catalogue file: its folder followed by "img/". On
// Linux only "/" separates folders and a backslash is a letter of a name
// (/home/u/a\b/cat.db gives /home/u/a\b/img/); on Windows both separate
// and the result is normalised (D:\Data\cat.db gives D:/Data/img/).
std::string PictureFolderOf(std::string_view databasePath);

// The file of a picture named in a catalogue: the folder as it is, followed
// by the name normalised, since the catalogue's names come from Windows,
// where their backslashes separate folders.
std::string PictureFile(std::string_view folder, std::string_view name);
