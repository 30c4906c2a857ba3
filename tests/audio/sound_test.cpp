// The sound wrapper on SDL's dummy audio driver: what plays on which
// channel, what restarts, what is left alone.
#include <SDL_mixer.h>
#include <gtest/gtest.h>

#include <array>
#include <atomic>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "audio/sound.h"

namespace {

// Plays that ended or were cut, per channel, since the test began. The
// mixer reports from its own thread.
std::array<std::atomic<int>, 128> Finished;
void SDLCALL NoteFinished(int channel) {
    if (channel >= 0 && channel < int(Finished.size())) ++Finished[size_t(channel)];
}

int FinishedOn(int channel) { return Finished[size_t(channel)]; }

int FinishedAnywhere() {
    int n = 0;
    for (const std::atomic<int>& f : Finished) n += f;
    return n;
}

const Sound* Named(const std::string& fx) {
    for (const Sound& s : SoundList)
        if (s.FX == fx) return &s;
    return nullptr;
}

class SoundTest : public ::testing::Test {
protected:
    void SetUp() override {
        setenv("SDL_AUDIODRIVER", "dummy", 0);
        ASSERT_EQ(LoadAllSounds(), 37);
        for (std::atomic<int>& f : Finished) f = 0;
        Mix_ChannelFinished(NoteFinished);
    }
    void TearDown() override {
        Mix_ChannelFinished(nullptr);
        CloseAudio();
    }
};

TEST(SoundNames, AreFileNamesWithoutFolderOrExtensionInLowerCase) {
    EXPECT_EQ(SoundName("res\\Boom.ogg"), "boom");
    EXPECT_EQ(SoundName("res/BlipSND.ogg"), "blipsnd");
    EXPECT_EQ(SoundName("Menu-loop.ogg"), "menu-loop");
    EXPECT_EQ(SoundName("ufo3-loop"), "ufo3-loop");
    EXPECT_EQ(SoundName("a\\b/c.d.ogg"), "c.d");
}

TEST_F(SoundTest, EverySoundHasItsOwnChannelInLoadOrder) {
    ASSERT_EQ(SoundList.size(), 37u);
    EXPECT_EQ(SoundCounter, 37);
    const char* const some[][2] = {{"alienscream", "1"},  {"pupowershots", "14"}, {"baseexplosion", "15"},
                                   {"fire1", "17"},       {"boom", "20"},         {"blipsnd", "26"},
                                   {"ufo3-loop", "33"},   {"aliendie", "35"},     {"menu-loop", "36"},
                                   {"ingame-loop", "37"}};
    for (const auto& [fx, channel] : some) {
        const Sound* s = Named(fx);
        ASSERT_NE(s, nullptr) << fx;
        EXPECT_EQ(s->ChannelNr, std::atoi(channel)) << fx;
    }
    for (size_t i = 0; i < SoundList.size(); ++i) {
        EXPECT_EQ(SoundList[i].ChannelNr, int(i) + 1);
        EXPECT_EQ(SoundList[i].isplay, 0);
        EXPECT_FALSE(SoundList[i].channel);
    }
}

TEST_F(SoundTest, PlayingAgainCutsTheFirstPlayAndStartsOver) {
    Sound::Play("Boom", 0);
    EXPECT_EQ(Sound::IsPlaying("Boom"), 1);
    EXPECT_EQ(FinishedOn(20), 0);
    Sound::Play("Boom", 0);
    EXPECT_EQ(FinishedOn(20), 1) << "the first play is cut off";
    EXPECT_EQ(Sound::IsPlaying("boom"), 1);
    EXPECT_EQ(Mix_GetChunk(20), Named("boom")->soundFX);
    EXPECT_EQ(FinishedAnywhere(), 1) << "no other channel is touched";
}

TEST_F(SoundTest, ALoopAlreadyPlayingGoesOnUntilStopped) {
    Sound::Play("ufo3-loop", 1);
    Sound::Play("ufo3-loop", 1);
    EXPECT_EQ(FinishedOn(33), 0) << "not restarted";
    EXPECT_EQ(Sound::IsPlaying("ufo3-loop"), 1);
    EXPECT_EQ(Named("ufo3-loop")->Loop, 1);

    Sound::Stop("ufo3-loop");
    EXPECT_EQ(FinishedOn(33), 1);
    EXPECT_EQ(Sound::IsPlaying("ufo3-loop"), 0);
    EXPECT_EQ(Named("ufo3-loop")->isplay, 0);
    EXPECT_FALSE(Named("ufo3-loop")->channel);

    Sound::Play("ufo3-loop", 1);
    EXPECT_EQ(Sound::IsPlaying("ufo3-loop"), 1) << "after Stop it starts again";
    // Stopping a loop that is not playing leaves everything as it is.
    Sound::Stop("ufo3-loop");
    Sound::Stop("ufo3-loop");
    EXPECT_EQ(FinishedOn(33), 2);
}

TEST_F(SoundTest, NamesMatchInAnyCase) {
    Sound::Play("BLIPSND", 0);
    EXPECT_EQ(Mix_GetChunk(26), Named("blipsnd")->soundFX);
    EXPECT_EQ(Sound::IsPlaying("BlipSND"), 1);
    Sound::Stop("blipsnd");
    EXPECT_EQ(Sound::IsPlaying("BLIPSND"), 0);
}

TEST_F(SoundTest, UnknownNamesDoNothing) {
    Sound::Play("nothing-like-it", 0);
    Sound::Play("nothing-like-it", 1);
    Sound::Stop("nothing-like-it");
    EXPECT_EQ(Sound::IsPlaying("nothing-like-it"), 0);
    EXPECT_EQ(Mix_Playing(-1), 0);
    EXPECT_EQ(Mix_PlayingMusic(), 0);
}

TEST_F(SoundTest, MusicStreamsAndSwitchesAroundAGame) {
    Sound::Play("Menu-loop", 1);
    EXPECT_EQ(Sound::IsPlaying("Menu-loop"), 1);
    EXPECT_EQ(Mix_Playing(-1), 0) << "music is not an effect channel";
    // The menu leaves for a game and comes back.
    Sound::Stop("Menu-loop");
    Sound::Play("Ingame-loop", 1);
    EXPECT_EQ(Sound::IsPlaying("Menu-loop"), 0);
    EXPECT_EQ(Sound::IsPlaying("Ingame-loop"), 1);
    Sound::Stop("Ingame-loop");
    Sound::Play("Menu-loop", 1);
    EXPECT_EQ(Sound::IsPlaying("Ingame-loop"), 0);
    EXPECT_EQ(Sound::IsPlaying("Menu-loop"), 1);
    // Effects play over the music.
    Sound::Play("Fire1", 0);
    EXPECT_EQ(Sound::IsPlaying("Fire1"), 1);
    EXPECT_EQ(Sound::IsPlaying("Menu-loop"), 1);
}

TEST_F(SoundTest, MusicStartedOverOtherMusicCountsAsStoppingIt) {
    Sound::Play("Menu-loop", 1);
    Sound::Play("Ingame-loop", 1);
    EXPECT_EQ(Sound::IsPlaying("Menu-loop"), 0);
    EXPECT_EQ(Named("menu-loop")->isplay, 0);
    Sound::Play("Menu-loop", 1);
    EXPECT_EQ(Sound::IsPlaying("Menu-loop"), 1) << "comes back, not ignored as still playing";
}

TEST_F(SoundTest, AFailedLoadIsCountedButNotListed) {
    EXPECT_EQ(Sound::Load("no-such-sound.ogg", 1), 0);
    EXPECT_EQ(SoundCounter, 38);
    EXPECT_EQ(SoundList.size(), 37u);
    EXPECT_EQ(Sound::Load("res\\Ding.ogg", 1), 1);
    EXPECT_EQ(SoundList.back().ChannelNr, 39);
    // The first of two sounds with one name is the one that plays.
    Sound::Play("Ding", 0);
    EXPECT_EQ(Mix_Playing(29), 1);
    EXPECT_EQ(Mix_Playing(39), 0);
}

TEST(SoundWithoutMusicFiles, TheGameStartsAndRunsWithoutMusic) {
    setenv("SDL_AUDIODRIVER", "dummy", 0);
    const std::filesystem::path home = std::filesystem::current_path();
    const std::filesystem::path empty = home / "no-music-here";
    std::filesystem::create_directories(empty);
    std::filesystem::current_path(empty);
    const int loaded = LoadAllSounds();
    std::filesystem::current_path(home);
    EXPECT_EQ(loaded, 35);
    EXPECT_EQ(SoundCounter, 37);
    EXPECT_EQ(Named("menu-loop"), nullptr);
    Sound::Play("Menu-loop", 1);
    EXPECT_EQ(Sound::IsPlaying("Menu-loop"), 0);
    Sound::Stop("Menu-loop");
    EXPECT_EQ(Mix_PlayingMusic(), 0);
    Sound::Play("Walk1", 0);
    EXPECT_EQ(Sound::IsPlaying("walk1"), 1);
    CloseAudio();
}

TEST(SoundWithoutDevice, EverythingIsQuietlySilent) {
    const char* before = std::getenv("SDL_AUDIODRIVER");
    const std::string saved = before ? before : "";
    setenv("SDL_AUDIODRIVER", "no-such-driver", 1);
    EXPECT_FALSE(OpenAudio());
    EXPECT_EQ(LoadAllSounds(), 0);
    EXPECT_EQ(SoundCounter, 37);
    EXPECT_TRUE(SoundList.empty());
    Sound::Play("ufo3-loop", 1);
    EXPECT_EQ(Sound::IsPlaying("ufo3-loop"), 0);
    Sound::Stop("ufo3-loop");
    CloseAudio();
    if (before) setenv("SDL_AUDIODRIVER", saved.c_str(), 1);
    else unsetenv("SDL_AUDIODRIVER");
}

}  // namespace
