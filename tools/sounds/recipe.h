// Sound recipes: short text files (data/sounds/*.txt) that say how each
// effect and music loop is made. One statement a line; "#" at the start of a
// word starts a comment (inside a note name it is a sharp).
//
// Effects: top-level settings, then one block per voice.
//   length S          seconds of sound
//   loop              the sound repeats seamlessly (its end runs into its start)
//   peak P            the loudest sample after levelling (0..1, default 0.9)
//   drive D           soft saturation before levelling (0 = none)
//   echo S F M        echo after S seconds, feedback F, wet level M
//   voice WAVE        starts a voice: sine, triangle, square, saw, noise
//
// Music: "tempo BPM", "bars N", "steps N" (steps a beat, default 4), then
//   instrument NAME WAVE   a voice played by patterns
//   pattern NAME TOKENS    one token a step: a note ("A2", "C#4", "A3+C4+E4"
//                          for a chord), "-" holds the note before, "." is
//                          silence, "x"/"X" a soft/loud hit at the voice's own
//                          pitch; "|" only marks bars, "-*7" is seven holds;
//                          a pattern named again goes on (one bar a line)
//   play NAME PATTERNS     the instrument's patterns in order ("riff*3" repeats)
//
// Voice settings (a line after "voice" or "instrument"):
//   at S / for S              start and length in seconds (effects)
//   pitch F [-> F ...] [lin|fast|slow]
//                             Hz, swept evenly over the voice; noise: how often
//                             the noise picks a new value (lower is rumblier)
//   notes TOKENS / step S / gate G
//                             plays the voice once per note, S seconds a step,
//                             sounding G of each step (tokens as in patterns)
//   duty D                    square width (0..1)
//   vibrato RATE SEMITONES    pitch wobble
//   tremolo RATE DEPTH        loudness wobble (depth 0..1)
//   fm RATIO INDEX [-> INDEX] phase modulation by a sine at RATIO x pitch
//   detune CENTS              a second oscillator this far above
//   attack S / decay S / sustain L / release S
//                             loudness: rise, fall towards sustain L (decay is a
//                             time constant), fade at the end
//   volume V / pan P          level, and stereo place (-1..1, music only)
//   lowpass|highpass|bandpass F [-> F ...] [lin|fast|slow]
//   resonance R               filter sharpness (0..0.95)
//   echo T F M                echo of this voice after T (seconds in effects,
//                             steps in music), feedback F, wet level M
#pragma once

#include <string>
#include <string_view>
#include <vector>

enum class Wave { Sine, Triangle, Square, Saw, Noise };
enum class FilterKind { None, Lowpass, Highpass, Bandpass };

// A value that moves through evenly spaced points over a voice's length.
struct Sweep {
    std::vector<float> points;
    bool linear = false;  // else geometric, which is what ears hear as even
    int shape = 0;        // 0 even, 1 fast at first, 2 slow at first

    float At(float u) const;  // u in 0..1
    bool Empty() const { return points.empty(); }
};

struct Voice {
    std::string name;  // instruments only
    Wave wave = Wave::Sine;
    float at = 0;
    float length = -1;  // -1: to the end of the sound, or from the pattern
    Sweep pitch;
    std::vector<std::string> notes;
    float step = 0.1f;
    float gate = 1;
    float duty = 0.5f;
    float vibratoRate = 0, vibratoDepth = 0;
    float tremoloRate = 0, tremoloDepth = 0;
    float fmRatio = 0;
    Sweep fmIndex;
    float detuneCents = 0;
    float attack = 0.003f, decay = 0, sustain = 0, release = 0.01f;
    float volume = 1, pan = 0;
    FilterKind filter = FilterKind::None;
    Sweep cutoff;
    float resonance = 0;
    float echoSteps = 0, echoFeedback = 0, echoMix = 0;
};

struct Pattern {
    std::string name;
    std::vector<std::string> steps;
};

struct PlayLine {
    std::string instrument;
    std::vector<std::string> patterns;  // already expanded ("a*2" gives a, a)
};

struct Recipe {
    float length = 1;
    bool loop = false;
    float peak = 0.9f;
    float drive = 0;
    float echoTime = 0, echoFeedback = 0, echoMix = 0;
    std::vector<Voice> voices;

    float tempo = 0;  // above 0 for music
    int bars = 0;
    int stepsPerBeat = 4;
    std::vector<Pattern> patterns;
    std::vector<PlayLine> plays;

    bool IsMusic() const { return tempo > 0; }
};

// False, with the line and what is wrong in `error`, when the text is not a recipe.
bool ParseRecipe(std::string_view text, Recipe& out, std::string& error);

// Frequency of a note name such as "A4" (440) or "C#3"; 0 when it is not one.
float NoteFrequency(std::string_view name);

// Number of steps a token sequence lasts from `i`: the token plus the holds after it.
int HeldSteps(const std::vector<std::string>& tokens, size_t i);
