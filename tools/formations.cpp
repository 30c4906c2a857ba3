// Build-time tool for the invader formations.
//   orbivore-formations OUTDIR          checks data/levels/formations.txt and writes
//                                       OUTDIR/levels/formations.bin (the 16968-byte table)
//   orbivore-formations --show [N ...]  draws formations (all when none given) as
//                                       they lie around the Earth halfway in, wave start
//                                       angle 0 at the top, for looking at the level design
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "combat/formation_text.h"

namespace {

std::string ReadText(const char* path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        std::fprintf(stderr, "orbivore-formations: cannot read %s\n", path);
        std::exit(1);
    }
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

// The free text after "formation N" of every block, by formation number.
std::vector<std::string> Titles(const std::string& text) {
    std::vector<std::string> titles(FormationCount + 1);
    std::istringstream in(text);
    std::string line;
    while (std::getline(in, line)) {
        int n = 0, used = 0;
        if (std::sscanf(line.c_str(), "formation %d%n", &n, &used) == 1 && n >= 1 && n <= FormationCount)
            titles[n] = line.substr(size_t(used));
    }
    return titles;
}

void Show(const uint8_t* table, int f, const std::string& title) {
    constexpr int W = 76, H = 39;
    std::vector<std::string> grid(H, std::string(W, ' '));
    const double cx = W / 2, cy = H / 2, rad = 3.14159265358979 / 180;
    auto put = [&](double a, double r, char c) {
        const int x = int(std::lround(cx + std::sin(a * rad) * r * 2)), y = int(std::lround(cy - std::cos(a * rad) * r));
        if (x >= 0 && x < W && y >= 0 && y < H) grid[size_t(y)][size_t(x)] = c;
    };
    // Drawn as the wave stands halfway in: inner ring 45 orbit units out, the Earth at 20.
    constexpr double scale = 0.2;
    for (int a = 0; a < 360; a += 30) put(a, 20 * scale, 'o');
    int count = 0;
    for (int ring = 0; ring < FormationRings; ++ring)
        for (int k = 0; k < FormationCells; ++k) {
            const uint8_t v = table[FormationCellIndex(f, ring, k)];
            if (v == 0) continue;
            put(13.0 * k, (45 + 8 * ring) * scale, char('0' + v));
            ++count;
        }
    std::printf("formation %d%s  (%d invaders)\n", f, title.c_str(), count);
    for (const std::string& row : grid) {
        const size_t end = row.find_last_not_of(' ');
        std::printf("%s\n", end == std::string::npos ? "" : row.substr(0, end + 1).c_str());
    }
    std::printf("%s\n", FormationAsText(table, f).c_str());
}

}  // namespace

int main(int argc, char** argv) {
    const char* source = ORBIVORE_FORMATIONS_TEXT;
    if (argc < 2) {
        std::fprintf(stderr, "usage: orbivore-formations OUTDIR | --show [N ...]\n");
        return 2;
    }
    const std::string text = ReadText(source);
    std::vector<uint8_t> table(FormationTableSize);
    const std::string fault = ParseFormationText(text, table.data());
    if (!fault.empty()) {
        std::fprintf(stderr, "%s: %s\n", source, fault.c_str());
        return 1;
    }
    if (std::string(argv[1]) == "--show") {
        const std::vector<std::string> titles = Titles(text);
        if (argc == 2)
            for (int f = 1; f <= FormationCount; ++f) Show(table.data(), f, titles[size_t(f)]);
        for (int i = 2; i < argc; ++i) {
            const int f = std::atoi(argv[i]);
            if (f >= 1 && f <= FormationCount) Show(table.data(), f, titles[size_t(f)]);
        }
        return 0;
    }
    const std::filesystem::path dir = std::filesystem::path(argv[1]) / "levels";
    std::filesystem::create_directories(dir);
    std::ofstream out(dir / "formations.bin", std::ios::binary);
    out.write(reinterpret_cast<const char*>(table.data()), std::streamsize(table.size()));
    return out.good() ? 0 : 1;
}
