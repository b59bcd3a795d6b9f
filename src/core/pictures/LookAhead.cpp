#include "core/pictures/LookAhead.h"

#include <algorithm>

LookAhead::LookAhead(PictureCache& cache, int threads)
    : LookAhead(cache, threads, DecodeShownPicture)
{}

LookAhead::LookAhead(PictureCache& cache, int threads, Decoder decoder)
    : m_cache(cache), m_decode(std::move(decoder))
{
    for (int i = 0; i < std::max(1, threads); ++i)
        m_threads.emplace_back([this] { work(); });
}

LookAhead::~LookAhead()
{
    {
        const std::lock_guard lock(m_mutex);
        m_stopping = true;
        m_queue.clear();
    }
    m_changed.notify_all();
    for (auto& thread : m_threads)
        thread.join();
}

std::uint64_t LookAhead::request(std::vector<PictureJob> jobs)
{
    std::uint64_t generation = 0;
    {
        const std::lock_guard lock(m_mutex);
        m_queue.assign(jobs.begin(), jobs.end());
        m_wanted = std::move(jobs);
        generation = ++m_generation;
    }
    m_changed.notify_all();
    return generation;
}

void LookAhead::keepOnly(const std::vector<std::filesystem::path>& files)
{
    const auto unwanted = [&files](const PictureJob& job) {
        return std::find(files.begin(), files.end(), job.File) == files.end();
    };
    {
        const std::lock_guard lock(m_mutex);
        std::erase_if(m_queue, unwanted);
        std::erase_if(m_wanted, unwanted);
        ++m_generation;
        if (m_queue.empty() && m_running == 0)
            m_idle.notify_all();
    }
}

void LookAhead::waitUntilIdle()
{
    std::unique_lock lock(m_mutex);
    m_idle.wait(lock, [this] { return m_queue.empty() && m_running == 0; });
}

void LookAhead::work()
{
    std::unique_lock lock(m_mutex);
    for (;;) {
        m_changed.wait(lock, [this] { return m_stopping || !m_queue.empty(); });
        if (m_stopping)
            return;
        const PictureJob job = std::move(m_queue.front());
        m_queue.pop_front();
        ++m_running;
        lock.unlock();
        run(job);
        lock.lock();
        --m_running;
        if (m_queue.empty() && m_running == 0)
            m_idle.notify_all();
    }
}

// The file is examined here rather than in request(), which must not wait
// for a slow disk.
void LookAhead::run(const PictureJob& job)
{
    const PictureKey key = PictureKey::Of(job.File, job.Box);
    if (!m_cache.claim(key))
        return;
    ShownPicture picture;
    try {
        picture = m_decode(job.File, job.Box, m_budget);
    } catch (...) {
        // Nothing to report ahead of time; showing the picture meets it again.
        m_cache.abandon(key, std::current_exception());
        return;
    }
    m_cache.finish(key, std::move(picture), isWanted(job));
}

bool LookAhead::isWanted(const PictureJob& job)
{
    const std::lock_guard lock(m_mutex);
    return std::find(m_wanted.begin(), m_wanted.end(), job) != m_wanted.end();
}
