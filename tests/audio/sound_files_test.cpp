// The built-in effects and the music loops, decoded and measured.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "audio/ogg_samples.h"
#include "common/resources.h"

namespace {

struct Expected {
    const char* name;
    double shortest, longest;  // seconds
};

// The shortest blips and the longest explosions and fanfares bound each kind.
const Expected Effects[] = {
    {"alienscream", 0.6, 2.5},   {"pumoreinvaders", 0.3, 1.5}, {"pulessinvaders", 0.3, 1.5},
    {"putrippleshot", 0.3, 1.5}, {"puspeeddown", 0.3, 1.5},    {"puspeedup", 0.3, 1.5},
    {"pugrowearth", 0.3, 1.5},   {"pushrinkearth", 0.3, 1.5},  {"puextralife", 0.3, 1.5},
    {"pushieldon", 0.3, 1.5},    {"pubeamweapon", 0.3, 1.5},   {"puufo", 0.3, 1.5},
    {"pudoublebase", 0.3, 1.5},  {"pupowershots", 0.3, 1.5},   {"BaseExplosion", 1.0, 3.5},
    {"LevelCompleted", 1.0, 4.0}, {"Fire1", 0.08, 0.5},        {"Fire2", 0.08, 0.5},
    {"Fire3", 0.08, 0.6},        {"Boom", 0.4, 2.0},           {"Walk1", 0.08, 0.4},
    {"Walk2", 0.08, 0.4},        {"EarthHit", 0.2, 1.0},       {"BulletHitBullet", 0.05, 0.4},
    {"BaseDestroyed", 1.0, 3.5}, {"BlipSND", 0.03, 0.2},       {"Meow", 0.4, 1.5},
    {"ShieldHit", 0.15, 0.8},    {"Ding", 0.4, 2.5},           {"PlinkSND", 0.05, 0.4},
    {"BounceOffRock", 0.15, 0.8}, {"Bzzt", 0.2, 1.0},          {"ufo3-loop", 0.5, 4.0},
    {"LevelDone", 0.5, 2.0},     {"AlienDie", 0.4, 2.0},
};

DecodedSound BuiltIn(const std::string& name) {
    const ResourceBytes bytes = FindResource("res\\" + name + ".ogg");
    if (!bytes) return {};
    return DecodeOggBytes(bytes.data, bytes.size);
}

// The largest step between neighbouring samples that the sound itself takes,
// leaving out the rarest: a seam must not jump further than that.
double UsualLargestStep(const DecodedSound& s) {
    std::vector<float> steps;
    const size_t c = size_t(s.channels);
    for (size_t i = c; i < s.samples.size(); ++i) steps.push_back(std::fabs(s.samples[i] - s.samples[i - c]));
    std::sort(steps.begin(), steps.end());
    return steps[steps.size() * 999 / 1000];
}

double SeamStep(const DecodedSound& s) {
    const size_t c = size_t(s.channels);
    double jump = 0;
    for (size_t k = 0; k < c; ++k) jump = std::fmax(jump, std::fabs(s.samples[s.samples.size() - c + k] - s.samples[k]));
    return jump;
}

void ExpectSeamless(const DecodedSound& s, const std::string& name) {
    EXPECT_LE(SeamStep(s), 2 * UsualLargestStep(s)) << name << " jumps where it starts again";
    // A loop that fades out or starts from nothing would dip at the seam.
    const size_t tenth = size_t(s.rate / 10);
    const double seam = std::sqrt((std::pow(Rms(s, s.Frames() - tenth, s.Frames()), 2) + std::pow(Rms(s, 0, tenth), 2)) / 2);
    EXPECT_GT(seam, 0.3 * Rms(s, 0, s.Frames())) << name << " goes quiet at the seam";
}

TEST(SoundFiles, EveryEffectDecodesIsAudibleAndLastsSensibly) {
    for (const Expected& e : Effects) {
        SCOPED_TRACE(e.name);
        const DecodedSound s = BuiltIn(e.name);
        ASSERT_TRUE(s.ok);
        EXPECT_EQ(s.rate, 44100);
        EXPECT_GE(s.Seconds(), e.shortest);
        EXPECT_LE(s.Seconds(), e.longest);
        EXPECT_GT(Rms(s, 0, s.Frames()), 0.05) << "too quiet to hear in a game";
        EXPECT_LT(Peak(s), 0.999) << "clips";
        if (std::string(e.name) != "ufo3-loop") {
            // One-shots end in silence rather than on a click.
            EXPECT_LT(std::fabs(s.samples.back()), 0.02);
        }
    }
}

TEST(SoundFiles, TheUfoHumLoopsWithoutASeam) {
    const DecodedSound s = BuiltIn("ufo3-loop");
    ASSERT_TRUE(s.ok);
    ExpectSeamless(s, "ufo3-loop");
}

// Where the energy of a sound sits, in hertz: for a pure tone its frequency.
double MeanFrequency(const DecodedSound& s) {
    double signal = 0, change = 0;
    for (size_t i = 1; i < s.samples.size(); ++i) {
        signal += double(s.samples[i]) * s.samples[i];
        const double d = s.samples[i] - s.samples[i - 1];
        change += d * d;
    }
    return s.rate / (2 * M_PI) * std::sqrt(change / signal);
}

TEST(SoundFiles, EachKindSitsWhereItsNameSays) {
    // The march: two low thuds, the second a step below the first.
    const double walk1 = MeanFrequency(BuiltIn("Walk1")), walk2 = MeanFrequency(BuiltIn("Walk2"));
    EXPECT_LT(walk1, 300);
    EXPECT_LT(walk2, walk1 * 0.97);
    EXPECT_GT(walk2, walk1 * 0.8);
    // Laser shots are bright, explosions dark and heavy.
    for (const char* shot : {"Fire1", "Fire2", "Fire3"}) EXPECT_GT(MeanFrequency(BuiltIn(shot)), 800) << shot;
    for (const char* blast : {"Boom", "BaseExplosion", "BaseDestroyed"})
        EXPECT_LT(MeanFrequency(BuiltIn(blast)), 800) << blast;
}

TEST(SoundFiles, MusicLoopsAreLongStereoAndSeamless) {
    for (const char* file : {"Menu-loop.ogg", "Ingame-loop.ogg"}) {
        SCOPED_TRACE(file);
        const DecodedSound s = DecodeOggFile(file);
        ASSERT_TRUE(s.ok) << "the build writes the music beside the tests";
        EXPECT_GE(s.Seconds(), 30.0);
        EXPECT_LE(s.Seconds(), 90.0);
        EXPECT_EQ(s.channels, 2);
        EXPECT_LT(Peak(s), 0.999);
        EXPECT_GT(Rms(s, 0, s.Frames()), 0.05);
        ExpectSeamless(s, file);
    }
}

}  // namespace
