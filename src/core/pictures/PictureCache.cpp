#include "core/pictures/PictureCache.h"

namespace {

// What an entry costs besides its picture: the file name, the key in the
// list and in the index, and their bookkeeping.
qint64 EntryBytes(const PictureKey& key, const ShownPicture& picture)
{
    return picture.bytes() + qint64(key.File.native().size()) + 2 * qint64(sizeof(PictureKey)) + 64;
}

} // namespace

// One decoding under way, shared with the threads waiting for its result.
struct PictureCache::Decoding
{
    bool Ended = false;
    int Waiting = 0;
    ShownPicture Result;
    std::exception_ptr Failure;
};

PictureCache::PictureCache(qint64 capacityBytes) : m_capacity(capacityBytes) {}

std::optional<ShownPicture> PictureCache::find(const PictureKey& key)
{
    const std::lock_guard lock(m_mutex);
    const auto held = m_index.find(key);
    if (held == m_index.end())
        return std::nullopt;
    return takeLocked(held->second);
}

ShownPicture PictureCache::obtain(const PictureKey& key, DecodeBudget& budget)
{
    std::unique_lock lock(m_mutex);
    if (const auto held = m_index.find(key); held != m_index.end())
        return takeLocked(held->second);
    if (const auto running = m_decoding.find(key); running != m_decoding.end()) {
        const std::shared_ptr<Decoding> decoding = running->second;
        ++decoding->Waiting;
        m_decodingEnded.wait(lock, [&] { return decoding->Ended; });
        if (decoding->Failure)
            std::rethrow_exception(decoding->Failure);
        return decoding->Result;
    }
    m_decoding.emplace(key, std::make_shared<Decoding>());
    lock.unlock();

    ShownPicture picture;
    try {
        picture = DecodeShownPicture(key.File, key.Box, budget);
    } catch (...) {
        abandon(key, std::current_exception());
        throw;
    }
    // The error is the caller's to report now; keeping it would report it twice.
    finish(key, picture, !picture.failed());
    return picture;
}

ShownPicture PictureCache::decode(const std::filesystem::path& file, QSize box)
{
    DecodeBudget budget(DecodeBudget::kProductBytes);
    return obtain(PictureKey::Of(file, box), budget);
}

bool PictureCache::claim(const PictureKey& key)
{
    const std::lock_guard lock(m_mutex);
    if (m_index.count(key) != 0 || m_decoding.count(key) != 0)
        return false;
    m_decoding.emplace(key, std::make_shared<Decoding>());
    return true;
}

void PictureCache::finish(const PictureKey& key, ShownPicture picture, bool keep)
{
    {
        const std::lock_guard lock(m_mutex);
        const auto running = m_decoding.find(key);
        if (running == m_decoding.end())
            return;
        const std::shared_ptr<Decoding> decoding = running->second;
        m_decoding.erase(running);
        // A picture a thread waited for is being shown; an error it received
        // has been reported.
        const bool waited = decoding->Waiting > 0;
        if (picture.failed() ? keep && !waited : keep || waited)
            keepLocked(key, picture);
        decoding->Result = std::move(picture);
        decoding->Ended = true;
    }
    m_decodingEnded.notify_all();
}

void PictureCache::abandon(const PictureKey& key, std::exception_ptr failure)
{
    {
        const std::lock_guard lock(m_mutex);
        const auto running = m_decoding.find(key);
        if (running == m_decoding.end())
            return;
        running->second->Failure = std::move(failure);
        running->second->Ended = true;
        m_decoding.erase(running);
    }
    m_decodingEnded.notify_all();
}

bool PictureCache::holds(const PictureKey& key) const
{
    const std::lock_guard lock(m_mutex);
    return m_index.count(key) != 0;
}

qint64 PictureCache::bytesHeld() const
{
    const std::lock_guard lock(m_mutex);
    return m_bytes;
}

std::size_t PictureCache::size() const
{
    const std::lock_guard lock(m_mutex);
    return m_recent.size();
}

void PictureCache::clear()
{
    const std::lock_guard lock(m_mutex);
    m_index.clear();
    m_recent.clear();
    m_bytes = 0;
}

ShownPicture PictureCache::takeLocked(Recent::iterator entry)
{
    if (!entry->Picture.failed()) {
        m_recent.splice(m_recent.begin(), m_recent, entry);
        return entry->Picture;
    }
    ShownPicture error = std::move(entry->Picture);
    m_bytes -= entry->Bytes;
    m_index.erase(entry->Key);
    m_recent.erase(entry);
    return error;
}

void PictureCache::keepLocked(const PictureKey& key, ShownPicture picture)
{
    const qint64 bytes = EntryBytes(key, picture);
    if (bytes > m_capacity || m_index.count(key) != 0)
        return;
    while (m_bytes + bytes > m_capacity) {
        m_bytes -= m_recent.back().Bytes;
        m_index.erase(m_recent.back().Key);
        m_recent.pop_back();
    }
    m_recent.push_front(Entry{key, std::move(picture), bytes});
    m_index.emplace(key, m_recent.begin());
    m_bytes += bytes;
}
