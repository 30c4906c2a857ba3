#include "score_store.h"

#include "postgresql/postgresql_store.h"
#include "sqlite/sqlite_store.h"

bool IsPostgresqlUri(const std::string& database) {
    return database.rfind("postgresql://", 0) == 0 || database.rfind("postgres://", 0) == 0;
}

std::unique_ptr<ScoreStore> OpenScoreStore(const std::string& database, int connections, std::string& error,
                                           bool mustExist) {
    if (IsPostgresqlUri(database)) return OpenPostgresqlStore(database, connections, error, mustExist);
    return OpenSqliteStore(database, error, mustExist);
}
