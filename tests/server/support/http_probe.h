// A bare HTTP client over loopback for the server's tests and benchmarks:
// connects from a chosen source address (127.0.0.2 and up count as other
// clients), so it can play many clients, slow ones included.
#pragma once

#include <string>

struct HttpAnswer {
    int status = 0;  // 0: no answer (refused, closed, timed out)
    std::string body;
};

// A connected socket from source to 127.0.0.1:port, or -1.
int ConnectFrom(const std::string& source, int port);
// Reads one whole answer from a connection whose request was sent.
HttpAnswer ReadAnswer(int fd, int timeoutMs);
// One request on a new connection ("Connection: close").
HttpAnswer Fetch(int port, const std::string& method, const std::string& target,
                 const std::string& source = "127.0.0.1", int timeoutMs = 10000);
// Whether the server has closed the connection within the time (a failure
// bound only: a test waits no longer than it must).
bool ClosedWithin(int fd, int timeoutMs);
// Lets this process hold thousands of sockets.
void RaiseOpenFileLimit();
