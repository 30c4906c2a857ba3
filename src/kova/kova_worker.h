// The request workers: each performs one HTTP GET of a full URL into its own
// cache file and reports the outcome in its state word. The threaded worker
// runs on a thread of its own per request; the synchronous one inside the
// caller's call. The state word is the only thing the caller reads while a
// transfer runs, so it is atomic; the cache file is read only after the word
// has left the running state.
#pragma once

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <string>
#include <thread>

constexpr int32_t KovaStateInitial = 0;
constexpr int32_t KovaStateRunning = 1;
constexpr int32_t KovaStateDone = 2;
constexpr int32_t KovaStateNoClient = 3;
constexpr int32_t KovaStateNoConnection = 4;
constexpr int32_t KovaStateRequestFailed = 5;
constexpr int32_t KovaStateLocalFailure = 6;
constexpr int32_t KovaStateWaiting = 99;

constexpr int32_t KovaWorkerStarted = 10;
constexpr int32_t KovaWorkerBusy = 11;

// Bounds on one transfer: a silent server or a huge reply must end in a
// failure state instead of freezing the game or filling the disk.
struct KovaLimits {
    long connectTimeoutMs = 4000;
    long totalTimeoutMs = 8000;
    size_t maxBodyBytes = size_t(1) << 20;
};

struct KovaWorker {
    const char* cacheFile;
    bool threaded;
    std::atomic<int32_t> state{KovaStateInitial};
    std::atomic<bool> stopping{false};
    std::thread thread;

    KovaWorker(const char* file, bool onThread) : cacheFile(file), threaded(onThread) {}
    // Ends a transfer still running when the library goes away, so no thread
    // outlives the code it runs.
    ~KovaWorker();
};

extern KovaWorker KovaThreadedWorker;
extern KovaWorker KovaSyncWorker;
// Copied into each transfer when it starts; tests shorten the timeouts.
extern KovaLimits KovaTransferLimits;

// 11 when the worker is busy; otherwise starts it on server + "/" + request
// (spaces sent as "%20") and returns 10. A synchronous worker has finished
// when this returns.
int32_t KovaStartWorker(KovaWorker& worker, const std::string& request, const std::string& server);

// Puts a worker that is not running back to state 0.
void KovaResetWorkerState(KovaWorker& worker);

// Waits until the threaded worker's thread has ended (a transfer ends by its
// own timeouts).
void KovaJoinWorker(KovaWorker& worker);

// The transfer itself, returning the final state; exposed for the tests.
int32_t KovaTransfer(const std::string& url, const char* cacheFile, const KovaLimits& limits,
                     const std::atomic<bool>& stopping);
