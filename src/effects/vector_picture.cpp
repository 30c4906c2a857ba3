#include "effects/vector_picture.h"

#include <cstdio>
#include <sstream>
#include <string>

#include "common/data_lines.h"
#include "common/resources.h"

VectorPicture ParseVectorPicture(std::string_view text, std::string_view nameForErrors) {
    VectorPicture pic;
    ForEachDataLine(text, [&](const std::string& line, int lineNo) {
        std::istringstream fields(line);
        std::string colour;
        PictureSegment s;
        if (!(fields >> colour >> s.x1 >> s.y1 >> s.x2 >> s.y2) || colour.size() != 8 ||
            colour.find_first_not_of("0123456789abcdefABCDEF") != std::string::npos) {
            std::fprintf(stderr, "orbivore: %.*s:%d: not a picture segment: %s\n", int(nameForErrors.size()),
                         nameForErrors.data(), lineNo, line.c_str());
            return true;
        }
        s.colour = uint32_t(std::stoul(colour, nullptr, 16));
        s.r = int((s.colour >> 16) & 255);
        s.g = int((s.colour >> 8) & 255);
        s.b = int(s.colour & 255);
        pic.segments.push_back(s);
        return true;
    });
    return pic;
}

VectorPicture LoadVectorPicture(std::string_view resourceName) {
    return ParseVectorPicture(RequireTextResource(resourceName), resourceName);
}
