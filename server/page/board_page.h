// The leaderboard as people see it: the page at "/" and the JSON rows of
// /api/top. Rows come in as the store lists them (names in game text,
// Latin-1); both come out as UTF-8 with every name escaped.
#pragma once

#include <string>
#include <vector>

#include "score_request.h"

std::string RenderBoardPage(const std::vector<ScoreEntry>& arcade, const std::vector<ScoreEntry>& classic);
std::string RenderTopJson(const std::string& mode, const std::vector<ScoreEntry>& rows, size_t limit);
