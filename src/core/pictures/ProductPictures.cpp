#include "core/pictures/ProductPictures.h"

#include "core/pictures/PictureList.h"
#include "core/pictures/PicturePath.h"
#include "core/text/Cp1251.h"

#include <algorithm>
#include <future>
#include <optional>

std::vector<std::filesystem::path> ShownPictureFiles(std::string_view folder, std::string_view list)
{
    const std::vector<std::string> names = SplitPictureList(list);
    std::vector<std::filesystem::path> files;
    for (std::size_t i = 0; i < names.size(); ++i) {
        if (i == 0 || !names[i].empty())
            files.emplace_back(Cp1251ToUtf8(PictureFile(folder, names[i])));
    }
    return files;
}

std::vector<ShownPicture> DecodeProductPictures(PictureCache& cache,
                                                const std::vector<std::filesystem::path>& files,
                                                QSize box)
{
    std::vector<PictureKey> keys;
    keys.reserve(files.size());
    for (const auto& file : files)
        keys.push_back(PictureKey::Of(file, box));

    // Declared before the decodings, which use it until they end.
    DecodeBudget budget(DecodeBudget::kProductBytes);
    std::vector<std::optional<ShownPicture>> pictures(files.size());
    std::vector<std::future<ShownPicture>> further(files.size());
    const auto firstIndexOf = [&](std::size_t i) {
        return std::size_t(std::find(keys.begin(), keys.end(), keys[i]) - keys.begin());
    };
    for (std::size_t i = 1; i < files.size(); ++i) {
        if (firstIndexOf(i) != i)
            continue;
        if ((pictures[i] = cache.find(keys[i])))
            continue;
        // Without a thread to spare, the picture is decoded when it is asked for.
        further[i] =
            std::async(std::launch::async | std::launch::deferred,
                       [&cache, &budget, &key = keys[i]] { return cache.obtain(key, budget); });
    }
    if (!files.empty())
        pictures[0] = cache.obtain(keys[0], budget);
    for (std::size_t i = 1; i < files.size(); ++i) {
        if (further[i].valid())
            pictures[i] = further[i].get();
    }

    std::vector<ShownPicture> result;
    result.reserve(files.size());
    for (std::size_t i = 0; i < files.size(); ++i)
        result.push_back(*pictures[firstIndexOf(i)]);
    return result;
}
