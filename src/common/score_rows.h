// What a score row holds, as the game and the score server both read it:
// the server refuses uploads that break these rules, and the game drops
// rows of a reply that break them. The server links it from the common floor.
#pragma once

#include <string>

// A name of printable 8-bit characters (the Latin-1 letters included, as
// names are 8-bit), not only spaces; no length rule.
bool IsScoreName(const std::string& name);
// A level text as the game writes it: "004-012" (arcade) or "CLA-007".
bool IsLevelText(const std::string& level);
// A row the online table can list: a name, a level text and a score of
// decimal digits. Anything else (a broken or foreign server, random bytes on
// its port) is dropped.
bool IsScoreRow(const std::string& name, const std::string& level, const std::string& score);
