// The invader outlines are rotated once for every whole degree at start-up,
// so that drawing an invader is a table lookup.
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "combat/invaders.h"
#include "common/maths.h"
#include "common/resources.h"

int32_t InvaderShapes[361][InvaderShapeCount][InvaderShapeSlots][9];

namespace {

struct Segment {
    uint32_t colour;
    int x1, y1, x2, y2;
};

std::string At(int line, const std::string& what) { return "line " + std::to_string(line) + ": " + what; }

// Reads "(x1,y1)-(x2,y2)" at the front of s.
bool TakeSegment(std::string_view& s, Segment& seg) {
    while (!s.empty() && s.front() == ' ') s.remove_prefix(1);
    const std::string text(s.substr(0, 40));
    int used = 0;
    if (std::sscanf(text.c_str(), "(%d,%d)-(%d,%d)%n", &seg.x1, &seg.y1, &seg.x2, &seg.y2, &used) != 4) return false;
    s.remove_prefix(size_t(used));
    return true;
}

void Rotate(int x, int y, int angle, int32_t& rx, int32_t& ry) {
    const float c = Cos(float(angle)), s = Sin(float(angle));
    rx = TruncToInt(float(x) * c - float(y) * s);
    ry = TruncToInt(float(x) * s + float(y) * c);
}

}  // namespace

std::string BuildInvaderShapes(std::string_view text) {
    std::memset(InvaderShapes, 0, sizeof InvaderShapes);
    std::vector<Segment> shapes[InvaderShapeCount];
    int expected[InvaderShapeCount] = {};
    int shape = 0, lineNumber = 0;
    auto fail = [&](const std::string& why) {
        std::memset(InvaderShapes, 0, sizeof InvaderShapes);
        return At(lineNumber, why);
    };
    while (!text.empty()) {
        const size_t end = text.find('\n');
        std::string_view line = text.substr(0, end);
        text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
        ++lineNumber;
        while (!line.empty() && (line.back() == ' ' || line.back() == '\r')) line.remove_suffix(1);
        if (line.empty() || line[0] == '#') continue;
        int n = 0, count = 0;
        if (std::sscanf(std::string(line).c_str(), "shape %d %d", &n, &count) == 2) {
            if (n < 1 || n > 11 || !shapes[n].empty() || expected[n] != 0)
                return fail("shape " + std::to_string(n) + " is not a new shape 1..11");
            if (count < 1 || count > InvaderShapeSlots - 1) return fail("bad segment count");
            shape = n;
            expected[n] = count;
            continue;
        }
        if (shape == 0) return fail("segments before the first shape line");
        unsigned colour = 0;
        int used = 0;
        if (std::sscanf(std::string(line).c_str(), "%8x%n", &colour, &used) != 1 || used != 8)
            return fail("expected an ARGB colour of eight hex digits");
        line.remove_prefix(8);
        Segment seg{colour, 0, 0, 0, 0};
        bool any = false;
        while (TakeSegment(line, seg)) shapes[shape].push_back(seg), any = true;
        if (!any || !line.empty()) return fail("expected segments written (x1,y1)-(x2,y2)");
    }
    for (int s = 1; s <= 11; ++s)
        if (expected[s] == 0 || int(shapes[s].size()) != expected[s])
            return fail("shape " + std::to_string(s) + " is missing or has the wrong number of segments");
    shapes[12] = shapes[11];
    for (int a = 0; a <= 360; ++a)
        for (int s = 1; s < InvaderShapeCount; ++s) {
            const std::vector<Segment>& segs = shapes[s];
            for (size_t k = 0; k < segs.size(); ++k) {
                int32_t* slot = InvaderShapes[a][s][k];
                const uint32_t c = segs[k].colour;
                slot[0] = int32_t(segs.size());
                slot[1] = int32_t(c);
                Rotate(segs[k].x1, segs[k].y1, a, slot[2], slot[3]);
                Rotate(segs[k].x2, segs[k].y2, a, slot[4], slot[5]);
                slot[6] = int32_t((c >> 16) & 0xFF);
                slot[7] = int32_t((c >> 8) & 0xFF);
                slot[8] = int32_t(c & 0xFF);
            }
        }
    return "";
}

void LoadInvaderShapes() {
    const char* const name = "invaders/outlines.txt";
    const std::string fault = BuildInvaderShapes(RequireTextResource(name));
    if (!fault.empty()) {
        std::fprintf(stderr, "orbivore: built-in %s: %s\n", name, fault.c_str());
        std::exit(1);
    }
}
