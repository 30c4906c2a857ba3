#include "combat/formation_text.h"

#include <cstring>

namespace {

std::string_view Trimmed(std::string_view s) {
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t' || s.back() == '\r')) s.remove_suffix(1);
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
    return s;
}

std::string At(int line, const std::string& what) { return "line " + std::to_string(line) + ": " + what; }

// "formation 12 anything" gives 12; anything else gives 0.
int HeaderNumber(std::string_view line) {
    constexpr std::string_view word = "formation ";
    if (line.substr(0, word.size()) != word) return 0;
    line.remove_prefix(word.size());
    int n = 0;
    size_t i = 0;
    while (i < line.size() && line[i] >= '0' && line[i] <= '9' && n < 1000) n = n * 10 + (line[i++] - '0');
    if (i == 0 || (i < line.size() && line[i] != ' ' && line[i] != '\t')) return -1;
    return n;
}

}  // namespace

std::string ParseFormationText(std::string_view text, uint8_t* table) {
    std::memset(table, 0, FormationTableSize);
    int formation = 0;  // the block being read
    int ring = -1;      // next ring line expected, 5 down to 0; -1 between blocks
    int lineNumber = 0;
    while (!text.empty()) {
        const size_t end = text.find('\n');
        const std::string_view raw = text.substr(0, end);
        text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
        ++lineNumber;
        const std::string_view line = Trimmed(raw);
        if (line.empty() || line[0] == '#') continue;
        if (ring < 0) {
            const int n = HeaderNumber(line);
            if (n <= 0) return At(lineNumber, "expected \"formation " + std::to_string(formation + 1) + "\"");
            if (n != formation + 1)
                return At(lineNumber, "formation " + std::to_string(n) + " out of order, expected " +
                                          std::to_string(formation + 1));
            if (n > FormationCount) return At(lineNumber, "more than " + std::to_string(FormationCount) + " formations");
            formation = n;
            ring = FormationRings - 1;
            continue;
        }
        if (line.size() != FormationCells)
            return At(lineNumber, "ring " + std::to_string(ring) + " of formation " + std::to_string(formation) +
                                      " has " + std::to_string(line.size()) + " cells, not 28");
        for (int k = 0; k < FormationCells; ++k) {
            const char c = line[k];
            if (c != '.' && (c < '1' || c > '5'))
                return At(lineNumber, std::string("cell ") + std::to_string(k) + " is '" + c + "', not '.' or 1 to 5");
            table[FormationCellIndex(formation, ring, k)] = c == '.' ? 0 : uint8_t(c - '0');
        }
        --ring;
    }
    if (ring >= 0) return At(lineNumber, "formation " + std::to_string(formation) + " ends early");
    if (formation != FormationCount)
        return At(lineNumber, "only " + std::to_string(formation) + " of " + std::to_string(FormationCount) + " formations");
    return "";
}

std::string FormationAsText(const uint8_t* table, int formation) {
    std::string out;
    for (int ring = FormationRings - 1; ring >= 0; --ring) {
        for (int k = 0; k < FormationCells; ++k) {
            const uint8_t v = table[FormationCellIndex(formation, ring, k)];
            out += v == 0 ? '.' : v <= 9 ? char('0' + v) : '?';
        }
        out += '\n';
    }
    return out;
}
