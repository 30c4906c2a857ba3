#include "kova_worker.h"

#include <curl/curl.h>

#include <cstdio>
#include <mutex>

KovaWorker KovaThreadedWorker("CacheFileKOVA.txt", true);
KovaWorker KovaSyncWorker("CacheFileKOVA_NT.txt", false);
KovaLimits KovaTransferLimits;

namespace {

struct BodySink {
    FILE* file = nullptr;
    size_t written = 0;
    size_t limit = 0;
    bool overflow = false;
    bool writeFailed = false;
};

size_t WriteBody(char* data, size_t size, size_t count, void* user) {
    BodySink& sink = *static_cast<BodySink*>(user);
    const size_t n = size * count;
    if (n > sink.limit - sink.written) {
        sink.overflow = true;
        return 0;
    }
    if (n > 0 && std::fwrite(data, 1, n, sink.file) != n) {
        sink.writeFailed = true;
        return 0;
    }
    sink.written += n;
    return n;
}

int CheckStop(void* user, curl_off_t, curl_off_t, curl_off_t, curl_off_t) {
    return static_cast<const std::atomic<bool>*>(user)->load() ? 1 : 0;
}

bool IsWebUrl(const std::string& url) {
    auto startsWith = [&](const char* prefix) {
        size_t n = 0;
        for (; prefix[n]; ++n) {
            if (n >= url.size()) return false;
            char c = url[n];
            if (c >= 'A' && c <= 'Z') c = char(c - 'A' + 'a');
            if (c != prefix[n]) return false;
        }
        return true;
    };
    return startsWith("http://") || startsWith("https://");
}

int32_t StateForError(CURLcode code, bool connected) {
    switch (code) {
        case CURLE_FAILED_INIT:
            return KovaStateNoClient;
        case CURLE_UNSUPPORTED_PROTOCOL:
        case CURLE_URL_MALFORMAT:
        case CURLE_COULDNT_RESOLVE_PROXY:
        case CURLE_COULDNT_RESOLVE_HOST:
        case CURLE_COULDNT_CONNECT:
        case CURLE_SSL_CONNECT_ERROR:
        case CURLE_PEER_FAILED_VERIFICATION:
        case CURLE_SEND_ERROR:
            return KovaStateNoConnection;
        case CURLE_WRITE_ERROR:
        case CURLE_FILESIZE_EXCEEDED:
        case CURLE_OUT_OF_MEMORY:
        case CURLE_RECV_ERROR:
        case CURLE_PARTIAL_FILE:
        case CURLE_ABORTED_BY_CALLBACK:
            return KovaStateLocalFailure;
        case CURLE_OPERATION_TIMEDOUT:
        default:
            return connected ? KovaStateRequestFailed : KovaStateNoConnection;
    }
}

std::string EscapeSpaces(const std::string& request) {
    std::string out;
    out.reserve(request.size());
    for (const char c : request) {
        if (c == ' ')
            out += "%20";
        else
            out += c;
    }
    return out;
}

void RunBody(KovaWorker* worker, std::string url, KovaLimits limits) {
    const int32_t state = KovaTransfer(url, worker->cacheFile, limits, worker->stopping);
    // Release: the cache file is complete before anyone sees the final state.
    worker->state.store(state, std::memory_order_release);
}

}  // namespace

int32_t KovaTransfer(const std::string& url, const char* cacheFile, const KovaLimits& limits,
                     const std::atomic<bool>& stopping) {
    std::remove(cacheFile);
    // Only web addresses: a file: or ftp: URL would let a server text read
    // or touch other things than the score server.
    if (!IsWebUrl(url)) return KovaStateNoConnection;

    static std::once_flag globalInit;
    static bool curlReady = false;
    std::call_once(globalInit, [] { curlReady = curl_global_init(CURL_GLOBAL_DEFAULT) == CURLE_OK; });
    if (!curlReady) return KovaStateNoClient;
    CURL* curl = curl_easy_init();
    if (!curl) return KovaStateNoClient;

    BodySink sink;
    sink.limit = limits.maxBodyBytes;
    sink.file = std::fopen(cacheFile, "wb");
    if (!sink.file) {
        curl_easy_cleanup(curl);
        return KovaStateLocalFailure;
    }

    curl_slist* headers = curl_slist_append(nullptr, "Cache-Control: no-cache");
    headers = curl_slist_append(headers, "Pragma: no-cache");
    curl_easy_setopt(curl, CURLOPT_URL, url.c_str());
    curl_easy_setopt(curl, CURLOPT_PROTOCOLS_STR, "http,https");
    curl_easy_setopt(curl, CURLOPT_REDIR_PROTOCOLS_STR, "http,https");
    curl_easy_setopt(curl, CURLOPT_FOLLOWLOCATION, 1L);
    curl_easy_setopt(curl, CURLOPT_MAXREDIRS, 5L);
    curl_easy_setopt(curl, CURLOPT_NOSIGNAL, 1L);
    curl_easy_setopt(curl, CURLOPT_PROXY, "");
    curl_easy_setopt(curl, CURLOPT_USERAGENT, "Kova/1.00");
    curl_easy_setopt(curl, CURLOPT_HTTPHEADER, headers);
    curl_easy_setopt(curl, CURLOPT_CONNECTTIMEOUT_MS, limits.connectTimeoutMs);
    curl_easy_setopt(curl, CURLOPT_TIMEOUT_MS, limits.totalTimeoutMs);
    curl_easy_setopt(curl, CURLOPT_MAXFILESIZE_LARGE, curl_off_t(limits.maxBodyBytes));
    curl_easy_setopt(curl, CURLOPT_WRITEFUNCTION, WriteBody);
    curl_easy_setopt(curl, CURLOPT_WRITEDATA, &sink);
    curl_easy_setopt(curl, CURLOPT_NOPROGRESS, 0L);
    curl_easy_setopt(curl, CURLOPT_XFERINFOFUNCTION, CheckStop);
    curl_easy_setopt(curl, CURLOPT_XFERINFODATA, const_cast<std::atomic<bool>*>(&stopping));

    const CURLcode code = curl_easy_perform(curl);
    long status = 0;
    curl_easy_getinfo(curl, CURLINFO_RESPONSE_CODE, &status);
    curl_off_t connectTime = 0;
    curl_easy_getinfo(curl, CURLINFO_CONNECT_TIME_T, &connectTime);
    curl_easy_cleanup(curl);
    curl_slist_free_all(headers);
    const bool closed = std::fclose(sink.file) == 0;

    int32_t state = KovaStateDone;
    if (code != CURLE_OK)
        state = StateForError(code, connectTime > 0 || status != 0);
    else if (status != 200)
        state = KovaStateRequestFailed;
    else if (!closed)
        state = KovaStateLocalFailure;
    if (state != KovaStateDone) std::remove(cacheFile);
    return state;
}

KovaWorker::~KovaWorker() {
    stopping.store(true);
    if (thread.joinable()) thread.join();
}

int32_t KovaStartWorker(KovaWorker& worker, const std::string& request, const std::string& server) {
    if (worker.state.load(std::memory_order_acquire) == KovaStateRunning) return KovaWorkerBusy;
    // The previous thread has stored its final state; this only reaps it.
    if (worker.thread.joinable()) worker.thread.join();
    worker.state.store(KovaStateRunning);
    std::string url = server + "/" + EscapeSpaces(request);
    if (!worker.threaded) {
        RunBody(&worker, std::move(url), KovaTransferLimits);
        return KovaWorkerStarted;
    }
    try {
        worker.thread = std::thread(RunBody, &worker, std::move(url), KovaTransferLimits);
    } catch (...) {
        worker.state.store(KovaStateLocalFailure);
    }
    return KovaWorkerStarted;
}

void KovaResetWorkerState(KovaWorker& worker) {
    int32_t current = worker.state.load();
    while (current != KovaStateRunning && !worker.state.compare_exchange_weak(current, KovaStateInitial)) {
    }
}

void KovaJoinWorker(KovaWorker& worker) {
    if (worker.thread.joinable()) worker.thread.join();
}
