#include "online/score_rows.h"

namespace {

bool IsDigits(const std::string& s) {
    if (s.empty()) return false;
    for (const char c : s)
        if (c < '0' || c > '9') return false;
    return true;
}

bool IsName(const std::string& s) {
    bool visible = false;
    for (const char c : s) {
        const auto code = static_cast<unsigned char>(c);
        if (code < 32 || (code >= 127 && code < 160)) return false;
        visible = visible || c != ' ';
    }
    return visible;
}

bool IsLevelText(const std::string& s) {
    if (s.size() != 7 || s[3] != '-' || !IsDigits(s.substr(4))) return false;
    return s.compare(0, 3, "CLA") == 0 || IsDigits(s.substr(0, 3));
}

}  // namespace

bool IsScoreRow(const std::string& name, const std::string& level, const std::string& score) {
    return IsName(name) && IsLevelText(level) && IsDigits(score);
}
