// Feeds arbitrary bytes to the settings loader, as a damaged or hand-edited
// file would, and checks that what it leaves behind is usable.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "game/settings.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    LoadSettingsFromBytes(std::string(reinterpret_cast<const char*>(data), size));
    const bool usable = KeyLeft >= 1 && KeyLeft <= 254 && KeyFire >= 1 && KeyFire <= 254 && HighestLevel >= 1 &&
                        HighestLevel <= 100 && GlowAmount >= -2 && GlowAmount <= 2 && OnlineScoreCount >= -1 &&
                        OnlineScoreCount <= 25 && PlayerName.size() <= MaxPlayerNameLength;
    if (!usable) std::abort();
    // Whatever was read must survive its own round trip unchanged.
    const std::string saved = SettingsBytes();
    LoadSettingsFromBytes(saved);
    if (SettingsBytes() != saved) std::abort();
    return 0;
}
