// The game's binding to the network request library, loaded at run time from
// the file beside the program. When it is missing, or lacks an entry point,
// every call below behaves as if the network were down: nothing is queued,
// nothing is received, and the waits end at once.
#pragma once

#include <string>

// Loads the library and resolves its 13 entry points; 1 when bound, else 0.
int BindNetworkLibrary();
// Binds from an explicit file (tests); "" unbinds.
int BindNetworkLibraryFrom(const std::string& path);
bool NetworkLibraryBound();

// Thin wrappers: texts go in as zero-terminated copies, texts coming back are
// copied at once.
void NetSetServer(const std::string& server);
void NetSetDelimiter(const std::string& delimiter);
void NetSetKey(const std::string& key);
void NetSetKeySend(const std::string& key);
void NetSetKeyReceive(const std::string& key);
int NetUpdate();
void NetSend(int id, const std::string& request, int encrypt, int front);
int NetCommandsInQueue();
int NetCancel(int id);
int NetReceive(int id);
int NetState();
std::string NetResult(int line);
int NetLineCount();

// The server text the game talks to: "http://" + host + "/scores".
std::string ScoreServerText();
