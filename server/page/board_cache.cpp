#include "board_cache.h"

#include "board_page.h"

BoardRows CachedTop(BoardCache& cache, BoardMode mode) {
    BoardCache::List& list = cache.lists[int(mode)];
    std::lock_guard<std::mutex> lock(list.mutex);
    const auto now = BoardCache::Clock::now();
    const uint64_t generation = cache.generation.load();
    if (list.rows && list.generation == generation && now - list.fetched < cache.lifetime) return list.rows;
    auto rows = std::make_shared<std::vector<ScoreEntry>>();
    if (!cache.store->Top(MaxScoresListed, *rows, mode)) return nullptr;
    list.rows = std::move(rows);
    list.fetched = now;
    // An upload during the query leaves these rows stale: the generation
    // read before it no longer matches.
    list.generation = generation;
    return list.rows;
}

std::shared_ptr<const std::string> CachedPage(BoardCache& cache) {
    const BoardRows arcade = CachedTop(cache, BoardMode::Arcade);
    const BoardRows classic = CachedTop(cache, BoardMode::Classic);
    if (!arcade || !classic) return nullptr;
    std::lock_guard<std::mutex> lock(cache.pageMutex);
    if (!cache.page || cache.pageArcade != arcade || cache.pageClassic != classic) {
        cache.page = std::make_shared<const std::string>(RenderBoardPage(*arcade, *classic));
        cache.pageArcade = arcade;
        cache.pageClassic = classic;
    }
    return cache.page;
}

void InvalidateBoard(BoardCache& cache) { ++cache.generation; }
