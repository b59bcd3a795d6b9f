#pragma once

#include "core/pictures/PictureKey.h"
#include "core/pictures/ShownPicture.h"

#include <condition_variable>
#include <exception>
#include <list>
#include <memory>
#include <mutex>
#include <optional>
#include <unordered_map>

// Pictures decoded at their shown size, kept within a bound of memory and
// forgotten least recently used first. Any thread may use it.
//
// A picture is decoded once even when several threads want it at the same
// time: a thread that finds the picture being decoded waits for that
// decoding instead of starting another.
//
// Errors met while decoding ahead are kept too, so the error a product's
// picture gives is reported when the product is shown. A kept error is
// handed out once and then forgotten: the next showing reads the file again,
// in case the cause was passing (too many open files, for one).
class PictureCache
{
public:
    static constexpr qint64 kDefaultBytes = qint64(64) << 20;

    explicit PictureCache(qint64 capacityBytes);
    PictureCache(const PictureCache&) = delete;
    PictureCache& operator=(const PictureCache&) = delete;

    // The picture held for `key`, now the most recently used.
    std::optional<ShownPicture> find(const PictureKey& key);
    // The picture held for `key`, else the one being decoded for it once that
    // ends, else decoded on this thread within `budget` and kept.
    ShownPicture obtain(const PictureKey& key, DecodeBudget& budget);
    // obtain() for the file as it is now, with a budget of its own.
    ShownPicture decode(const std::filesystem::path& file, QSize box);

    // For decoding ahead: when `key` is neither held nor being decoded, marks
    // it as being decoded by the caller and returns true; the caller then
    // ends with finish() or abandon(), on every path.
    bool claim(const PictureKey& key);
    // Hands `picture` to the threads waiting for it and keeps it when `keep`
    // or when a thread was waiting for it.
    void finish(const PictureKey& key, ShownPicture picture, bool keep);
    // The decoding failed unexpectedly: the waiting threads raise `failure`.
    void abandon(const PictureKey& key, std::exception_ptr failure);

    bool holds(const PictureKey& key) const;
    qint64 capacity() const { return m_capacity; }
    qint64 bytesHeld() const;
    std::size_t size() const;
    void clear();

private:
    struct Entry
    {
        PictureKey Key;
        ShownPicture Picture;
        qint64 Bytes;
    };
    using Recent = std::list<Entry>; // most recently used first
    struct Decoding;

    ShownPicture takeLocked(Recent::iterator entry);
    void keepLocked(const PictureKey& key, ShownPicture picture);

    const qint64 m_capacity;
    mutable std::mutex m_mutex;
    std::condition_variable m_decodingEnded;
    Recent m_recent;
    std::unordered_map<PictureKey, Recent::iterator, PictureKeyHash> m_index;
    std::unordered_map<PictureKey, std::shared_ptr<Decoding>, PictureKeyHash> m_decoding;
    qint64 m_bytes = 0;
};
