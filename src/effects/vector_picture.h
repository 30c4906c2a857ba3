// Line drawings kept as data: one segment per line in a text file under
// data/pictures/, "COLOUR X1 Y1 X2 Y2" with the colour as 8 hex digits
// (AARRGGBB) and coordinates relative to the picture's centre. Blank lines
// and lines starting with '#' are comments.
#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

struct PictureSegment {
    uint32_t colour = 0;
    int x1 = 0, y1 = 0, x2 = 0, y2 = 0;
    int r = 0, g = 0, b = 0;  // the colour's components, kept beside it as the table format has them
};

struct VectorPicture {
    std::vector<PictureSegment> segments;
    int Count() const { return int(segments.size()); }
};

// Parses picture text. Malformed lines are reported on stderr with their
// line number and skipped.
VectorPicture ParseVectorPicture(std::string_view text, std::string_view nameForErrors);

// Loads a built-in picture by resource name ("pictures/title_logo.txt");
// a missing one is a build fault and ends the program with a message.
VectorPicture LoadVectorPicture(std::string_view resourceName);
