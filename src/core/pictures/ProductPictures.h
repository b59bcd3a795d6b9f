#pragma once

#include "core/pictures/PictureCache.h"

#include <filesystem>
#include <string_view>
#include <vector>

// The files of a product's picture list (an Image field, Windows-1251) in the
// order the frame shows them: the first name, whatever it is, then every
// further name that is not empty. An empty list names no file.
std::vector<std::filesystem::path> ShownPictureFiles(std::string_view folder,
                                                     std::string_view list);

// The pictures of `files` at `box`, in the same order, each the picture or
// the error its file gave. Pictures held in `cache` are taken from it; the
// others are decoded, the first on this thread and the rest on helper
// threads, within one DecodeBudget::kProductBytes, and kept. A file named
// twice is decoded once. Every decoding has ended when this returns.
std::vector<ShownPicture> DecodeProductPictures(PictureCache& cache,
                                                const std::vector<std::filesystem::path>& files,
                                                QSize box);
