// The server's plain answers.
#pragma once

#include <string>

#include "http/http_core.h"

inline HttpReply Text(int status, const std::string& body) {
    HttpReply reply;
    reply.status = status;
    reply.body = body;
    reply.headers = {{"Content-Type", "text/plain"}, {"Cache-Control", "no-store"}};
    return reply;
}

inline HttpReply Unavailable() {
    HttpReply reply = Text(503, "storage unavailable\n");
    reply.headers.emplace_back("Retry-After", "5");
    return reply;
}
