#include "server_process.h"

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <thread>

ServerProcess::~ServerProcess() {
    if (output >= 0) ::close(output);
    if (pid > 0 && waitpid(pid, nullptr, WNOHANG) == 0) {
        kill(pid, SIGKILL);
        waitpid(pid, nullptr, 0);
    }
}

bool StartServerProcess(ServerProcess& server, const std::vector<std::string>& arguments) {
    int out[2];
    if (pipe(out) != 0) return false;
    std::vector<char*> argv = {const_cast<char*>(ORBIVORE_SCORES_PATH)};
    for (const std::string& a : arguments) argv.push_back(const_cast<char*>(a.c_str()));
    argv.push_back(nullptr);
    server.pid = fork();
    if (server.pid == 0) {
        dup2(out[1], 2);
        execv(ORBIVORE_SCORES_PATH, argv.data());
        _exit(127);
    }
    ::close(out[1]);
    if (server.pid < 0) return ::close(out[0]), false;
    // The start-up line; the pipe then stays open, unread, behind --quiet
    // or --log.
    server.output = out[0];
    char c = 0;
    while (server.startLine.size() < 512 && ::read(out[0], &c, 1) == 1 && c != '\n') server.startLine += c;
    const std::string& line = server.startLine;
    const size_t path = line.find("/scores", line.find("http://"));
    const size_t colon = path == std::string::npos ? path : line.rfind(':', path);
    if (colon != std::string::npos) server.port = std::atoi(line.c_str() + colon + 1);
    if (server.port > 0) return true;
    kill(server.pid, SIGKILL);
    waitpid(server.pid, nullptr, 0);
    server.pid = -1;
    return false;
}

int StopServerProcess(ServerProcess& server, int timeoutMs) {
    if (server.pid <= 0 || kill(server.pid, SIGTERM) != 0) return -1;
    int status = 0;
    for (int waited = 0; waited < timeoutMs; waited += 50) {
        if (waitpid(server.pid, &status, WNOHANG) == server.pid) {
            server.pid = -1;
            return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    return -1;
}
