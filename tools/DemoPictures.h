#pragma once

#include <filesystem>
#include <string>
#include <vector>

// Writes `count` distinct JPEG pictures of varied sizes (a few of them
// 2000x1500, large enough for scaled decoding) into `folder` and returns
// their file names.
std::vector<std::string> WriteDemoPictures(const std::filesystem::path& folder, int count);
