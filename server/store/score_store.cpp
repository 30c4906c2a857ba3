#include "score_store.h"

#include "postgresql/postgresql_store.h"
#include "sqlite/sqlite_store.h"

std::unique_ptr<ScoreStore> OpenScoreStore(const std::string& database, int connections, std::string& error) {
    if (database.rfind("postgresql://", 0) == 0 || database.rfind("postgres://", 0) == 0)
        return OpenPostgresqlStore(database, connections, error);
    return OpenSqliteStore(database, error);
}
