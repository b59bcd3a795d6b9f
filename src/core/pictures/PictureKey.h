#pragma once

#include <QSize>
#include <QtGlobal>
#include <cstddef>
#include <filesystem>

// What a file is at one moment, as far as a picture decoded from it goes:
// while all of it stays the same, so do the file's contents. The change time
// and the inode catch a file replaced by another whose size and modification
// time happen to match. A file that cannot be examined has only the error.
struct FileStamp
{
    qint64 Size = -1;
    qint64 ModifiedNs = 0;
    qint64 ChangedNs = 0;
    quint64 Inode = 0;
    quint64 Device = 0;
    int StatError = 0; // errno of the failed examination, 0 when it succeeded

    // One stat of `file`; never fails, a missing file gives its error.
    static FileStamp Of(const std::filesystem::path& file);

    bool operator==(const FileStamp&) const = default;
};

// A picture as it is shown: which file, in which state, at which size. A
// changed file or another box gives another key, so a picture is never
// served for a state or size it was not decoded for.
struct PictureKey
{
    std::filesystem::path File;
    QSize Box;
    FileStamp Stamp;

    // Examines the file once.
    static PictureKey Of(const std::filesystem::path& file, QSize box);

    bool operator==(const PictureKey& other) const
    {
        return Box == other.Box && Stamp == other.Stamp && File == other.File;
    }
};

struct PictureKeyHash
{
    std::size_t operator()(const PictureKey& key) const noexcept;
};
