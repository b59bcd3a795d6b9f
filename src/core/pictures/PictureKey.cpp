#include "core/pictures/PictureKey.h"

#include <cerrno>
#include <functional>
#include <sys/stat.h>

namespace {

qint64 Nanoseconds(const timespec& time)
{
    return qint64(time.tv_sec) * 1'000'000'000 + time.tv_nsec;
}

void Mix(std::size_t& seed, std::size_t value)
{
    seed ^= value + 0x9e3779b97f4a7c15ULL + (seed << 6) + (seed >> 2);
}

} // namespace

FileStamp FileStamp::Of(const std::filesystem::path& file)
{
    FileStamp stamp;
    struct stat info = {};
    if (::stat(file.c_str(), &info) != 0) {
        stamp.StatError = errno;
        return stamp;
    }
    stamp.Size = qint64(info.st_size);
    stamp.ModifiedNs = Nanoseconds(info.st_mtim);
    stamp.ChangedNs = Nanoseconds(info.st_ctim);
    stamp.Inode = quint64(info.st_ino);
    stamp.Device = quint64(info.st_dev);
    return stamp;
}

PictureKey PictureKey::Of(const std::filesystem::path& file, QSize box)
{
    return PictureKey{file, box, FileStamp::Of(file)};
}

std::size_t PictureKeyHash::operator()(const PictureKey& key) const noexcept
{
    std::size_t seed = std::filesystem::hash_value(key.File);
    Mix(seed, std::hash<qint64>()(key.Stamp.Size));
    Mix(seed, std::hash<qint64>()(key.Stamp.ModifiedNs));
    Mix(seed, std::hash<int>()(key.Box.width()));
    Mix(seed, std::hash<int>()(key.Box.height()));
    return seed;
}
