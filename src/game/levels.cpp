#include "game/levels.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "common/resources.h"
#include "game/game_state.h"

LevelRow LevelTable[LevelTotal + 1];
int InvaderHp[6] = {0, 1, 1, 1, 1, 1};
int LevelPickupKind = 0;
int PickupCarriers = 0;

namespace {

// The level parameters a row may set by name; exactly one of i and f is set.
struct SettingTarget {
    const char* name;
    int* i;
    float* f;
};

const SettingTarget SettingTargets[] = {
    {"SaucerLevel", &SaucerLevel, nullptr},
    {"SaucersLeft", &SaucersLeft, nullptr},
    {"BossLevel", &BossLevel, nullptr},
    {"BossBurstRadius", &BossBurstRadius, nullptr},
    {"BigEarthLevel", &BigEarthLevel, nullptr},
    {"EarthRadius", nullptr, &EarthRadius},
    {"BigEarthTarget", &BigEarthTarget, nullptr},
    {"MaxInvaderShots", &MaxInvaderShots, nullptr},
    {"InvaderFireChance", &InvaderFireChance, nullptr},
    {"EarthGrowPerHit", nullptr, &EarthGrowPerHit},
    {"EarthShrinkPerKill", nullptr, &EarthShrinkPerKill},
    {"PowerupDecay", nullptr, &PowerupDecay},
};

const SettingTarget* FindTarget(std::string_view name) {
    for (const SettingTarget& t : SettingTargets)
        if (name == t.name) return &t;
    return nullptr;
}

std::string_view Trimmed(std::string_view s) {
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t' || s.back() == '\r')) s.remove_suffix(1);
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
    return s;
}

std::vector<std::string_view> Split(std::string_view s, char sep) {
    std::vector<std::string_view> parts;
    for (;;) {
        const size_t at = s.find(sep);
        parts.push_back(Trimmed(s.substr(0, at)));
        if (at == std::string_view::npos) return parts;
        s.remove_prefix(at + 1);
    }
}

// A whole non-negative integer, the entire field.
bool ParseInt(std::string_view s, int& out) {
    if (s.empty() || s.size() > 9) return false;
    int v = 0;
    for (char c : s) {
        if (c < '0' || c > '9') return false;
        v = v * 10 + (c - '0');
    }
    out = v;
    return true;
}

bool ParseFloat(std::string_view s, float& out) {
    const std::string text(s);
    char* end = nullptr;
    const float v = std::strtof(text.c_str(), &end);
    if (text.empty() || end != text.c_str() + text.size() || !std::isfinite(v)) return false;
    out = v;
    return true;
}

bool ParseQuoted(std::string_view s, std::string& out) {
    if (s.size() < 2 || s.front() != '"' || s.back() != '"') return false;
    s = s.substr(1, s.size() - 2);
    if (s.find('"') != std::string_view::npos) return false;
    out = std::string(s);
    return true;
}

// Fills row from the fields after the level number; "" or what is wrong.
std::string ParseRow(const std::vector<std::string_view>& f, LevelRow& row) {
    if (f.size() != 8) return "expected 8 fields separated by |, found " + std::to_string(f.size());
    if (!ParseQuoted(f[1], row.Title) || row.Title.empty()) return "the title must be a non-empty quoted text";
    if (!ParseQuoted(f[2], row.SecondLine)) return "the second line must be a quoted text (\"\" for none)";
    const std::vector<std::string_view> hp = Split(f[3], ' ');
    if (hp.size() != 5) return "expected five hit points";
    for (int k = 0; k < 5; ++k)
        if (!ParseInt(hp[size_t(k)], row.HitPoints[k]) || row.HitPoints[k] < 1)
            return "hit points must be whole numbers of at least 1";
    if (!ParseInt(f[4], row.Waves) || row.Waves < 1) return "waves must be a whole number of at least 1";
    if (!ParseInt(f[5], row.PickupKind)) return "the pickup kind must be a whole number";
    if (!ParseInt(f[6], row.Carriers)) return "carriers must be a whole number";
    row.Specials.clear();
    if (f[7].empty()) return "";
    for (std::string_view item : Split(f[7], ' ')) {
        if (item.empty()) continue;
        const size_t eq = item.find('=');
        if (eq == std::string_view::npos) return "special setting \"" + std::string(item) + "\" is not Name=value";
        const std::string_view name = item.substr(0, eq);
        const SettingTarget* target = FindTarget(name);
        if (!target) return "unknown special setting \"" + std::string(name) + "\"";
        LevelSetting s{std::string(name), 0};
        if (!ParseFloat(item.substr(eq + 1), s.value)) return "bad value for " + s.name;
        if (target->i && s.value != std::floor(s.value)) return s.name + " takes a whole number";
        row.Specials.push_back(s);
    }
    return "";
}

}  // namespace

std::string ParseLevelTable(std::string_view text, LevelRow (&rows)[LevelTotal + 1]) {
    int level = 0, lineNumber = 0;
    while (!text.empty()) {
        const size_t end = text.find('\n');
        const std::string_view line = Trimmed(text.substr(0, end));
        text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
        ++lineNumber;
        if (line.empty() || line[0] == '#') continue;
        const std::string at = "line " + std::to_string(lineNumber) + ": ";
        const std::vector<std::string_view> fields = Split(line, '|');
        int number = 0;
        if (!ParseInt(fields[0], number) || number != level + 1)
            return at + "expected level " + std::to_string(level + 1);
        if (number > LevelTotal) return at + "more than " + std::to_string(LevelTotal) + " levels";
        const std::string fault = ParseRow(fields, rows[number]);
        if (!fault.empty()) return at + fault;
        level = number;
    }
    if (level != LevelTotal) return "only " + std::to_string(level) + " of " + std::to_string(LevelTotal) + " levels";
    return "";
}

void LoadLevelTable() {
    const char* const name = "levels/levels.txt";
    const std::string fault = ParseLevelTable(RequireTextResource(name), LevelTable);
    if (!fault.empty()) {
        std::fprintf(stderr, "orbivore: built-in %s: %s\n", name, fault.c_str());
        std::exit(1);
    }
}

void ApplyLevelDefaults(int level) {
    InvaderMovePattern = 0;
    BaseShieldLook = 0;
    PowerupKind = 0;
    EarthRadius = 20;
    LevelFreshStart = 1;
    PowerupTime = 1;
    PowerupDecay = 99;
    PowerupBarShown = 1;
    FireDelay = 20;
    FireCooldown = FireDelay;
    MaxPlayerShots = 5;
    SaucersLeft = 0;
    SaucerLevel = 0;
    SaucersShot = 0;
    SaucerLivesEarned = 0;
    EarthGrowPerHit = 0.2f;
    EarthShrinkPerKill = 0.4f;
    BigEarthTarget = 0;
    InvaderFireChance = 400;
    MaxInvaderShots = level < 11 ? 11 : 16;
    BossLevel = 0;
    BossPulse = 0;
    BossDeathTimer = 0;
    BossDeathPhase = 0;
    BossBurstRadius = 0;
    ResetPatternAfterPowerup = 1;
    BigEarthLevel = 0;
    TimeBonus = 0;
    TargetRingTimer = 240;
    EarthShrinkSteps = 0;
}

void ApplyLevelRow(int level) {
    if (level < 1 || level > LevelTotal) return;
    const LevelRow& row = LevelTable[level];
    for (int k = 0; k < 5; ++k) InvaderHp[k + 1] = row.HitPoints[k];
    WaveCount = row.Waves;
    LevelPickupKind = row.PickupKind;
    PickupCarriers = row.Carriers;
    for (const LevelSetting& s : row.Specials) {
        const SettingTarget* t = FindTarget(s.name);
        if (t && t->i) *t->i = int(s.value);
        if (t && t->f) *t->f = s.value;
    }
}

std::string LevelNumberText(int level) {
    const std::string digits = std::to_string(level);
    return digits.size() == 1 ? "0" + digits : digits;
}

std::string TitleNameLine(const std::string& playerName) {
    std::string line = playerName + "....";
    while (line.size() < 13) line = " " + line + " ";
    return line;
}
