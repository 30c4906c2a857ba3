#include "human_skill.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr float FramesPerMs = 60.0f / 1000.0f;

// One row per figure: casual, average and expert, and why. Times are in
// milliseconds here and become frames below.
struct Row {
    float casual, average, expert;
    const char* reason;
};

enum Figure {
    ReactionMs, DecideMs, AimErrorDeg, LeadShare, TapsPerSecond, TapHoldMs, FireWindowDeg, MissDodge,
    MissPickup, Anticipation, DodgeMarginDeg, TurnCost, MotionMs, ThreatMs, FigureCount
};

constexpr Row Table[FigureCount] = {
    /* ReactionMs */ {350, 250, 180, "choice reaction time to a seen event: untrained 350 ms, average adult 250, practised 180"},
    /* DecideMs */ {200, 150, 100, "a hand on keys corrects intermittently, five to ten times a second"},
    /* AimErrorDeg */ {3.5f, 2.2f, 1.2f, "where a held turn key is let go scatters by a few degrees, less with practice"},
    /* LeadShare */ {0.3f, 0.6f, 0.9f, "newcomers shoot where a target is; only practice teaches aiming where it will be"},
    /* TapsPerSecond */ {4, 5, 6, "fire presses kept up over a whole level; six a second is the gun's own limit"},
    /* TapHoldMs */ {70, 50, 50, "a key press lasts about 50 ms, a little longer for the unpractised"},
    /* FireWindowDeg */ {14, 10, 6, "the less skilled spray shots before they are on target"},
    /* MissDodge */ {0.15f, 0.07f, 0.03f, "among invaders and shots now and then one coming down goes unnoticed, rarely with practice"},
    /* MissPickup */ {0.4f, 0.25f, 0.1f, "pickups fall while the eyes are on the invaders; many go unseen or are let go"},
    /* Anticipation */ {0.3f, 0.6f, 0.9f, "players learn to judge a shot by where it will be, not where they saw it"},
    /* DodgeMarginDeg */ {6, 4, 3, "an unsure player steps further aside than a shot needs"},
    /* TurnCost */ {0.1f, 0.1f, 0.1f, "a player prefers the invader near the gun unless another comes much closer"},
    /* MotionMs */ {100, 100, 100, "the eye needs about 100 ms of motion to judge a speed"},
    /* ThreatMs */ {700, 700, 700, "only shots that arrive within a fraction of a second call for a step aside"},
};

float Pick(Figure f, SkillLevel level) {
    const Row& r = Table[f];
    return level == SkillLevel::Casual ? r.casual : level == SkillLevel::Average ? r.average : r.expert;
}

int Frames(Figure f, SkillLevel level) { return std::max(1, int(std::lround(Pick(f, level) * FramesPerMs))); }

}  // namespace

bool SkillByName(const std::string& name, SkillLevel& out) {
    for (SkillLevel l : {SkillLevel::Casual, SkillLevel::Average, SkillLevel::Expert})
        if (name == SkillName(l)) return out = l, true;
    return false;
}

const char* SkillName(SkillLevel level) {
    return level == SkillLevel::Casual ? "casual" : level == SkillLevel::Average ? "average" : "expert";
}

HumanSkill SkillFor(SkillLevel l) {
    HumanSkill s;
    s.reactionFrames = Frames(ReactionMs, l);
    s.decideEvery = Frames(DecideMs, l);
    s.aimErrorDeg = Pick(AimErrorDeg, l);
    s.leadShare = Pick(LeadShare, l);
    s.tapEvery = std::max(1, int(std::lround(60 / Pick(TapsPerSecond, l))));
    s.tapHold = Frames(TapHoldMs, l);
    s.fireWindowDeg = Pick(FireWindowDeg, l);
    s.missDodge = Pick(MissDodge, l);
    s.missPickup = Pick(MissPickup, l);
    s.anticipation = Pick(Anticipation, l);
    s.dodgeMarginDeg = Pick(DodgeMarginDeg, l);
    s.turnCost = Pick(TurnCost, l);
    s.motionFrames = Frames(MotionMs, l);
    s.threatFrames = Frames(ThreatMs, l);
    return s;
}
