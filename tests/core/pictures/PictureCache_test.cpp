#include "core/pictures/LookAhead.h"
#include "core/pictures/ProductPictures.h"

#include "core/pictures/JpegWriter.h"
#include "support/TempDir.h"

#include <fstream>
#include <future>
#include <gtest/gtest.h>
#include <utility>

namespace {

const QSize Box(40, 30);

std::filesystem::path WritePicture(const TempDir& dir, const std::string& name, int width)
{
    TestJpeg jpeg;
    jpeg.Width = width;
    jpeg.Height = width * 3 / 4;
    jpeg.Write(dir.File(name));
    return dir.File(name);
}

std::string DirectError(const std::filesystem::path& file)
{
    try {
        DecodeJpeg(file, Box);
    } catch (const EPictureError& e) {
        return e.what();
    }
    return "no error";
}

TEST(PictureCache, AChangedFileOrAnotherBoxIsDecodedAgain)
{
    TempDir dir;
    const auto file = WritePicture(dir, "a.jpg", 64);
    PictureCache cache(PictureCache::kDefaultBytes);
    EXPECT_EQ(cache.decode(file, Box).FullSize, QSize(64, 48));
    EXPECT_EQ(cache.decode(file, Box).FullSize, QSize(64, 48));
    EXPECT_EQ(cache.size(), 1u);

    EXPECT_EQ(cache.decode(file, QSize(20, 15)).Image.size(), QSize(20, 15));
    EXPECT_EQ(cache.decode(file, Box).Image.size(), QSize(40, 30));

    WritePicture(dir, "a.jpg", 80);
    EXPECT_EQ(cache.decode(file, Box).FullSize, QSize(80, 60));
    std::filesystem::remove(file);
    EXPECT_TRUE(cache.decode(file, Box).failed());
}

TEST(PictureCache, StaysWithinItsBoundDroppingTheLeastRecentlyUsed)
{
    TempDir dir;
    std::vector<std::filesystem::path> files;
    for (int i = 0; i < 8; ++i)
        files.push_back(WritePicture(dir, std::to_string(i) + ".jpg", 64));
    const qint64 onePicture = 40 * 30 * 4;
    PictureCache cache(onePicture * 3 + 2000);

    for (const auto& file : files) {
        cache.decode(file, Box);
        // The oldest one is used again, so it outlives the others.
        cache.decode(files.front(), Box);
        EXPECT_LE(cache.bytesHeld(), cache.capacity());
    }
    EXPECT_EQ(cache.size(), 3u);
    EXPECT_TRUE(cache.holds(PictureKey::Of(files.front(), Box)));
    EXPECT_TRUE(cache.holds(PictureKey::Of(files.back(), Box)));
    EXPECT_FALSE(cache.holds(PictureKey::Of(files[1], Box)));

    // A picture larger than the whole cache is shown but not kept.
    const auto large = WritePicture(dir, "large.jpg", 640);
    EXPECT_FALSE(cache.decode(large, QSize(400, 300)).Image.isNull());
    EXPECT_FALSE(cache.holds(PictureKey::Of(large, QSize(400, 300))));
    EXPECT_LE(cache.bytesHeld(), cache.capacity());
}

TEST(LookAhead, ErrorsAreKeptForTheProductThatIsShown)
{
    TempDir dir;
    const auto good = WritePicture(dir, "good.jpg", 64);
    const auto broken = dir.File("broken.jpg");
    std::ofstream(broken) << "not a picture";
    const auto missing = dir.File("missing.jpg");

    PictureCache cache(PictureCache::kDefaultBytes);
    LookAhead lookAhead(cache, LookAhead::kDefaultThreads);
    lookAhead.request({{good, Box}, {broken, Box}, {missing, Box}});
    lookAhead.waitUntilIdle();
    EXPECT_TRUE(cache.holds(PictureKey::Of(broken, Box)));

    const auto shown = DecodeProductPictures(cache, {good, good}, Box);
    ASSERT_EQ(shown.size(), 2u);
    EXPECT_FALSE(shown[0].failed());
    EXPECT_FALSE(shown[1].failed());

    const auto failing = DecodeProductPictures(cache, {good, broken, missing}, Box);
    EXPECT_FALSE(failing[0].failed());
    EXPECT_EQ(failing[1].Error, DirectError(broken));
    EXPECT_EQ(failing[2].Error, DirectError(missing));
    EXPECT_THROW(failing[1].orThrow(), EPictureError);
    // Reported once; the next showing reads the file again.
    EXPECT_FALSE(cache.holds(PictureKey::Of(broken, Box)));
}

TEST(LookAhead, ADecodingNoLongerAskedForIsNotKept)
{
    TempDir dir;
    const PictureJob before{WritePicture(dir, "before.jpg", 64), Box};
    const PictureJob queued{WritePicture(dir, "queued.jpg", 64), Box};
    const PictureJob after{WritePicture(dir, "after.jpg", 64), Box};

    // The first decoding waits until the request has changed.
    std::promise<void> started, changed;
    std::shared_future<void> changedSignal = changed.get_future().share();
    const auto holdFirst = [&, first = true](const std::filesystem::path& file, QSize box,
                                             DecodeBudget& budget) mutable {
        if (std::exchange(first, false)) {
            started.set_value();
            changedSignal.wait();
        }
        return DecodeShownPicture(file, box, budget);
    };
    PictureCache cache(PictureCache::kDefaultBytes);
    LookAhead lookAhead(cache, 1, holdFirst);
    lookAhead.request({before, queued});
    started.get_future().wait();
    lookAhead.request({after});
    changed.set_value();
    lookAhead.waitUntilIdle();

    EXPECT_FALSE(cache.holds(PictureKey::Of(before.File, Box)));
    EXPECT_FALSE(cache.holds(PictureKey::Of(queued.File, Box)));
    EXPECT_TRUE(cache.holds(PictureKey::Of(after.File, Box)));
}

TEST(LookAhead, KeepOnlyGoesOnDecodingTheNamedFiles)
{
    TempDir dir;
    const PictureJob running{WritePicture(dir, "running.jpg", 64), Box};
    const PictureJob other{WritePicture(dir, "other.jpg", 64), Box};
    const PictureJob queued{WritePicture(dir, "queued.jpg", 64), Box};

    std::promise<void> started, narrowed;
    std::shared_future<void> narrowedSignal = narrowed.get_future().share();
    const auto holdFirst = [&, first = true](const std::filesystem::path& file, QSize box,
                                             DecodeBudget& budget) mutable {
        if (std::exchange(first, false)) {
            started.set_value();
            narrowedSignal.wait();
        }
        return DecodeShownPicture(file, box, budget);
    };
    PictureCache cache(PictureCache::kDefaultBytes);
    LookAhead lookAhead(cache, 1, holdFirst);
    lookAhead.request({running, other, queued});
    started.get_future().wait();
    lookAhead.keepOnly({running.File, queued.File});
    narrowed.set_value();
    lookAhead.waitUntilIdle();

    EXPECT_TRUE(cache.holds(PictureKey::Of(running.File, Box)));
    EXPECT_FALSE(cache.holds(PictureKey::Of(other.File, Box)));
    EXPECT_TRUE(cache.holds(PictureKey::Of(queued.File, Box)));
}

TEST(ShownPicture, ComesWithItsThumbnailCountedInItsBytes)
{
    TempDir dir;
    DecodeBudget budget(DecodeBudget::kProductBytes);
    const ShownPicture large =
        DecodeShownPicture(WritePicture(dir, "large.jpg", 800), {400, 300}, budget);
    EXPECT_EQ(large.Thumbnail.size(), QSize(94, 71));
    EXPECT_EQ(large.bytes(), large.Image.sizeInBytes() + large.Thumbnail.sizeInBytes());
    // A picture no larger than the thumbnail's box is its own thumbnail.
    const ShownPicture small =
        DecodeShownPicture(WritePicture(dir, "small.jpg", 64), {400, 300}, budget);
    EXPECT_EQ(small.Thumbnail.cacheKey(), small.Image.cacheKey());
    EXPECT_EQ(small.bytes(), small.Image.sizeInBytes());
}

TEST(ShownPictureFiles, FirstNameAlwaysFurtherEmptyNamesSkipped)
{
    using Files = std::vector<std::filesystem::path>;
    EXPECT_EQ(ShownPictureFiles("/img/", ""), Files{});
    EXPECT_EQ(ShownPictureFiles("/img/", "a.jpg;;b.jpg;"), (Files{"/img/a.jpg", "/img/b.jpg"}));
    EXPECT_EQ(ShownPictureFiles("/img/", ";b.jpg"), (Files{"/img/", "/img/b.jpg"}));
}

} // namespace
