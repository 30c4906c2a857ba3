#include "combat/formations.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <vector>

#include "common/resources.h"

uint8_t WaveFormations[FormationTableSize];

namespace {

const char* const BuiltInName = "levels/formations.bin";
const char* const FileName = "waves.dat";

}  // namespace

bool LoadWaveFormationsFromBytes(const uint8_t* data, size_t size) {
    if (data == nullptr || size != size_t(FormationTableSize)) return false;
    for (size_t i = 0; i < size; ++i)
        if (data[i] > 5) return false;
    std::memcpy(WaveFormations, data, size);
    return true;
}

void LoadWaveFormations() {
    const ResourceBytes builtIn = FindResource(BuiltInName);
    if (!LoadWaveFormationsFromBytes(builtIn.data, builtIn.size)) {
        std::fprintf(stderr, "orbivore: built-in resource \"%s\" is missing or damaged\n", BuiltInName);
        std::exit(1);
    }
    std::ifstream file(FileName, std::ios::binary);
    if (!file) return;
    // Only the table's bytes are read: whatever follows them (a newline an
    // editor added, say) is not part of it. A shorter file is no table.
    std::vector<char> bytes(static_cast<size_t>(FormationTableSize));
    file.read(bytes.data(), std::streamsize(bytes.size()));
    LoadWaveFormationsFromBytes(reinterpret_cast<const uint8_t*>(bytes.data()), size_t(file.gcount()));
}

int FormationCell(int formation, int ring, int cell) {
    if (formation < 1 || formation > FormationCount || ring < 0 || ring >= FormationRings || cell < 0 ||
        cell >= FormationCells)
        return 0;
    return WaveFormations[FormationCellIndex(formation, ring, cell)];
}

int FormationInvaderCount(int formation) {
    int n = 0;
    for (int ring = 0; ring < FormationRings; ++ring)
        for (int k = 0; k < FormationCells; ++k) n += FormationCell(formation, ring, k) > 0;
    return n;
}
