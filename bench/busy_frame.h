// The busiest arcade frame (the largest wave, 150 invader shots, explosions,
// particles and captions), as the glow segments it draws.
#pragma once

#include <list>
#include <vector>

#include "combat/invaders.h"
#include "glow/glow_options.h"
#include "platform/platform.h"

// Shots in flight in the frame: as many as the no-weapon levels allow the
// invaders, and the player's with the fire key held.
constexpr size_t BusyInvaderShots = 150, BusyPlayerShots = 15;

// The segments of the frame being drawn while a busy frame is prepared.
extern std::vector<GlowSegment> BusyFrameSegments;

// The largest wave of the game, brought in to where it is drawn whole.
const std::list<Enemies>& LargestWave();

// Loads what the frame needs (once) and sets the game's state for it; the
// segments drawn from then on are captured into BusyFrameSegments.
void PrepareBusyFrame();
// Tops the shots in flight up again and brings a thinned wave back.
void TopUpBusyFrame();
// The frame's logic passes, drawing as they go.
void DrawBusyFrame();

// The whole frame under way (explosions, particles, captions), as drawn.
std::vector<GlowSegment> CaptureBusyArcadeFrame();

// Loads the glow dot (into GlowImage) and the game's backdrop onto the
// display just opened and readies the glow renderer; nullptr, with nothing
// readied, where either is missing.
const Picture* LoadGlowPictures();

// Draws captured segments again, each shape as the shape it was drawn in.
void DrawGlowSegments(const std::vector<GlowSegment>& frame);
