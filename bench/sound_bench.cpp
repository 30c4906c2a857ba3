// Start-up cost of the sounds: opening the device and loading all 37 (the
// effects decoded, the music only opened), against opening the device alone.
// Runs in the build folder, where the music files are. Closing the device
// waits for its mixing thread to end; that belongs to shutdown, not start-up,
// and is left out of the time.
#include <benchmark/benchmark.h>

#include <cstdlib>

#include "audio/sound.h"

namespace {

void UseDummyAudio() { setenv("SDL_AUDIODRIVER", "dummy", 0); }

void BM_OpenAudioDeviceOnly(benchmark::State& state) {
    UseDummyAudio();
    for (auto _ : state) {
        if (!OpenAudio()) state.SkipWithError("no audio device");
        state.PauseTiming();
        CloseAudio();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_OpenAudioDeviceOnly)->Unit(benchmark::kMillisecond);

void BM_LoadAllSounds(benchmark::State& state) {
    UseDummyAudio();
    for (auto _ : state) {
        const int loaded = LoadAllSounds();
        if (loaded != 37) state.SkipWithError("not every sound loaded (run it in the build folder)");
        state.PauseTiming();
        CloseAudio();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_LoadAllSounds)->Unit(benchmark::kMillisecond);

}  // namespace
