#include "core/order/XlsxLibrary.h"

#include <gtest/gtest.h>

// A library that is missing, or one that lacks the functions, is reported
// and never handed out half resolved.
TEST(XlsxLibraryTest, LoadsTheSystemLibraryAndReportsAMissingOrForeignOne)
{
    const struct
    {
        const char* Soname;
        const char* ErrorNames; // nullptr: no error
    } kCases[] = {
        {"libxlsxwriter.so.4", nullptr},
        {"libpelmora-absent.so.0", "libpelmora-absent.so.0"},
        {"libz.so.1", "workbook_new"},
    };
    for (const auto& c : kCases) {
        const XlsxLoadResult loaded = LoadXlsxLibrary(c.Soname);
        if (c.ErrorNames == nullptr) {
            EXPECT_EQ(loaded.error, "") << c.Soname;
            EXPECT_NE(loaded.functions.strerror, nullptr) << c.Soname;
        } else {
            EXPECT_NE(loaded.error.find(c.ErrorNames), std::string::npos) << loaded.error;
        }
    }
}
