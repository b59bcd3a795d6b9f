#pragma once

#include <cstdio>
#include <filesystem>
#include <functional>
#include <stdexcept>
#include <vector>

#include <jpeglib.h>

// Writes test pictures with libjpeg's compressor, so that every colour space
// the decoder meets can be made, CMYK included.
struct TestJpeg
{
    int Width = 64;
    int Height = 48;
    J_COLOR_SPACE Space = JCS_RGB; // JCS_RGB, JCS_GRAYSCALE or JCS_CMYK
    bool AdobeMarker = true;       // only for CMYK
    bool Progressive = false;
    // The samples of one pixel, as many as the colour space has components.
    std::function<std::vector<JSAMPLE>(int x, int y)> Pixel = [](int x, int y) {
        return std::vector<JSAMPLE>{JSAMPLE(x * 4), JSAMPLE(y * 4), JSAMPLE(128)};
    };

    void Write(const std::filesystem::path& file) const
    {
        std::FILE* out = std::fopen(file.c_str(), "wb");
        if (!out)
            throw std::runtime_error("cannot create " + file.string());
        jpeg_compress_struct cinfo;
        jpeg_error_mgr err;
        cinfo.err = jpeg_std_error(&err);
        jpeg_create_compress(&cinfo);
        jpeg_stdio_dest(&cinfo, out);
        cinfo.image_width = JDIMENSION(Width);
        cinfo.image_height = JDIMENSION(Height);
        cinfo.input_components = Space == JCS_GRAYSCALE ? 1 : Space == JCS_CMYK ? 4 : 3;
        cinfo.in_color_space = Space;
        jpeg_set_defaults(&cinfo);
        jpeg_set_quality(&cinfo, 95, TRUE);
        if (Space == JCS_CMYK)
            cinfo.write_Adobe_marker = AdobeMarker;
        if (Progressive)
            jpeg_simple_progression(&cinfo);
        jpeg_start_compress(&cinfo, TRUE);
        std::vector<JSAMPLE> row(std::size_t(Width) * std::size_t(cinfo.input_components));
        for (int y = 0; y < Height; ++y) {
            for (int x = 0; x < Width; ++x) {
                const auto samples = Pixel(x, y);
                std::copy(samples.begin(), samples.end(),
                          row.begin() + std::ptrdiff_t(x * cinfo.input_components));
            }
            JSAMPROW rowPointer = row.data();
            jpeg_write_scanlines(&cinfo, &rowPointer, 1);
        }
        jpeg_finish_compress(&cinfo);
        jpeg_destroy_compress(&cinfo);
        std::fclose(out);
    }
};
