// Runs a command line to its end: its exit status and what it wrote on
// standard output and standard error together.
#pragma once

#include <sys/wait.h>

#include <algorithm>
#include <cstdio>
#include <string>

struct ProgramRun {
    int status = -1;  // the exit status; -1 when it did not exit
    std::string said;
    int Lines() const { return int(std::count(said.begin(), said.end(), '\n')); }
};

inline ProgramRun RunProgram(const std::string& command) {
    ProgramRun run;
    FILE* out = popen((command + " 2>&1").c_str(), "r");
    if (!out) return run;
    char buffer[512];
    size_t got;
    while ((got = std::fread(buffer, 1, sizeof buffer, out)) > 0) run.said.append(buffer, got);
    const int status = pclose(out);
    if (WIFEXITED(status)) run.status = WEXITSTATUS(status);
    return run;
}
