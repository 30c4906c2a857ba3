// Whether an upload's points could have been scored at all: a game's level
// text ("012-034" from arcade level 12 to 34, "CLA-005" for classic) says
// how many levels it played, and no level holds more than so many points.
#pragma once

#include <cstdint>
#include <string>

// The richest arcade level holds under 25,000 points even when every
// invader of every wave falls and two pickups are caught for each. This
// leaves room for saucers, the time bonus, shot-down invader shots and the
// waves pickups bring in, so that no game really played is ever refused.
constexpr int64_t MostPointsPerLevel = 100000;

// The most points the level text allows (its form already checked);
// INT64_MAX where it sets no bound.
int64_t MostPointsFor(const std::string& level);
