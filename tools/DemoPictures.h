#pragma once

#include "DemoProducts.h"

#include <filesystem>
#include <vector>

// Draws each picture (its motif on a soft backdrop, in colours and a size
// chosen by its variant; one in seven is 2000 x 1500, large enough for
// scaled decoding) and writes it into `folder` as a JPEG file.
void WriteDemoPictures(const std::filesystem::path& folder,
                       const std::vector<DemoPicture>& pictures);
