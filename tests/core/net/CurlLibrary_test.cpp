#include "core/net/CurlLibrary.h"

#include "core/seams/HttpClient.h"

#include <gtest/gtest.h>

// The system's library resolves completely and its global set-up succeeds;
// a library that is not there is reported, not a crash.
TEST(CurlLibraryTest, LoadsTheSystemLibraryAndReportsAMissingOne)
{
    const CurlLoadResult system = LoadCurlLibrary("libcurl.so.4");
    EXPECT_EQ(system.error, "");
    EXPECT_NE(system.functions.easySetopt, nullptr);
    EXPECT_NE(system.functions.easyCleanup, nullptr);

    const CurlLoadResult missing = LoadCurlLibrary("libpelmora-absent.so.0");
    EXPECT_NE(missing.error.find("libpelmora-absent.so.0"), std::string::npos) << missing.error;
    EXPECT_EQ(missing.functions.easyInit, nullptr);
}

// Requests wait for the helper thread's load and share its result.
TEST(CurlLibraryTest, PreloadedFunctionsAreHandedToEveryCaller)
{
    PreloadCurlLibrary();
    const CurlFunctions& first = Curl();
    EXPECT_EQ(&first, &Curl());
    CURL* handle = first.easyInit();
    ASSERT_NE(handle, nullptr);
    EXPECT_EQ(first.easySetopt(handle, CURLOPT_TIMEOUT_MS, 1000L), CURLE_OK);
    first.easyCleanup(handle);
}
