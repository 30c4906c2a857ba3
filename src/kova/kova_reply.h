// Turning a cache file into a reply: its lines joined with the delimiter,
// an "FFFF" reply deciphered, and the text split into at most 10,000 lines.
// Pure functions, so the fuzzer can drive them without a network.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

constexpr size_t KovaMaxLines = 10000;

struct KovaReply {
    std::string text;
    std::vector<std::string> lines;
    bool deciphered = false;
};

// The file's lines (LF or CR LF ended) joined with the delimiter; leading
// empty lines vanish and a final line break adds no line.
std::string KovaJoinLines(const std::string& fileBytes, const std::string& delimiter);

// Segments between separators, empty ones included, and a non-empty
// remainder; a CR delimiter splits a deciphered reply at LF instead. An empty
// delimiter gives the whole text as one line.
std::vector<std::string> KovaSplitLines(const std::string& text, const std::string& delimiter, bool deciphered);

KovaReply KovaMakeReply(const std::string& fileBytes, const std::string& delimiter, const std::string& receiveKey);

// The whole file, or "" when it cannot be read.
std::string KovaReadFile(const char* path);
