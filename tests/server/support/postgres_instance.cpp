#include "postgres_instance.h"

#include <libpq-fe.h>
#include <pwd.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace {

namespace fs = std::filesystem;

// Debian installs the server programs per major version, off PATH.
std::string ServerBinaries() {
    std::string best;
    std::error_code ignored;
    for (const auto& entry : fs::directory_iterator("/usr/lib/postgresql", ignored)) {
        const fs::path bin = entry.path() / "bin";
        if (fs::exists(bin / "initdb") && (best.empty() || bin.string() > best)) best = bin.string();
    }
    return best;
}

std::string Run(const PostgresInstance& pg, const std::string& command) {
    const std::string line = pg.runAs.empty() ? command : "runuser -u " + pg.runAs + " -- " + command;
    return std::system((line + " >>" + pg.folder + "/commands.log 2>&1").c_str()) == 0 ? "" : line;
}

std::string Tail(const std::string& path) {
    std::ifstream in(path);
    std::stringstream text;
    text << in.rdbuf();
    const std::string all = text.str();
    return all.size() > 1500 ? all.substr(all.size() - 1500) : all;
}

std::string StartServer(const PostgresInstance& pg) {
    // Durability is of no use to a throw-away database, and speed is.
    return Run(pg, ServerBinaries() + "/pg_ctl -D " + pg.folder + "/data -l " + pg.folder +
                       "/server.log -w -t 60 -o \"-c listen_addresses='' -k " + pg.folder +
                       " -c fsync=off -c synchronous_commit=off -c full_page_writes=off -c max_connections=200\" start");
}

}  // namespace

bool StartPostgres(PostgresInstance& pg, std::string& error) {
    const std::string bin = ServerBinaries();
    if (bin.empty()) {
        error = "no PostgreSQL server under /usr/lib/postgresql (Debian's postgresql package)";
        return false;
    }
    std::string pattern = (fs::temp_directory_path() / "orbivore-pg-XXXXXX").string();
    if (!mkdtemp(pattern.data())) {
        error = "cannot make a temporary folder";
        return false;
    }
    pg.folder = pattern;
    if (geteuid() == 0) {
        pg.runAs = "nobody";
        const passwd* user = getpwnam(pg.runAs.c_str());
        if (!user || chown(pg.folder.c_str(), user->pw_uid, user->pw_gid) != 0) {
            error = "cannot hand " + pg.folder + " to the user nobody";
            return false;
        }
    }
    std::string failed = Run(pg, bin + "/initdb -D " + pg.folder + "/data -U orbivore -A trust -E UTF8 --no-locale --no-sync");
    if (failed.empty()) failed = StartServer(pg);
    if (!failed.empty()) {
        error = "PostgreSQL did not start: " + failed + "\n" + Tail(pg.folder + "/commands.log") +
                Tail(pg.folder + "/server.log");
        return false;
    }
    pg.running = true;
    return true;
}

bool StopPostgres(PostgresInstance& pg) {
    if (!pg.running) return true;
    pg.running = !Run(pg, ServerBinaries() + "/pg_ctl -D " + pg.folder + "/data -m fast -w stop").empty();
    return !pg.running;
}

bool ResumePostgres(PostgresInstance& pg, std::string& error) {
    const std::string failed = StartServer(pg);
    if (!failed.empty()) {
        error = failed + "\n" + Tail(pg.folder + "/server.log");
        return false;
    }
    pg.running = true;
    return true;
}

std::vector<pid_t> PostgresProcesses(const PostgresInstance& pg) {
    std::vector<pid_t> pids;
    std::ifstream pidFile(pg.folder + "/data/postmaster.pid");
    pid_t postmaster = 0;
    if (!(pidFile >> postmaster) || postmaster <= 0) return pids;
    pids.push_back(postmaster);
    std::error_code ignored;
    for (const auto& entry : fs::directory_iterator("/proc", ignored)) {
        // The fourth field of /proc/PID/stat is the parent; the second, the
        // name in parentheses, holds no spaces for PostgreSQL's processes.
        std::ifstream stat(entry.path() / "stat");
        pid_t pid = 0, parent = 0;
        std::string name, state;
        if (stat >> pid >> name >> state >> parent && parent == postmaster) pids.push_back(pid);
    }
    return pids;
}

void RemovePostgres(PostgresInstance& pg) {
    if (pg.folder.empty()) return;
    if (pg.running) Run(pg, ServerBinaries() + "/pg_ctl -D " + pg.folder + "/data -m immediate -w stop");
    pg.running = false;
    std::error_code ignored;
    fs::remove_all(pg.folder, ignored);
    pg.folder.clear();
}

PostgresInstance& SharedPostgres() {
    static PostgresInstance pg;
    static bool tried = false;
    if (!tried) {
        tried = true;
        StartPostgres(pg, pg.startError);
        std::atexit([] { RemovePostgres(pg); });
    }
    return pg;
}

std::string PostgresUri(const PostgresInstance& pg, const std::string& database) {
    return "postgresql:///" + database + "?host=" + pg.folder + "&user=orbivore";
}

bool CreatePostgresDatabase(const PostgresInstance& pg, const std::string& name, std::string& error) {
    PGconn* c = PQconnectdb(PostgresUri(pg).c_str());
    PGresult* r = PQstatus(c) == CONNECTION_OK ? PQexec(c, ("CREATE DATABASE " + name).c_str()) : nullptr;
    const bool ok = r && PQresultStatus(r) == PGRES_COMMAND_OK;
    if (!ok) error = PQerrorMessage(c);
    PQclear(r);
    PQfinish(c);
    return ok;
}
