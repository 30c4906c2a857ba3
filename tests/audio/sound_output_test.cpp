// One real run through the mixer into SDL's disk audio driver, which writes
// the device's output to a file: the samples of a played effect get there.
#include <SDL.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "audio/sound.h"

namespace {

class EnvironmentFor {
public:
    EnvironmentFor(const char* name, const std::string& value) : name_(name) {
        const char* old = std::getenv(name);
        had_ = old != nullptr;
        if (had_) old_ = old;
        setenv(name, value.c_str(), 1);
    }
    ~EnvironmentFor() {
        if (had_) setenv(name_, old_.c_str(), 1);
        else unsetenv(name_);
    }

private:
    const char* name_;
    bool had_ = false;
    std::string old_;
};

// The loudest effects at once sum to well past full scale; the device still
// gets every one of them, below full scale, with the lone effect's shape.
TEST(SoundOutput, EffectsPlayedTogetherReachTheDeviceWithoutClipping) {
    const std::string file = (std::filesystem::current_path() / "disk-audio-out.raw").string();
    std::filesystem::remove(file);
    const char* const loudest[] = {"Boom", "BaseExplosion", "EarthHit", "alienscream", "BlipSND"};
    MixLevels raw;
    {
        EnvironmentFor driver("SDL_AUDIODRIVER", "disk");
        EnvironmentFor out("SDL_DISKAUDIOFILE", file);
        // One millisecond for each buffer of 1024 frames: many times faster than listening.
        EnvironmentFor delay("SDL_DISKAUDIODELAY", "1");
        ASSERT_TRUE(OpenAudio()) << SDL_GetError();
        for (const char* name : loudest) ASSERT_EQ(Sound::Load(std::string("res\\") + name + ".ogg", 1), 1);
        for (const char* name : loudest) Sound::Play(name, 0);
        // Wait on the mixer, not on the clock: the effects end once all of them went out.
        for (int i = 0; i < 40000 && Sound::IsPlaying("BaseExplosion") + Sound::IsPlaying("Boom") > 0; ++i)
            SDL_Delay(1);
        EXPECT_EQ(Sound::IsPlaying("Boom"), 0);
        raw = RawMixLevels();
        CloseAudio();
    }
    EXPECT_GT(raw.overFullScale, 0u) << "a plain sum of these clips";
    std::ifstream in(file, std::ios::binary);
    std::vector<float> samples;
    float s = 0;
    while (in.read(reinterpret_cast<char*>(&s), sizeof s)) samples.push_back(s);
    ASSERT_FALSE(samples.empty());

    size_t first = samples.size(), last = 0;
    float loudestOut = 0;
    for (size_t i = 0; i < samples.size(); ++i) {
        if (std::fabs(samples[i]) > 0.01f) {
            first = std::min(first, i);
            last = i;
        }
        loudestOut = std::max(loudestOut, std::fabs(samples[i]));
    }
    EXPECT_GT(loudestOut, 0.5f) << "loud, and";
    EXPECT_LT(loudestOut, 0.99f) << "never at full scale";
    ASSERT_LT(first, last);
    // Stereo frames: the audible stretch is about the longest effect's length.
    const double seconds = double(last - first) / 2 / 44100;
    EXPECT_GT(seconds, 0.4);
    EXPECT_LT(seconds, 4.0);
    std::filesystem::remove(file);
}

}  // namespace
