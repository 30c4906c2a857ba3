// What the online table takes from the score server's reply.
#pragma once

#include <string>

// A row the online table can list: a name of printable characters (the
// Latin-1 letters included, as names are 8-bit), a level text as the game
// writes it ("004-012" or "CLA-007") and a score of decimal digits. Anything
// else (a broken or foreign server, random bytes on its port) is dropped.
bool IsScoreRow(const std::string& name, const std::string& level, const std::string& score);
