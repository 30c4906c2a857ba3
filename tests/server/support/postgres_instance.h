// A private PostgreSQL for tests and benchmarks: initdb into a fresh
// temporary folder, listening only on a unix socket inside it, run as an
// unprivileged user when we are root (PostgreSQL refuses to run as root).
#pragma once

#include <sys/types.h>

#include <string>
#include <vector>

struct PostgresInstance {
    std::string folder;  // data in folder/data, the socket in folder
    std::string runAs;   // "" or the user the server runs as
    bool running = false;
    std::string startError;  // SharedPostgres: why it is not running
};

// One instance for the whole process, started on first use and removed when
// the process ends.
PostgresInstance& SharedPostgres();

// initdb and start; false with the reason (the server's log included).
bool StartPostgres(PostgresInstance& pg, std::string& error);
// Stops (fast) or starts again on the same data, to play an outage.
bool StopPostgres(PostgresInstance& pg);
bool ResumePostgres(PostgresInstance& pg, std::string& error);
// The server's processes, the postmaster first: to stop them dead
// (SIGSTOP) and let them go on, as a hung database host would.
std::vector<pid_t> PostgresProcesses(const PostgresInstance& pg);
// Stops it and removes the folder.
void RemovePostgres(PostgresInstance& pg);

// The URI of one database of the instance ("postgres" always exists).
std::string PostgresUri(const PostgresInstance& pg, const std::string& database = "postgres");
// Creates an empty database; false with a reason.
bool CreatePostgresDatabase(const PostgresInstance& pg, const std::string& name, std::string& error);
