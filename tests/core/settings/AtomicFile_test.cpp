#include "core/settings/AtomicFile.h"
#include "support/FileBytes.h"
#include "support/FileSizeLimit.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

namespace {

TEST(AtomicFile, AFailedWriteLeavesTheOldFileByteForByte)
{
    TempDir dir;
    const auto file = dir.File("order.order");
    const std::string old = "old content\r\n" + std::string(200, '\x01');
    WriteFileBytes(file, old);
    QString reason;
    {
        // The new content cannot be written in full, but the old file
        // would fit under the limit: only a write beside it stays safe.
        const ScopedFileSizeLimit fullDisk(old.size() + 10);
        EXPECT_FALSE(ReplaceFileContent(file, std::string(1000, 'n'), reason));
    }
    EXPECT_FALSE(reason.isEmpty());
    EXPECT_EQ(ReadFileBytes(file), old);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.Path()), {}), 1)
        << "no temporary file is left behind";

    EXPECT_TRUE(ReplaceFileContent(file, "new", reason));
    EXPECT_EQ(ReadFileBytes(file), "new");
}

} // namespace
