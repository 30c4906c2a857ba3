// Turns recipes into samples (floats, -1..1, 44100 a second). Faults in a
// recipe (an unknown note, a pattern of the wrong length) throw
// std::runtime_error saying what is wrong.
#pragma once

#include <vector>

#include "recipe.h"

constexpr int SampleRate = 44100;

// One play of a voice: `gate` seconds held, then its release. `freq` 0 plays
// the voice's own pitch; otherwise its pitch sweep is moved to start there.
std::vector<float> RenderVoice(const Voice& voice, float gate, float freq, float velocity);

// Adds an echo of `x` after `delay` samples, fed back by `feedback`, at level
// `mix`. Circular: what runs past the end comes back in at the start.
void AddEcho(std::vector<float>& x, int delay, float feedback, float mix, bool circular);

// Brings the loudest sample to `peak`, softly saturating first when drive > 0.
void Level(std::vector<float>& x, float peak, float drive);

// An effect: mono samples, exactly the recipe's length.
std::vector<float> RenderEffect(const Recipe& recipe);

// A music loop: interleaved stereo samples, a whole number of bars, whose end
// runs straight into its start.
std::vector<float> RenderMusic(const Recipe& recipe);
