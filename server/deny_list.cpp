#include "deny_list.h"

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>

#include "game_text.h"

bool ReadDenyList(const std::string& path, DenyList& list, std::string& error) {
    std::ifstream in(path);
    std::error_code ignored;
    // A folder opens, then reads nothing.
    const bool folder = std::filesystem::is_directory(path, ignored);
    if (!in || folder) {
        error = "cannot read the deny-list " + path + ": " + std::strerror(folder ? EISDIR : errno);
        return false;
    }
    DenyList read;
    std::string line;
    while (std::getline(in, line)) {
        const size_t first = line.find_first_not_of(" \t\r");
        if (first == std::string::npos || line[first] == '#') continue;
        const size_t last = line.find_last_not_of(" \t\r");
        read.words.push_back(LowerLatin1(Utf8ToLatin1(line.substr(first, last + 1 - first))));
    }
    if (in.bad()) {
        error = "cannot read the deny-list " + path + ": " + std::strerror(errno);
        return false;
    }
    list = std::move(read);
    return true;
}

bool IsDenied(const DenyList& list, const std::string& name) {
    const std::string lower = LowerLatin1(name);
    for (const std::string& word : list.words)
        if (lower.find(word) != std::string::npos) return true;
    return false;
}
