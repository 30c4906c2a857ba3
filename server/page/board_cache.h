// The top lists kept for a few seconds, so that a busy board costs a query
// every few seconds rather than one a request. An upload stored by this
// server drops them at once; a name hidden from elsewhere (the hide command,
// another server) is gone when they expire.
#pragma once

#include <atomic>
#include <chrono>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "store/score_store.h"

using BoardRows = std::shared_ptr<const std::vector<ScoreEntry>>;

struct BoardCache {
    using Clock = std::chrono::steady_clock;
    struct List {
        std::mutex mutex;  // held while fetching, so one request queries for all
        BoardRows rows;
        Clock::time_point fetched;
        uint64_t generation = 0;
    };
    ScoreStore* store = nullptr;
    Clock::duration lifetime = std::chrono::seconds(3);
    std::atomic<uint64_t> generation{0};
    List lists[3];  // by BoardMode
    std::mutex pageMutex;
    std::shared_ptr<const std::string> page;
    BoardRows pageArcade, pageClassic;  // the rows the page was made from
};

// The best MaxScoresListed of a list; null while the store fails.
BoardRows CachedTop(BoardCache& cache, BoardMode mode);
// The leaderboard page; null while the store fails.
std::shared_ptr<const std::string> CachedPage(BoardCache& cache);
void InvalidateBoard(BoardCache& cache);
