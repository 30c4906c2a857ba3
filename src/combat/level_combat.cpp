// The per-level combat settings, read from data/levels/combat_settings.txt.
#include <cstdio>
#include <cstdlib>
#include <sstream>
#include <vector>

#include "combat/invaders.h"
#include "combat/pickups.h"
#include "combat/ufo.h"
#include "common/data_lines.h"
#include "common/resources.h"
#include "effects/flying_text.h"
#include "game/game_state.h"
#include "game/levels.h"

namespace {

enum class Step { SetInt, SetFloat, Mark, Caption };

struct Setting {
    Step step = Step::SetInt;
    int* intTarget = nullptr;
    float* floatTarget = nullptr;
    float value = 0;
    int a = 0, b = 0;  // MarkCarriers value and kind, or Caption index and delay
};

struct NamedInt {
    const char* name;
    int* target;
};
struct NamedFloat {
    const char* name;
    float* target;
};

const NamedInt IntSettings[] = {
    {"PowerupKind", &PowerupKind},         {"PowerupBarShown", &PowerupBarShown},
    {"BaseShieldLook", &BaseShieldLook},   {"MaxPlayerShots", &MaxPlayerShots},
    {"FireCooldown", &FireCooldown},       {"FireDelay", &FireDelay},
    {"InvaderMovePattern", &InvaderMovePattern}, {"InvaderFireChance", &InvaderFireChance},
    {"BigEarthLevel", &BigEarthLevel},     {"PickupCarriers", &PickupCarriers},
    {"UfoTimer", &UfoTimer},               {"UfoState", &UfoState},
};
const NamedFloat FloatSettings[] = {
    {"PowerupTime", &PowerupTime},
    {"PowerupDecay", &PowerupDecay},
    {"EarthGrowPerHit", &EarthGrowPerHit},
    {"EarthShrinkPerKill", &EarthShrinkPerKill},
};

std::vector<Setting> LevelSettings[LevelTotal + 1];

bool ParsePair(const std::string& text, int& a, int& b) {
    char comma = 0, extra = 0;
    std::istringstream in(text);
    return bool(in >> a >> comma >> b) && comma == ',' && !(in >> extra);
}

bool ParseNumber(const std::string& text, float& value) {
    char* end = nullptr;
    value = std::strtof(text.c_str(), &end);
    return !text.empty() && *end == 0;
}

// One NAME=VALUE token; "" or what is wrong with it.
std::string ParseSetting(const std::string& token, Setting& s) {
    const size_t eq = token.find('=');
    if (eq == std::string::npos) return "'" + token + "' is not NAME=VALUE";
    const std::string name = token.substr(0, eq), value = token.substr(eq + 1);
    if (name == "MarkCarriers" || name == "Caption") {
        s.step = name == "Caption" ? Step::Caption : Step::Mark;
        if (!ParsePair(value, s.a, s.b)) return name + " wants two numbers, not '" + value + "'";
        return "";
    }
    if (!ParseNumber(value, s.value)) return "'" + value + "' is not a number";
    for (const NamedInt& n : IntSettings) {
        if (name != n.name) continue;
        if (s.value != float(int(s.value))) return name + " wants a whole number";
        s.step = Step::SetInt, s.intTarget = n.target;
        return "";
    }
    for (const NamedFloat& n : FloatSettings) {
        if (name == n.name) {
            s.step = Step::SetFloat, s.floatTarget = n.target;
            return "";
        }
    }
    return "unknown setting '" + name + "'";
}

std::string ParseLine(const std::string& line, std::vector<Setting> (&table)[LevelTotal + 1]) {
    const size_t bar = line.find('|');
    if (bar == std::string::npos) return "no '|' between the levels and the settings";
    std::vector<int> levels;
    std::istringstream levelText(line.substr(0, bar));
    for (std::string word; levelText >> word;) {
        float v = 0;
        if (!ParseNumber(word, v) || v != float(int(v)) || v < 1 || v > LevelTotal)
            return "'" + word + "' is not a level 1 to 100";
        levels.push_back(int(v));
    }
    if (levels.empty()) return "no level before the '|'";
    std::vector<Setting> settings;
    std::istringstream settingText(line.substr(bar + 1));
    for (std::string token; settingText >> token;) {
        Setting s;
        const std::string fault = ParseSetting(token, s);
        if (!fault.empty()) return fault;
        settings.push_back(s);
    }
    if (settings.empty()) return "no settings after the '|'";
    for (int level : levels) table[level].insert(table[level].end(), settings.begin(), settings.end());
    return "";
}

}  // namespace

std::string ParseLevelCombatSettings(std::string_view text) {
    std::vector<Setting> table[LevelTotal + 1];
    std::string fault;
    ForEachDataLine(text, [&](const std::string& line, int lineNo) {
        fault = ParseLine(line, table);
        if (!fault.empty()) fault = "line " + std::to_string(lineNo) + ": " + fault;
        return fault.empty();
    });
    if (!fault.empty()) {
        for (auto& settings : LevelSettings) settings.clear();
        return fault;
    }
    for (int level = 0; level <= LevelTotal; ++level) LevelSettings[level] = std::move(table[level]);
    return "";
}

void LoadLevelCombatSettings() {
    const char* const name = "levels/combat_settings.txt";
    const std::string fault = ParseLevelCombatSettings(RequireTextResource(name));
    if (!fault.empty()) {
        std::fprintf(stderr, "orbivore: %s: %s\n", name, fault.c_str());
        std::exit(1);
    }
}

void ApplyLevelCombatSettings(int level) {
    if (level < 1 || level > LevelTotal) return;
    // Queuing a caption clears LevelFreshStart, so ask once for all of them.
    const bool fresh = LevelFreshStart == 1;
    for (const Setting& s : LevelSettings[level]) {
        switch (s.step) {
        case Step::SetInt: *s.intTarget = int(s.value); break;
        case Step::SetFloat: *s.floatTarget = s.value; break;
        case Step::Mark: MarkCarriers(s.a, s.b); break;
        case Step::Caption:
            if (fresh) SpawnFlyingText(s.a, s.b);
            break;
        }
    }
    // A level's own pattern outlasts the speed pickups.
    if (InvaderMovePattern > 0) ResetPatternAfterPowerup = 0;
}
