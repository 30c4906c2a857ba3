// The orbivore-scores program run as a child process, for what only the
// program does: its command line, its start-up line and its signals.
#pragma once

#include <sys/types.h>

#include <string>
#include <vector>

struct ServerProcess {
    pid_t pid = -1;
    int port = 0;
    std::string startLine;  // the first line it wrote on standard error
    int output = -1;        // the rest of standard error
    ~ServerProcess();       // kills it if it is still running
};

// Starts the program with these arguments and reads its start-up line;
// false (and nothing left running) when that line does not come.
bool StartServerProcess(ServerProcess& server, const std::vector<std::string>& arguments);
// Sends SIGTERM and waits up to timeoutMs for the exit; the exit status,
// or -1 when it was still running (it is killed then).
int StopServerProcess(ServerProcess& server, int timeoutMs = 30000);
