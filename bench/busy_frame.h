// The busiest arcade frame (the largest wave, 150 invader shots, explosions,
// particles and captions), as the glow segments it draws.
#pragma once

#include <vector>

#include "render/glow_capture.h"

std::vector<GlowSegment> CaptureBusyArcadeFrame();
