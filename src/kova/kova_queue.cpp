#include "kova_queue.h"

#include <chrono>
#include <cstdio>

#include "kova.h"
#include "kova_cipher.h"
#include "kova_reply.h"
#include "kova_worker.h"

KovaConfig KovaSettings;
std::list<KovaCommand> KovaQueue;
KovaReceived KovaResult;

uint32_t KovaSteadyTick() {
    using namespace std::chrono;
    return uint32_t(duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count());
}
uint32_t (*KovaTickSource)() = KovaSteadyTick;

namespace {

// The returned text of KOVA__GetResult lives here until the next call.
std::string ReturnedText;

std::string Text(const char* s) { return s ? std::string(s) : std::string(); }

KovaReply ReadCacheFile(const char* path) {
    KovaReply reply = KovaMakeReply(KovaReadFile(path), KovaSettings.delimiter, KovaSettings.keyReceive);
    std::remove(path);
    return reply;
}

void Complete(KovaCommand& command) {
    command.state = KovaThreadedWorker.state.load(std::memory_order_acquire);
    if (command.state != KovaStateDone) return;
    KovaReply reply = ReadCacheFile(KovaThreadedWorker.cacheFile);
    command.reply = std::move(reply.text);
    command.lines = std::move(reply.lines);
}

void RunImmediately(const std::string& request) {
    KovaStartWorker(KovaSyncWorker, request, KovaSettings.server);
    KovaResult = KovaReceived{};
    KovaResult.state = KovaSyncWorker.state.load(std::memory_order_acquire);
    if (KovaResult.state != KovaStateDone) return;
    KovaReply reply = ReadCacheFile(KovaSyncWorker.cacheFile);
    KovaResult.reply = std::move(reply.text);
    KovaResult.lines = std::move(reply.lines);
}

}  // namespace

std::string KovaPrepareRequest(const std::string& request, bool encrypt, uint32_t tick, const std::string& key) {
    std::string tagged = request + (request.find('?') == std::string::npos ? "?KOVA_id=" : "&KOVA_id=");
    tagged += std::to_string(tick);
    if (!encrypt) return tagged;
    const size_t mark = tagged.find('?');
    return tagged.substr(0, mark + 1) + "KOVA_argEncrypted=" + KovaEncipher(tagged.substr(mark + 1), key);
}

void KovaResetLibrary() {
    KovaJoinWorker(KovaThreadedWorker);
    KovaThreadedWorker.state.store(KovaStateInitial);
    KovaSyncWorker.state.store(KovaStateInitial);
    KovaSettings = KovaConfig{};
    KovaQueue.clear();
    KovaResult = KovaReceived{};
    ReturnedText.clear();
}

extern "C" {

void KOVA_CALL KOVA_SetServer(const char* server) {
    KovaSettings.server = Text(server);
    // A running transfer keeps its state: clearing it would let the queue
    // start a second worker on the same cache file.
    KovaResetWorkerState(KovaThreadedWorker);
}
void KOVA_CALL KOVA__SetServer(const char* server) { KOVA_SetServer(Text(server).c_str()); }

void KOVA_CALL KOVA_SetKeySend(const char* key) { KovaSettings.keySend = Text(key); }
void KOVA_CALL KOVA__SetKeySend(const char* key) { KOVA_SetKeySend(Text(key).c_str()); }

void KOVA_CALL KOVA_SetKeyReceive(const char* key) { KovaSettings.keyReceive = Text(key); }
void KOVA_CALL KOVA__SetKeyReceive(const char* key) { KOVA_SetKeyReceive(Text(key).c_str()); }

void KOVA_CALL KOVA_SetKey(const char* key) {
    KovaSettings.keySend = Text(key);
    KovaSettings.keyReceive = Text(key);
}
void KOVA_CALL KOVA__SetKey(const char* key) { KOVA_SetKey(Text(key).c_str()); }

void KOVA_CALL KOVA_SetDelimiter(const char* delimiter) { KovaSettings.delimiter = Text(delimiter); }
void KOVA_CALL KOVA__SetDelimiter(const char* delimiter) { KOVA_SetDelimiter(Text(delimiter).c_str()); }

void KOVA_CALL KOVA__Send(int32_t id, const char* request, int32_t encrypt, int32_t front) {
    // Any non-zero encrypt enciphers: a caller that asked for secrecy in
    // some other way must not have its query sent in the clear.
    const std::string prepared = KovaPrepareRequest(Text(request), encrypt != 0, KovaTickSource(), KovaSettings.keySend);
    if (id == KovaImmediateId) {
        RunImmediately(prepared);
        return;
    }
    KovaCommand command;
    command.id = id;
    command.request = prepared;
    command.server = KovaSettings.server;
    command.state = KovaStateWaiting;
    command.lastPoll = KovaTickSource();
    if (front == 0)
        KovaQueue.push_back(std::move(command));
    else
        KovaQueue.push_front(std::move(command));
}

int32_t KOVA_CALL KOVA_Update(void) {
    if (KovaThreadedWorker.state.load(std::memory_order_acquire) == KovaStateRunning) return 0;
    const uint32_t now = KovaTickSource();
    for (auto it = KovaQueue.begin(); it != KovaQueue.end();) {
        KovaCommand& command = *it;
        if (command.state == KovaStateWaiting) {
            const std::string& server = command.server.empty() ? KovaSettings.server : command.server;
            if (KovaStartWorker(KovaThreadedWorker, command.request, server) != KovaWorkerStarted) return 0;
            command.state = KovaStateRunning;
        }
        if (command.state == KovaStateRunning) {
            command.state = KovaThreadedWorker.state.load(std::memory_order_acquire);
            command.lastPoll = now;
            if (command.state != KovaStateRunning) Complete(command);
            return 0;
        }
        if (uint32_t(now - command.lastPoll) > KovaUncollectedMs)
            it = KovaQueue.erase(it);
        else
            ++it;
    }
    return 0;
}

int32_t KOVA_CALL KOVA_GetNumberOfCommandsInQueue(void) { return int32_t(KovaQueue.size()); }

int32_t KOVA_CALL KOVA_Receive(int32_t id) {
    for (auto it = KovaQueue.begin(); it != KovaQueue.end(); ++it) {
        if (it->id != id || it->state == KovaStateWaiting || it->state == KovaStateRunning) continue;
        KovaResult.state = it->state;
        KovaResult.reply = std::move(it->reply);
        KovaResult.lines = std::move(it->lines);
        KovaQueue.erase(it);
        return 1;
    }
    return 0;
}

int32_t KOVA_CALL KOVA_GetState(void) { return KovaResult.state; }

const char* KOVA_CALL KOVA__GetResult(int32_t n) {
    if (KovaResult.state != KovaStateDone) {
        KovaResult.reply.clear();
        ReturnedText.clear();
    } else if (n >= 1 && size_t(n) <= KovaResult.lines.size()) {
        ReturnedText = KovaResult.lines[size_t(n) - 1];
    } else {
        ReturnedText = KovaResult.reply;
    }
    return ReturnedText.c_str();
}

int32_t KOVA_CALL KOVA_GetNbOfLines(void) {
    return KovaResult.state == KovaStateDone ? int32_t(KovaResult.lines.size()) : 0;
}

int32_t KOVA_CALL KOVA_Cancel(int32_t id) {
    for (auto it = KovaQueue.begin(); it != KovaQueue.end();) {
        if (it->state == KovaStateWaiting && (it->id == id || it->id == -1))
            it = KovaQueue.erase(it);
        else
            ++it;
    }
    return 0;
}

}  // extern "C"
