// A store the tests can make fail or hang, to play a database that is away
// or stuck without one: put in place of a running server's store.
#pragma once

#include <condition_variable>
#include <mutex>

#include "store/score_store.h"

struct HeldStore final : ScoreStore {
    enum class Mode { Serving, Away, Stuck };

    StoreOutcome Add(const ScoreEntry&) override {
        if (!Wait()) return StoreOutcome::Unavailable;
        std::lock_guard<std::mutex> lock(mutex);
        ++stored;
        return StoreOutcome::Stored;
    }
    bool Top(int, std::vector<ScoreEntry>& out, BoardMode) override {
        out.clear();
        return Wait();
    }
    long long Count() override {
        std::lock_guard<std::mutex> lock(mutex);
        return stored;
    }
    bool Ping() override { return Wait(); }
    bool SetHidden(const std::string&, bool, bool& changed) override {
        changed = false;
        return Wait();
    }
    bool Hidden(std::vector<HiddenName>& out) override {
        out.clear();
        return Wait();
    }
    void Set(Mode m) {
        {
            std::lock_guard<std::mutex> lock(mutex);
            mode = m;
        }
        changed.notify_all();
    }

private:
    // Stuck calls wait until the mode changes; false: unavailable.
    bool Wait() {
        std::unique_lock<std::mutex> lock(mutex);
        changed.wait(lock, [this] { return mode != Mode::Stuck; });
        return mode == Mode::Serving;
    }
    std::mutex mutex;
    std::condition_variable changed;
    Mode mode = Mode::Serving;
    long long stored = 0;
};
