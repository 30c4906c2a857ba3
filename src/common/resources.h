// Resources built into the program: pictures, sounds and the data tables
// under data/. Looked up by name; a backslash in a name counts as a slash, so
// "res\dot.png" and "res/dot.png" are the same resource.
#pragma once

#include <cstddef>
#include <string_view>

struct ResourceEntry {
    const char* name;
    const unsigned char* begin;
    const unsigned char* end;  // followed by a zero byte, so text can be read in place
};

struct ResourceBytes {
    const unsigned char* data = nullptr;
    size_t size = 0;
    explicit operator bool() const { return data != nullptr; }
    std::string_view Text() const { return {reinterpret_cast<const char*>(data), size}; }
};

// Generated at build time from cmake/Resources.cmake.
extern const ResourceEntry ResourceTable[];
extern const int ResourceCount;

// Empty ResourceBytes when there is no such resource.
ResourceBytes FindResource(std::string_view name);

// The text of a data file that must be there (its absence is a build fault):
// prints what is missing and ends the program with code 1.
std::string_view RequireTextResource(std::string_view name);
