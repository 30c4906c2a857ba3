#include "audio/sound.h"

#include <SDL.h>
#include <SDL_mixer.h>

#include <algorithm>
#include <atomic>
#include <cctype>
#include <cmath>

#include "common/resources.h"

std::vector<Sound> SoundList;
int SoundCounter = 0;

namespace {

bool Open = false;
// SDL_mixer streams one music at a time: the one playing now, if any.
Mix_Music* PlayingMusic = nullptr;

constexpr int DeviceChannels = 100;

// Each effect and the music reach nearly full scale alone, and all play at
// full volume, so a few at once add up past it. The mix is made in floating
// point, where a sum may exceed 1 without harm, and brought down at the end:
// one gain for everything, so the sounds keep their loudness relative to each
// other, then a soft knee that bends the rare peak still too loud instead of
// cutting it off, never reaching full scale.
constexpr float MixGain = 0.5f;
constexpr float KneeStart = 0.8f, Ceiling = 0.98f;

std::atomic<uint64_t> RawSamples{0}, RawOverFullScale{0};
std::atomic<float> RawPeak{0};

float SoftLimit(float x) {
    const float level = std::fabs(x);
    if (level <= KneeStart) return x;
    const float room = Ceiling - KneeStart;
    return std::copysign(KneeStart + room * std::tanh((level - KneeStart) / room), x);
}

void LimitMix(void*, Uint8* stream, int bytes) {
    float* samples = reinterpret_cast<float*>(stream);
    const int count = bytes / int(sizeof(float));
    uint64_t over = 0;
    float peak = 0;
    for (int i = 0; i < count; ++i) {
        const float level = std::fabs(samples[i]);
        over += level >= 1.0f;
        peak = std::max(peak, level);
        samples[i] = SoftLimit(samples[i] * MixGain);
    }
    RawSamples += uint64_t(count);
    RawOverFullScale += over;
    if (peak > RawPeak.load()) RawPeak = peak;
}

Sound* FindLoaded(const std::string& name) {
    for (Sound& s : SoundList)
        if (s.FX == name && (s.soundFX || s.music)) return &s;
    return nullptr;
}

void Halt(Sound& s) {
    if (s.soundFX) {
        if (Mix_GetChunk(s.ChannelNr) == s.soundFX) Mix_HaltChannel(s.ChannelNr);
    } else if (s.music && PlayingMusic == s.music) {
        Mix_HaltMusic();
        PlayingMusic = nullptr;
    }
}

void Free(Sound& s) {
    Halt(s);
    if (s.soundFX) Mix_FreeChunk(s.soundFX);
    if (s.music) Mix_FreeMusic(s.music);
    s.soundFX = nullptr;
    s.music = nullptr;
}

}  // namespace

std::string SoundName(std::string_view path) {
    const size_t slash = path.find_last_of("\\/");
    if (slash != std::string_view::npos) path.remove_prefix(slash + 1);
    const size_t dot = path.find_last_of('.');
    if (dot != std::string_view::npos) path = path.substr(0, dot);
    std::string name(path);
    for (char& c : name) c = char(std::tolower(static_cast<unsigned char>(c)));
    return name;
}

bool OpenAudio() {
    if (Open) return true;
    if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) return false;
    Mix_Init(MIX_INIT_OGG);
    if (Mix_OpenAudio(44100, AUDIO_F32SYS, 2, 1024) != 0) {
        Mix_Quit();
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
        return false;
    }
    Mix_AllocateChannels(DeviceChannels);
    RawSamples = 0, RawOverFullScale = 0, RawPeak = 0;
    Mix_SetPostMix(LimitMix, nullptr);
    Open = true;
    return true;
}

MixLevels RawMixLevels() { return {RawSamples.load(), RawOverFullScale.load(), RawPeak.load()}; }

bool AudioIsOpen() { return Open; }

void CloseAudio() {
    for (Sound& s : SoundList) Free(s);
    SoundList.clear();
    SoundCounter = 0;
    PlayingMusic = nullptr;
    if (!Open) return;
    Mix_CloseAudio();
    Mix_Quit();
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
    Open = false;
}

int Sound::Load(std::string_view path, int stream) {
    ++SoundCounter;
    if (!Open) return 0;
    Sound s;
    const ResourceBytes bytes = FindResource(path);
    if (bytes && bytes.size > 0) {
        // Built-in effects are short: decoded once here, they cost nothing
        // to start later, and each can play on its own channel, which a
        // stream (one at a time) could not.
        s.soundFX = Mix_LoadWAV_RW(SDL_RWFromConstMem(bytes.data, int(bytes.size)), 1);
    } else {
        std::string file(path);
        for (char& c : file)
            if (c == '\\') c = '/';
        if (stream == 1) s.music = Mix_LoadMUS(file.c_str());
        else s.soundFX = Mix_LoadWAV(file.c_str());
    }
    if (!s.soundFX && !s.music) return 0;
    s.FX = SoundName(path);
    s.ChannelNr = SoundCounter;
    if (s.soundFX && s.ChannelNr >= Mix_AllocateChannels(-1)) Mix_AllocateChannels(s.ChannelNr + 1);
    SoundList.push_back(s);
    return 1;
}

int Sound::Play(std::string_view name, int loop) {
    Sound* s = FindLoaded(SoundName(name));
    if (!s) return 0;
    if (s->isplay == 1 && loop == 1) return 0;
    s->Loop = loop;
    const int volume = int(s->cvolume * MIX_MAX_VOLUME);
    if (s->soundFX) {
        // Playing on the sound's own channel cuts whatever it played there before.
        Mix_PlayChannel(s->ChannelNr, s->soundFX, loop == 1 ? -1 : 0);
        Mix_Volume(s->ChannelNr, volume);
    } else {
        // A music started over another one cuts it: that one counts as stopped.
        for (Sound& other : SoundList) {
            if (other.music && other.music == PlayingMusic && &other != s) {
                other.channel = false;
                other.isplay = 0;
            }
        }
        Mix_PlayMusic(s->music, loop == 1 ? -1 : 0);
        Mix_VolumeMusic(volume);
        PlayingMusic = s->music;
    }
    s->channel = true;
    s->isplay = 1;
    return 0;
}

int Sound::IsPlaying(std::string_view name) {
    // An unknown name (a sound that failed to load, or no audio device)
    // is simply not playing.
    const Sound* s = FindLoaded(SoundName(name));
    if (!s || !s->channel) return 0;
    if (s->soundFX) return Mix_Playing(s->ChannelNr) != 0 && Mix_GetChunk(s->ChannelNr) == s->soundFX ? 1 : 0;
    return PlayingMusic == s->music && Mix_PlayingMusic() != 0 ? 1 : 0;
}

void Sound::Stop(std::string_view name) {
    const std::string wanted = SoundName(name);
    for (Sound& s : SoundList) {
        if (s.FX != wanted) continue;
        if (s.Loop == 1 && s.isplay == 0) return;
        if (s.channel) {
            s.count = 0;
            Halt(s);
            s.channel = false;
            s.isplay = 0;
        }
    }
}
