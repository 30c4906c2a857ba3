// Words kept off the board: a file of words, one a line, matched against
// uploaded names as substrings, case-insensitively. The file is UTF-8 (or
// Latin-1, like the names); empty lines and lines starting with '#' are
// skipped, and spaces around a word are not part of it.
#pragma once

#include <string>
#include <vector>

struct DenyList {
    std::vector<std::string> words;  // Latin-1, lower case
};

// False with a one-line reason when the file cannot be read.
bool ReadDenyList(const std::string& path, DenyList& list, std::string& error);
bool IsDenied(const DenyList& list, const std::string& name);
