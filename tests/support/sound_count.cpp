#include "support/sound_count.h"

#include <SDL_mixer.h>

#include <array>
#include <atomic>
#include <cstdlib>

#include "audio/sound.h"

namespace {

std::array<std::atomic<int>, 128> Ended;

void SDLCALL NoteEnded(int channel) {
    if (channel >= 0 && channel < int(Ended.size())) Ended[size_t(channel)] += 1;
}

}  // namespace

bool StartSoundCount() {
    setenv("SDL_AUDIODRIVER", "dummy", 0);
    if (LoadAllSounds() == 0) return false;
    for (auto& n : Ended) n = 0;
    Mix_ChannelFinished(NoteEnded);
    return true;
}

int SoundPlays(std::string_view name) {
    const std::string fx = SoundName(name);
    for (const Sound& s : SoundList) {
        if (s.FX != fx || s.ChannelNr < 0 || s.ChannelNr >= int(Ended.size())) continue;
        Mix_HaltChannel(s.ChannelNr);  // its end, if still playing, is counted now
        return Ended[size_t(s.ChannelNr)];
    }
    return -1;
}

void StopSoundCount() {
    Mix_ChannelFinished(nullptr);
    CloseAudio();
}
