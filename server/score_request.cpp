#include "score_request.h"

#include <cctype>
#include <map>

#include "common/score_rows.h"
#include "kova_cipher.h"

namespace {

using Fields = std::map<std::string, std::string>;

ScoreRequest Refused(const std::string& why) {
    ScoreRequest r;
    r.error = why;
    return r;
}

bool IsDigits(const std::string& s, size_t minLength, size_t maxLength) {
    if (s.size() < minLength || s.size() > maxLength) return false;
    for (const char c : s)
        if (c < '0' || c > '9') return false;
    return true;
}

bool IsHex(const std::string& s) {
    for (const char c : s)
        if (!std::isxdigit(static_cast<unsigned char>(c))) return false;
    return true;
}

// The fields the game's requests carry. A name from a settings file may
// hold "&": a part after the name that is not one of these is the rest of it.
bool IsKnownField(const std::string& name) {
    for (const char* known : {"option", "user", "level", "point", "date", "version", "mz_ip", "platform", "KOVA_id", "nbscore"})
        if (name == known) return true;
    return false;
}

// "a=1&b=2"; every part needs a name and an "="; a name twice is refused.
bool SplitQuery(const std::string& query, Fields& fields, bool nameMayHoldAmpersands = false) {
    size_t start = 0;
    std::string previous;
    while (start <= query.size()) {
        size_t end = query.find('&', start);
        if (end == std::string::npos) end = query.size();
        const std::string part = query.substr(start, end - start);
        start = end + 1;
        const size_t eq = part.find('=');
        if (nameMayHoldAmpersands && previous == "user" &&
            (eq == std::string::npos || !IsKnownField(part.substr(0, eq)))) {
            fields[previous] += "&" + part;
            continue;
        }
        if (eq == std::string::npos || eq == 0) return false;
        previous = part.substr(0, eq);
        if (!fields.emplace(previous, part.substr(eq + 1)).second) return false;
        if (fields.size() > 16) return false;
    }
    return true;
}

}  // namespace

bool IsAcceptedName(const std::string& s) { return !s.empty() && s.size() <= MaxNameLength && IsScoreName(s); }

namespace {

// "05 Mar 2024".
bool IsDate(const std::string& s) {
    static const char* const Months[] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                         "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
    if (s.size() != 11 || s[2] != ' ' || s[6] != ' ') return false;
    if (!IsDigits(s.substr(0, 2), 2, 2) || !IsDigits(s.substr(7), 4, 4)) return false;
    const int day = std::stoi(s.substr(0, 2));
    if (day < 1 || day > 31) return false;
    for (const char* m : Months)
        if (s.compare(3, 3, m) == 0) return true;
    return false;
}

bool IsVersion(const std::string& s) {
    if (s.empty() || s.size() > 8) return false;
    for (const char c : s)
        if (!((c >= '0' && c <= '9') || c == '.')) return false;
    return true;
}

bool IsPlainField(const std::string& s) {
    if (s.size() > 40) return false;
    for (const char c : s)
        if (c < 32 || c > 126) return false;
    return true;
}

ScoreRequest ReadAddScore(const Fields& f) {
    for (const char* name : {"user", "level", "point", "date", "version"})
        if (!f.count(name)) return Refused(std::string("missing ") + name);
    ScoreRequest r;
    r.action = ScoreAction::AddScore;
    r.entry.name = f.at("user");
    r.entry.level = f.at("level");
    r.entry.date = f.at("date");
    r.entry.version = f.at("version");
    if (!IsAcceptedName(r.entry.name)) return Refused("bad user");
    if (!IsLevelText(r.entry.level)) return Refused("bad level");
    if (!IsDate(r.entry.date)) return Refused("bad date");
    if (!IsVersion(r.entry.version)) return Refused("bad version");
    const std::string& point = f.at("point");
    if (!IsDigits(point, 1, 10)) return Refused("bad point");
    r.entry.score = std::stoll(point);
    if (r.entry.score > 2147483647) return Refused("bad point");
    for (const char* name : {"mz_ip", "platform"})
        if (f.count(name) && !IsPlainField(f.at(name))) return Refused(std::string("bad ") + name);
    r.valid = true;
    return r;
}

ScoreRequest ReadGetScores(const Fields& f) {
    ScoreRequest r;
    r.action = ScoreAction::GetScores;
    r.count = DefaultScoresListed;
    if (f.count("nbscore")) {
        if (!IsDigits(f.at("nbscore"), 1, 3)) return Refused("bad nbscore");
        r.count = std::stoi(f.at("nbscore"));
        if (r.count > MaxScoresListed) r.count = MaxScoresListed;
    }
    r.valid = true;
    return r;
}

}  // namespace

ScoreRequest ParseScoreRequest(const std::string& script, const std::string& query, const std::string& key) {
    if (query.size() > MaxQueryLength) return Refused("query too long");
    Fields outer;
    if (!SplitQuery(query, outer) || outer.size() != 1 || !outer.count("KOVA_argEncrypted"))
        return Refused("expected one enciphered query");
    const std::string& hex = outer.at("KOVA_argEncrypted");
    if (hex.empty() || hex.size() % 2 != 0 || !IsHex(hex)) return Refused("bad hexadecimal");

    Fields f;
    if (!SplitQuery(KovaDecipher(hex, key), f, true)) return Refused("bad query");
    if (f.count("KOVA_id") && !IsDigits(f.at("KOVA_id"), 1, 10)) return Refused("bad KOVA_id");
    const std::string option = f.count("option") ? f.at("option") : std::string();

    if (script == "orbivore_win.php") {
        if (option == "addscore") return ReadAddScore(f);
        if (option == "getscore") return ReadGetScores(f);
        return Refused("unknown option");
    }
    if (script == "VersionCheck.php") {
        if (option != "getversion") return Refused("unknown option");
        ScoreRequest r;
        r.action = ScoreAction::GetVersion;
        r.valid = true;
        return r;
    }
    return Refused("unknown script");
}
