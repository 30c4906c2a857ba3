// The server's face beside the game's requests: the leaderboard page at
// "/" and "/scores/", /api/top for community tools, /healthz for a load
// balancer and /metrics for a monitor.
#pragma once

#include <string>

#include "http/http_core.h"

struct ScoreServer;

// The route a path names ("page", "api", "healthz", "metrics"), or null.
// /metrics is only here while it has no address of its own.
const char* FaceRoute(const ScoreServer& server, const std::string& path);
// Answers a GET or HEAD of a route FaceRoute named.
HttpReply AnswerFace(ScoreServer& server, const std::string& route, const HttpRequest& request);
// The handler of the separate metrics address.
HttpReply AnswerMetricsAddress(ScoreServer& server, const HttpRequest& request);
