#include "online/network_library.h"

#include <dlfcn.h>
#include <string>

#include "common/file_places.h"

namespace {

using SetText = void (*)(const char*);
using NoArgs = int (*)();
using OneInt = int (*)(int);
using SendFn = void (*)(int, const char*, int, int);
using ResultFn = const char* (*)(int);

struct Slots {
    void* handle = nullptr;
    SetText setServer = nullptr, setDelimiter = nullptr, setKey = nullptr, setKeySend = nullptr,
            setKeyReceive = nullptr;
    NoArgs update = nullptr, commandsInQueue = nullptr, getState = nullptr, lineCount = nullptr;
    OneInt cancel = nullptr, receive = nullptr;
    SendFn send = nullptr;
    ResultFn result = nullptr;
};

Slots Lib;

template <typename Fn>
bool Resolve(void* handle, const char* name, Fn& slot) {
    slot = reinterpret_cast<Fn>(dlsym(handle, name));
    return slot != nullptr;
}

}  // namespace

int BindNetworkLibraryFrom(const std::string& path) {
    if (Lib.handle) dlclose(Lib.handle);
    Lib = Slots{};
    if (path.empty()) return 0;
    void* handle = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (!handle) return 0;
    Slots s;
    s.handle = handle;
    const bool all = Resolve(handle, "KOVA__SetServer", s.setServer) &&
                     Resolve(handle, "KOVA__SetDelimiter", s.setDelimiter) &&
                     Resolve(handle, "KOVA__SetKey", s.setKey) && Resolve(handle, "KOVA__SetKeySend", s.setKeySend) &&
                     Resolve(handle, "KOVA__SetKeyReceive", s.setKeyReceive) &&
                     Resolve(handle, "KOVA_Update", s.update) && Resolve(handle, "KOVA__Send", s.send) &&
                     Resolve(handle, "KOVA_GetNumberOfCommandsInQueue", s.commandsInQueue) &&
                     Resolve(handle, "KOVA_Cancel", s.cancel) && Resolve(handle, "KOVA_Receive", s.receive) &&
                     Resolve(handle, "KOVA_GetState", s.getState) && Resolve(handle, "KOVA__GetResult", s.result) &&
                     Resolve(handle, "KOVA_GetNbOfLines", s.lineCount);
    if (!all) {
        dlclose(handle);
        return 0;
    }
    Lib = s;
    return 1;
}

// Found from the program's own place, never from the working folder or a
// search path.
int BindNetworkLibrary() { return BindNetworkLibraryFrom(ThisCopy().libraryFolder + "/libkova.so"); }
bool NetworkLibraryBound() { return Lib.handle != nullptr; }

void NetSetServer(const std::string& server) {
    if (Lib.handle) Lib.setServer(server.c_str());
}
void NetSetDelimiter(const std::string& delimiter) {
    if (Lib.handle) Lib.setDelimiter(delimiter.c_str());
}
void NetSetKey(const std::string& key) {
    if (Lib.handle) Lib.setKey(key.c_str());
}
void NetSetKeySend(const std::string& key) {
    if (Lib.handle) Lib.setKeySend(key.c_str());
}
void NetSetKeyReceive(const std::string& key) {
    if (Lib.handle) Lib.setKeyReceive(key.c_str());
}
int NetUpdate() { return Lib.handle ? Lib.update() : 0; }
void NetSend(int id, const std::string& request, int encrypt, int front) {
    if (Lib.handle) Lib.send(id, request.c_str(), encrypt, front);
}
int NetCommandsInQueue() { return Lib.handle ? Lib.commandsInQueue() : 0; }
int NetCancel(int id) { return Lib.handle ? Lib.cancel(id) : 0; }
int NetReceive(int id) { return Lib.handle ? Lib.receive(id) : 0; }
int NetState() { return Lib.handle ? Lib.getState() : 0; }
std::string NetResult(int line) {
    if (!Lib.handle) return "";
    const char* text = Lib.result(line);
    return text ? std::string(text) : std::string();
}
int NetLineCount() { return Lib.handle ? Lib.lineCount() : 0; }

std::string ScoreServerText() { return std::string("http://") + ORBIVORE_SCORE_HOST + "/scores"; }
