// How well the human-model player plays: one table of figures for three
// kinds of player, each figure with the reason it has that value, so that it
// can be set again from real players' replays.
#pragma once

#include <string>

enum class SkillLevel { Casual, Average, Expert };

// The table's figures for one kind of player, in frames (60 a second) where
// they are times.
struct HumanSkill {
    int reactionFrames = 0;    // from seeing something to acting on it
    int decideEvery = 0;       // frames between two decisions
    float aimErrorDeg = 0;     // spread of the aim, drawn anew for each decision
    float leadShare = 0;       // share of a target's motion it allows for
    int tapEvery = 0;          // frames between two presses of the fire key
    int tapHold = 0;           // frames a press holds the key down
    float fireWindowDeg = 0;   // how far off its aim it still fires
    float missDodge = 0;       // chance a shot coming in goes unnoticed
    float missPickup = 0;      // chance a falling pickup is overlooked
    float anticipation = 0;    // share of its own delay allowed for in judging a shot
    float dodgeMarginDeg = 0;  // degrees beyond a shot's reach it steps
    float turnCost = 0;        // orbit units of nearness a degree of turning is worth
    int motionFrames = 0;      // frames over which it judges how fast a target moves
    int threatFrames = 0;      // how soon a shot must arrive to be dodged now
};

// "casual", "average" or "expert"; false for any other name.
bool SkillByName(const std::string& name, SkillLevel& out);
const char* SkillName(SkillLevel level);

HumanSkill SkillFor(SkillLevel level);
