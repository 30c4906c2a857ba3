// Settings files put together by hand from the record layout, so that the
// tests do not check the writer against itself.
#pragma once

#include <string>

std::string Int32(int value);  // little-endian
std::string FirstRunFile();

// Every saved setting set to a valid value that is not its default, with
// high bytes in the name and non-blank spare texts.
void SetUnusualSettings();

// Where each record starts in a file.
constexpr size_t ScreenWidthAt = 38, OffsetXAt = 46, GlowAmountAt = 66, OnlineCountAt = 70, PlayerNameAt = 74;
