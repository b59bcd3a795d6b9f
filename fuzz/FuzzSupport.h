#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <string_view>

// Helpers shared by the fuzz targets.

// A file of the given name in a folder of this process's own under TMPDIR,
// created on first use and removed when the process ends normally.
std::filesystem::path ScratchFile(std::string_view name);

// Replaces `file` with exactly these bytes; aborts when that fails, since a
// target that cannot set up its input tests nothing.
void WriteScratchFile(const std::filesystem::path& file, const uint8_t* data, std::size_t size);

// A broken invariant is a finding like a crash: say which and abort, so that
// libFuzzer keeps the input.
[[noreturn]] void FuzzFailure(const char* condition, const char* file, int line);

#define FUZZ_CHECK(condition)                                                                      \
    do {                                                                                           \
        if (!(condition))                                                                          \
            FuzzFailure(#condition, __FILE__, __LINE__);                                           \
    } while (false)
