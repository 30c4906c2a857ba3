// The game's names are 8-bit text, Latin-1; databases, terminals, pages
// and files speak UTF-8. These convert between the two.
#pragma once

#include <string>
#include <string_view>

std::string Latin1ToUtf8(std::string_view text);
// Valid UTF-8 becomes Latin-1 ('?' for characters beyond it); a byte that
// starts no valid sequence is taken as a Latin-1 character of its own, so
// text that is Latin-1 already comes through unchanged.
std::string Utf8ToLatin1(std::string_view text);
// Latin-1 letters in lower case (A-Z and À-Þ but ×).
std::string LowerLatin1(std::string text);
