// The back-end for more than one machine: a PostgreSQL database through
// libpq. A small pool of connections, each with its statements prepared;
// a broken connection is made again on the next request, so the server
// answers "unavailable" while the database is away and recovers by itself.
#pragma once

#include "../score_store.h"

// mustExist: the database has to hold the scores already (a command that
// changes it must never make an empty one somewhere by mistake).
std::unique_ptr<ScoreStore> OpenPostgresqlStore(const std::string& uri, int connections, std::string& error,
                                                bool mustExist = false);
