// One real run through the mixer into SDL's disk audio driver, which writes
// the device's output to a file: the samples of a played effect get there.
#include <SDL.h>
#include <gtest/gtest.h>

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

TEST(SoundOutput, APlayedEffectReachesTheDevice) {
    const std::string file = (std::filesystem::current_path() / "disk-audio-out.raw").string();
    std::filesystem::remove(file);
    {
        EnvironmentFor driver("SDL_AUDIODRIVER", "disk");
        EnvironmentFor out("SDL_DISKAUDIOFILE", file);
        // One millisecond for each buffer of 1024 frames: many times faster than listening.
        EnvironmentFor delay("SDL_DISKAUDIODELAY", "1");
        ASSERT_TRUE(OpenAudio()) << SDL_GetError();
        ASSERT_EQ(Sound::Load("res\\Boom.ogg", 1), 1);
        Sound::Play("Boom", 0);
        // Wait on the mixer, not on the clock: the effect ends once all of it went out.
        for (int i = 0; i < 20000 && Sound::IsPlaying("Boom") == 1; ++i) SDL_Delay(1);
        EXPECT_EQ(Sound::IsPlaying("Boom"), 0);
        CloseAudio();
    }
    std::ifstream in(file, std::ios::binary);
    std::vector<int16_t> samples;
    int16_t s = 0;
    while (in.read(reinterpret_cast<char*>(&s), sizeof s)) samples.push_back(s);
    ASSERT_FALSE(samples.empty());

    size_t first = samples.size(), last = 0;
    int loudest = 0;
    for (size_t i = 0; i < samples.size(); ++i) {
        if (std::abs(samples[i]) > 200) {
            first = std::min(first, i);
            last = i;
        }
        loudest = std::max(loudest, std::abs(int(samples[i])));
    }
    EXPECT_GT(loudest, 16000) << "the effect is heard at full volume";
    ASSERT_LT(first, last);
    // Stereo frames: the audible stretch is about the effect's 0.9 seconds.
    const double seconds = double(last - first) / 2 / 44100;
    EXPECT_GT(seconds, 0.4);
    EXPECT_LT(seconds, 1.0);
    std::filesystem::remove(file);
}

}  // namespace
