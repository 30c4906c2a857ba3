// Build-time tool: the desktop icon, the ringed planet of the title logo,
// drawn from the logo's own segments as glowing lines. Writes the hicolor
// theme's PNG sizes and a scalable SVG under OUTDIR:
//   OUTDIR/NxN/apps/orbivore.png, OUTDIR/scalable/apps/orbivore.svg
#include <sys/stat.h>

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "pictures/picture_makers.h"
#include "pictures/png_file.h"

namespace {

// The planet's colours in the logo (tools/art/make_title_logo.py): its two
// outlines and its ring. Nothing else in the logo uses them.
const uint32_t PlanetColours[] = {0xFF34E58A, 0xFFB8FF6A, 0xFFFFB347};
const int Sizes[] = {16, 22, 24, 32, 48, 64, 128, 256};

struct Segment {
    uint32_t colour;
    float x1, y1, x2, y2;
};

struct Frame {
    float centreX = 0, centreY = 0, side = 1;  // the square of logo units the icon shows
};

bool ReadPlanet(const std::string& path, std::vector<Segment>& out) {
    std::ifstream in(path);
    for (std::string line; std::getline(in, line);) {
        if (line.empty() || line[0] == '#') continue;
        std::istringstream fields(line);
        std::string hex;
        Segment s{};
        if (!(fields >> hex >> s.x1 >> s.y1 >> s.x2 >> s.y2)) return false;
        s.colour = uint32_t(std::stoul(hex, nullptr, 16));
        if (std::find(std::begin(PlanetColours), std::end(PlanetColours), s.colour) != std::end(PlanetColours))
            out.push_back(s);
    }
    return !out.empty();
}

Frame FrameAround(const std::vector<Segment>& segs) {
    float x0 = 1e9f, y0 = 1e9f, x1 = -1e9f, y1 = -1e9f;
    for (const Segment& s : segs) {
        x0 = std::min({x0, s.x1, s.x2}), x1 = std::max({x1, s.x1, s.x2});
        y0 = std::min({y0, s.y1, s.y2}), y1 = std::max({y1, s.y1, s.y2});
    }
    // Room round the planet for the glow to fade out.
    return {(x0 + x1) / 2, (y0 + y1) / 2, std::max(x1 - x0, y1 - y0) * 1.12f};
}

float DistanceToSegment(float px, float py, float ax, float ay, float bx, float by) {
    const float dx = bx - ax, dy = by - ay;
    const float len2 = dx * dx + dy * dy;
    float t = len2 > 0 ? ((px - ax) * dx + (py - ay) * dy) / len2 : 0;
    t = std::clamp(t, 0.0f, 1.0f);
    return std::hypot(px - (ax + t * dx), py - (ay + t * dy));
}

// Additive light like the game's: a sharp core with a soft halo round it,
// kept at least about a pixel wide so the smallest sizes still read.
RgbaPicture DrawIcon(const std::vector<Segment>& segs, const Frame& frame, int size) {
    const float unit = float(size) / frame.side;
    const float core = std::max(0.55f, 1.6f * unit);
    const float halo = std::max(1.0f, 6.0f * unit);
    // Lines thinner than a pixel cover only part of one: they give less
    // light, or the small sizes would burn out to white.
    const float cover = std::min(1.0f, 2.5f * unit);
    RgbaPicture pic(size, size);
    for (int y = 0; y < size; ++y) {
        for (int x = 0; x < size; ++x) {
            float light[3] = {0, 0, 0};
            for (const Segment& s : segs) {
                const float d = DistanceToSegment(x + 0.5f, y + 0.5f, (s.x1 - frame.centreX) * unit + size / 2.0f,
                                                  (s.y1 - frame.centreY) * unit + size / 2.0f,
                                                  (s.x2 - frame.centreX) * unit + size / 2.0f,
                                                  (s.y2 - frame.centreY) * unit + size / 2.0f);
                const float strength =
                    cover * (std::clamp(core + 0.5f - d, 0.0f, 1.0f) + 0.3f * std::exp(-(d * d) / (halo * halo)));
                for (int c = 0; c < 3; ++c) light[c] += strength * float((s.colour >> (16 - 8 * c)) & 255) / 255.0f;
            }
            const float peak = std::max({light[0], light[1], light[2]});
            if (peak <= 0.004f) continue;
            // The alpha carries how much light there is, the colour its hue.
            const float alpha = std::min(1.0f, peak);
            auto channel = [&](int c) { return uint8_t(std::lround(std::min(1.0f, light[c] / alpha) * 255)); };
            pic.Set(x, y, channel(0), channel(1), channel(2), uint8_t(std::lround(alpha * 255)));
        }
    }
    return pic;
}

std::string SvgIcon(const std::vector<Segment>& segs, const Frame& frame) {
    std::ostringstream svg;
    svg << "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
        << "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"256\" height=\"256\" viewBox=\""
        << frame.centreX - frame.side / 2 << ' ' << frame.centreY - frame.side / 2 << ' ' << frame.side << ' '
        << frame.side << "\">\n"
        << "  <defs><filter id=\"glow\" x=\"-20%\" y=\"-20%\" width=\"140%\" height=\"140%\">"
        << "<feGaussianBlur stdDeviation=\"3\" result=\"halo\"/>"
        << "<feMerge><feMergeNode in=\"halo\"/><feMergeNode in=\"SourceGraphic\"/></feMerge></filter></defs>\n"
        << "  <g filter=\"url(#glow)\" stroke-width=\"3\" stroke-linecap=\"round\">\n";
    for (const Segment& s : segs) {
        char colour[8];
        std::snprintf(colour, sizeof colour, "#%06X", unsigned(s.colour & 0xFFFFFF));
        svg << "    <line x1=\"" << s.x1 << "\" y1=\"" << s.y1 << "\" x2=\"" << s.x2 << "\" y2=\"" << s.y2
            << "\" stroke=\"" << colour << "\"/>\n";
    }
    svg << "  </g>\n</svg>\n";
    return svg.str();
}

bool MakeFolders(const std::string& path) {
    for (size_t slash = path.find('/', 1); slash != std::string::npos; slash = path.find('/', slash + 1))
        mkdir(path.substr(0, slash).c_str(), 0755);
    return mkdir(path.c_str(), 0755) == 0 || errno == EEXIST;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: orbivore-gen-icons TITLE_LOGO.txt OUTDIR\n");
        return 2;
    }
    std::vector<Segment> planet;
    if (!ReadPlanet(argv[1], planet)) {
        std::fprintf(stderr, "orbivore-gen-icons: no planet segments in %s\n", argv[1]);
        return 1;
    }
    const Frame frame = FrameAround(planet);
    const std::string out = argv[2];
    for (int size : Sizes) {
        const std::string folder = out + "/" + std::to_string(size) + "x" + std::to_string(size) + "/apps";
        if (!MakeFolders(folder) || !WritePng(folder + "/orbivore.png", DrawIcon(planet, frame, size))) {
            std::fprintf(stderr, "orbivore-gen-icons: cannot write %s/orbivore.png\n", folder.c_str());
            return 1;
        }
    }
    const std::string scalable = out + "/scalable/apps";
    std::ofstream svg;
    if (MakeFolders(scalable)) svg.open(scalable + "/orbivore.svg");
    if (!(svg << SvgIcon(planet, frame)) || !(svg.close(), svg)) {
        std::fprintf(stderr, "orbivore-gen-icons: cannot write %s/orbivore.svg\n", scalable.c_str());
        return 1;
    }
    return 0;
}
