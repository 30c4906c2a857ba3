// The embedded back-end: a SQLite file. One connection shared by the HTTP
// threads behind a mutex (SQLite writes one at a time anyway); every
// statement is prepared once.
#pragma once

#include "../score_store.h"

std::unique_ptr<ScoreStore> OpenSqliteStore(const std::string& path, std::string& error, bool mustExist = false);
