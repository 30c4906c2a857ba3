// The library's caller-side state: configuration, the command queue and the
// received result. Everything here belongs to the caller's thread.
#pragma once

#include <cstdint>
#include <list>
#include <string>
#include <vector>

struct KovaCommand {
    int32_t id = 0;
    std::string request;
    std::string server;
    int32_t state = 0;
    std::string reply;
    std::vector<std::string> lines;
    uint32_t lastPoll = 0;
};

struct KovaReceived {
    int32_t state = 0;
    std::string reply;
    std::vector<std::string> lines;
};

struct KovaConfig {
    std::string server;
    std::string keySend;
    std::string keyReceive;
    std::string delimiter = "\r";
};

// A finished command nobody receives is dropped this long after it was last
// seen running.
constexpr uint32_t KovaUncollectedMs = 300000;
constexpr int32_t KovaImmediateId = -999;

extern KovaConfig KovaSettings;
extern std::list<KovaCommand> KovaQueue;
extern KovaReceived KovaResult;

// The millisecond tick used for the request tags and the removal of
// uncollected results; tests replace it.
extern uint32_t (*KovaTickSource)();
uint32_t KovaSteadyTick();

// The request as sent: tagged with "KOVA_id" and, when asked, enciphered.
std::string KovaPrepareRequest(const std::string& request, bool encrypt, uint32_t tick, const std::string& key);

// Back to the state at load: waits for a running transfer, empties the queue.
void KovaResetLibrary();
