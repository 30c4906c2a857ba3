// Feeds arbitrary requests to the score server's parser. The first byte
// picks the script and whether the rest is sent enciphered (as the game
// does, so the inner fields get exercised) or as the raw query.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "kova_cipher.h"
#include "score_request.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size == 0) return 0;
    const std::string key = "t41vb7kQz81Rk3m";
    static const char* const Scripts[] = {"orbivore_win.php", "VersionCheck.php", "x.php", ""};
    const std::string script = Scripts[data[0] % 4];
    std::string query(reinterpret_cast<const char*>(data + 1), size - 1);
    if (data[0] & 4) query = "KOVA_argEncrypted=" + KovaEncipher(query, key);
    const ScoreRequest r = ParseScoreRequest(script, query, key);
    if (!r.valid) return 0;
    if (r.action == ScoreAction::GetScores && (r.count < 0 || r.count > MaxScoresListed)) std::abort();
    if (r.action == ScoreAction::AddScore) {
        if (r.entry.name.empty() || r.entry.name.size() > MaxNameLength) std::abort();
        if (r.entry.level.size() != 7 || r.entry.date.size() != 11 || r.entry.score < 0) std::abort();
        // Names are the game's 8-bit text: any printable byte, Latin-1
        // letters included, never a control character (a line break would
        // split the game's one-name-a-line lists), never only spaces.
        if (r.entry.name.find_first_not_of(' ') == std::string::npos) std::abort();
        for (const char c : r.entry.name) {
            const auto b = static_cast<unsigned char>(c);
            if (b < 32 || (b >= 127 && b < 160)) std::abort();
        }
        for (const char c : r.entry.version)
            if (c < 32 || c > 126 || c == '\'' || c == '"' || c == ';') std::abort();
    }
    return 0;
}
