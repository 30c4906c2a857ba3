/* Kova: a small HTTP GET request library with a polled command queue.
 *
 * The caller queues requests with KOVA__Send, calls KOVA_Update repeatedly
 * and collects finished commands with KOVA_Receive; the library never calls
 * back. Requests run one at a time on a worker thread, each reply lands in a
 * cache file in the working directory and comes back split into lines.
 * Every export must be called from one and the same thread.
 *
 * States (worker, command and received result):
 *   0  nothing run since the server was set      1  running
 *   2  finished, the reply is available
 *   3  no HTTP client could be created
 *   4  connecting failed (bad or non-http URL, refused, unreachable, connect timeout)
 *   5  the request failed (no reply, status not 200, the transfer timed out)
 *   6  local failure (cache file, memory, reply over the size limit, broken read)
 *   99 waiting in the queue (commands only)
 *
 * Texts are zero-terminated 8-bit strings; the library copies what it is
 * given. A text returned by KOVA__GetResult stays valid until the next call.
 */
#ifndef KOVA_H
#define KOVA_H

#include <stdint.h>

#if defined(_WIN32)
#define KOVA_CALL __stdcall
#ifdef KOVA_BUILDING
#define KOVA_API __declspec(dllexport)
#else
#define KOVA_API __declspec(dllimport)
#endif
#else
#define KOVA_CALL
#define KOVA_API __attribute__((visibility("default")))
#endif

#ifdef __cplusplus
extern "C" {
#endif

/* The URL prefix every request is relative to, without a trailing slash. */
KOVA_API void KOVA_CALL KOVA_SetServer(const char* server);
KOVA_API void KOVA_CALL KOVA__SetServer(const char* server);
/* Keys of the request and reply ciphers; KOVA_SetKey sets both. */
KOVA_API void KOVA_CALL KOVA_SetKeySend(const char* key);
KOVA_API void KOVA_CALL KOVA__SetKeySend(const char* key);
KOVA_API void KOVA_CALL KOVA_SetKeyReceive(const char* key);
KOVA_API void KOVA_CALL KOVA__SetKeyReceive(const char* key);
KOVA_API void KOVA_CALL KOVA_SetKey(const char* key);
KOVA_API void KOVA_CALL KOVA__SetKey(const char* key);
/* Where replies are split into lines; a CR by default. */
KOVA_API void KOVA_CALL KOVA_SetDelimiter(const char* delimiter);
KOVA_API void KOVA_CALL KOVA__SetDelimiter(const char* delimiter);

/* Queues a request (path and query relative to the server). encrypt 1 sends
 * the query enciphered; front non-zero puts it ahead of the queue. id -999
 * runs it at once, inside this call, straight into the received result. */
KOVA_API void KOVA_CALL KOVA__Send(int32_t id, const char* request, int32_t encrypt, int32_t front);
/* Advances the queue by at most one step; the result means nothing. */
KOVA_API int32_t KOVA_CALL KOVA_Update(void);
/* Waiting, running and finished-but-not-received commands. */
KOVA_API int32_t KOVA_CALL KOVA_GetNumberOfCommandsInQueue(void);
/* 1 when a finished command with this id was moved into the received result. */
KOVA_API int32_t KOVA_CALL KOVA_Receive(int32_t id);
KOVA_API int32_t KOVA_CALL KOVA_GetState(void);
/* Line n (from 1), or the whole reply for -1 or any n out of range; empty
 * unless the received state is 2. */
KOVA_API const char* KOVA_CALL KOVA__GetResult(int32_t n);
KOVA_API int32_t KOVA_CALL KOVA_GetNbOfLines(void);
/* Drops waiting commands with this id and those with id -1; returns 0. */
KOVA_API int32_t KOVA_CALL KOVA_Cancel(int32_t id);

#ifdef __cplusplus
}
#endif

#endif
