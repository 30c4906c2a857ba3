// The line reader of our data files under data/: blank lines and lines whose
// first non-blank character is '#' are skipped, the rest handed on with their
// line numbers (counted from 1, comments included) for error messages.
#pragma once

#include <sstream>
#include <string>
#include <string_view>

// each(const std::string& line, int lineNo) returns false to stop reading.
template <class Each>
void ForEachDataLine(std::string_view text, Each&& each) {
    std::istringstream in{std::string(text)};
    int lineNo = 0;
    for (std::string line; std::getline(in, line);) {
        ++lineNo;
        const size_t start = line.find_first_not_of(" \t\r");
        if (start == std::string::npos || line[start] == '#') continue;
        if (!each(line, lineNo)) return;
    }
}
