// Score upload and download, and the version check, against the score server.
#pragma once

#include <string>

extern const char* const GameVersion;
// The main menu's bottom line: the credit line, or the new-version notice.
extern std::string MenuFooterText;

// Cuts control characters out of a text that came from the server and bounds
// its length, so it can go into the line-based settings file.
std::string CleanServerText(const std::string& text, size_t maxLength);

// Both wait for the server with a notice on screen, which Escape stops;
// SyncScores is false when it was stopped.
bool SyncScores();
void CheckVersion();
void ShowSyncNotice();
void DrawTextRow(const std::string& text, float row, uint32_t colour);

// The requests as sent, for tests: "orbivore_win.php?option=addscore&user=...".
std::string UploadRequest(const std::string& date);
std::string TodayText();
