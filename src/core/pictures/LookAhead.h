#pragma once

#include "core/pictures/PictureCache.h"

#include <condition_variable>
#include <cstdint>
#include <deque>
#include <functional>
#include <mutex>
#include <thread>
#include <vector>

// A picture to decode ahead: the file and the box it will be shown in.
struct PictureJob
{
    std::filesystem::path File;
    QSize Box;

    bool operator==(const PictureJob&) const = default;
};

// Decodes pictures the user is likely to want next into a PictureCache, on
// helper threads of its own, so the thread that asks never waits for them.
//
// Each request replaces what is still queued. A decoding already under way
// cannot be stopped; when it ends, its picture is kept only when the latest
// request still asks for it, unless a thread showing it waits for it. The
// memory in use is the cache's bound plus the pictures being decoded, which
// together stay within one DecodeBudget::kProductBytes.
class LookAhead
{
public:
    // Two helpers: the user's thread spends most of its time idle.
    static constexpr int kDefaultThreads = 2;

    using Decoder = std::function<ShownPicture(const std::filesystem::path& file, QSize box,
                                               DecodeBudget& budget)>;

    LookAhead(PictureCache& cache, int threads);
    // With another way of decoding, for tests that need to hold a decoding.
    LookAhead(PictureCache& cache, int threads, Decoder decoder);
    // Drops the queue and waits for the decodings under way.
    ~LookAhead();
    LookAhead(const LookAhead&) = delete;
    LookAhead& operator=(const LookAhead&) = delete;

    // Decodes `jobs` in this order, the pictures already held or being
    // decoded aside. Returns at once with the request's generation.
    std::uint64_t request(std::vector<PictureJob> jobs);
    // Forgets every queued job.
    void cancel() { request({}); }
    // Forgets every job but those for `files`, which stay queued or, under
    // way, are kept when they end: a product selected from the rows decoded
    // ahead goes on being decoded while its showing is deferred.
    void keepOnly(const std::vector<std::filesystem::path>& files);
    // Blocks until the queue is empty and no decoding is under way.
    void waitUntilIdle();

private:
    void work();
    void run(const PictureJob& job);
    bool isWanted(const PictureJob& job);

    PictureCache& m_cache;
    const Decoder m_decode;
    DecodeBudget m_budget{DecodeBudget::kProductBytes};
    std::mutex m_mutex;
    std::condition_variable m_changed;
    std::condition_variable m_idle;
    std::deque<PictureJob> m_queue;
    std::vector<PictureJob> m_wanted;
    std::uint64_t m_generation = 0;
    int m_running = 0;
    bool m_stopping = false;
    std::vector<std::thread> m_threads;
};
