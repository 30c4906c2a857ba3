// Included without its folder: the server builds this file from its own.
#include "common/score_rows.h"

namespace {

bool IsDigits(const std::string& s) {
    if (s.empty()) return false;
    for (const char c : s)
        if (c < '0' || c > '9') return false;
    return true;
}

}  // namespace

bool IsScoreName(const std::string& s) {
    bool visible = false;
    for (const char c : s) {
        const auto code = static_cast<unsigned char>(c);
        // Control characters, the Latin-1 ones (128 to 159) included: a
        // list is one name per line, and a page shows what is printable.
        if (code < 32 || (code >= 127 && code < 160)) return false;
        visible = visible || c != ' ';
    }
    return visible;
}

bool IsLevelText(const std::string& s) {
    if (s.size() != 7 || s[3] != '-' || !IsDigits(s.substr(4))) return false;
    return s.compare(0, 3, "CLA") == 0 || IsDigits(s.substr(0, 3));
}

bool IsScoreRow(const std::string& name, const std::string& level, const std::string& score) {
    return IsScoreName(name) && IsLevelText(level) && IsDigits(score);
}
