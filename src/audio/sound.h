// Sound effects and music, addressed by name ("BlipSND", "ufo3-loop",
// "Menu-loop": the file name without folder and extension, in any case).
// Every sound owns one mixer channel, its load number, so a sound played
// again cuts its own earlier play instead of piling up. Callers decide
// whether anything is heard at all (SoundOn, MusicOn).
//
// Effects are decoded from the built-in resources once at load; the music
// files are opened from the working directory and streamed while they play.
// Without an audio device nothing loads and every call quietly does nothing.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

struct Mix_Chunk;
struct _Mix_Music;

struct Sound {
    Mix_Chunk* soundFX = nullptr;  // an effect, decoded
    _Mix_Music* music = nullptr;   // a streamed file
    bool channel = false;          // it has been played and not stopped since
    int Loop = 0;                  // 1 if the last play was looping
    std::string FX;                // "res\Boom.ogg" gives "boom"
    int ChannelNr = 0;             // the mixer channel it always plays on
    int isplay = 0;                // 1 after Play, 0 after Stop (not when a one-shot ends by itself)
    int count = 0;                 // cleared by Stop
    float cvolume = 1;

    // Loads a sound: a built-in resource of that name if there is one, else
    // a file. stream = 1 streams a file rather than decoding it whole.
    // 1 on success; 0 when it cannot be opened (nothing is added then).
    static int Load(std::string_view path, int stream);
    // Plays the named sound once (loop = 0) or endlessly (loop = 1); a
    // looping sound already playing goes on undisturbed. Returns 0.
    static int Play(std::string_view name, int loop);
    // 1 while the named sound is heard, else 0 (also for unknown names).
    static int IsPlaying(std::string_view name);
    static void Stop(std::string_view name);
};

// Every loaded sound, in load order.
extern std::vector<Sound> SoundList;
// Load calls so far, failed ones included: the next sound's channel is one more.
extern int SoundCounter;

// The name a path is known by: no folder ("\" or "/"), no extension, lower case.
std::string SoundName(std::string_view path);

// Opens the audio device with room for every sound's channel. False, and
// the game stays silent, when there is none.
bool OpenAudio();
bool AudioIsOpen();

// The mix as the sounds sum up, before the headroom the device gets: its
// loudest sample (1 is full scale) and how many samples a plain mix would
// have clipped, counted since OpenAudio (for measuring; the device never
// gets them at that level).
struct MixLevels {
    uint64_t samples = 0;
    uint64_t overFullScale = 0;
    float peak = 0;
};
MixLevels RawMixLevels();
// Frees every sound and closes the device; OpenAudio may follow again.
void CloseAudio();

// Start-up: opens the device and loads all 37 sounds in their fixed order
// (35 built-in effects, then "Menu-loop.ogg" and "Ingame-loop.ogg" from the
// working directory). Returns how many loaded.
int LoadAllSounds();
