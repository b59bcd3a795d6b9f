#pragma once

#include <cstdint>

// How many picture frames the main window shows: the selected product's
// alone, or above the selected order line's. The values are those
// userinfo.ini keeps.
enum class PreviewMode : uint8_t
{
    OnePicture = 1,
    TwoPictures = 2,
};
