// SIGTERM and SIGINT (a desktop logging out, a terminal's Ctrl+C) end the
// program the orderly way, as a closed window does: the handler only notes
// the signal, and the next pump turns it into the quit that saves the
// settings on its way out.
#include <csignal>

#include "platform/platform_internal.h"

namespace {

volatile std::sig_atomic_t QuitSignal = 0;
struct sigaction OldTerm {}, OldInt {};

void NoteQuitSignal(int) { QuitSignal = 1; }

}  // namespace

void InstallQuitSignals() {
    QuitSignal = 0;
    struct sigaction action {};
    action.sa_handler = NoteQuitSignal;
    sigemptyset(&action.sa_mask);
    // Installed before SDL starts, which then leaves them to us.
    sigaction(SIGTERM, &action, &OldTerm);
    sigaction(SIGINT, &action, &OldInt);
}

void RemoveQuitSignals() {
    sigaction(SIGTERM, &OldTerm, nullptr);
    sigaction(SIGINT, &OldInt, nullptr);
}

bool QuitSignalled() { return QuitSignal != 0; }
