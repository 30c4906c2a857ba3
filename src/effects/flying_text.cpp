#include "effects/flying_text.h"

#include <climits>
#include <cstdio>

#include "common/maths.h"
#include "effects/effect_line.h"
#include "effects/particles.h"
#include "game/game_state.h"
#include "glow/glow.h"

std::list<FlyingText> FlyingTextList;
VectorPicture CaptionShapes[CaptionCount + 1];

namespace {

void DrawCaption(const FlyingText& t, float bob) {
    if (t.TextIndex < 1 || t.TextIndex > CaptionCount) return;
    const float c = Cos(t.angle), s = Sin(t.angle);
    const float cx = 512, cy = 386 - bob + float(t.Yoffset);
    for (const PictureSegment& seg : CaptionShapes[t.TextIndex].segments) {
        const float x1 = float(seg.x1) * t.zoom, y1 = float(seg.y1) * t.zoom;
        const float x2 = float(seg.x2) * t.zoom, y2 = float(seg.y2) * t.zoom;
        DrawEffectLine(cx + x1 * c - y1 * s, cy + x1 * s + y1 * c, seg.colour, cx + x2 * c - y2 * s,
                       cy + x2 * s + y2 * c, seg.colour, LineWidth24);
    }
}

void Animate(FlyingText& t) {
    t.zoom += 0.015f;
    if (t.TextIndex == BaseDestroyedCaption) t.zoom += 0.015f;
    if (t.zoom > 1) t.Yoffset -= 16;
    if (t.zoom > 1.5f) t.zoom += 0.15f;
    t.Sinus += 3;
    t.angle += t.anglecount;
    if (t.anglecount > 0) {
        if (t.angle > 20) t.anglecount = -0.75f;
    } else if (t.angle < -20) {
        t.anglecount = 0.75f;
    }
}

}  // namespace

void LoadCaptionShapes() {
    char name[40];
    for (int i = 1; i <= CaptionCount; ++i) {
        std::snprintf(name, sizeof name, "pictures/caption_%02d.txt", i);
        CaptionShapes[i] = LoadVectorPicture(name);
    }
}

void SpawnFlyingText(int captionIndex, int delay) {
    if (FlyingTextList.size() >= MaxFlyingTexts) return;
    FlyingText t;
    t.TextIndex = captionIndex;
    t.zoom = 0.01f;
    t.angle = 0;
    t.anglecount = 0.5f;
    t.timedelay = delay;
    FlyingTextList.push_back(t);
    LevelFreshStart = 0;
}

void UpdateFlyingTexts(int move) {
    for (auto it = FlyingTextList.begin(); it != FlyingTextList.end();) {
        FlyingText& t = *it;
        // The delay counts down even behind the exit prompt; once the
        // caption shows it keeps falling, held off the bottom of the range.
        if (t.timedelay > INT_MIN + 2) t.timedelay -= 1;
        if (t.timedelay > 0) {
            ++it;
            continue;
        }
        if (t.timedelay == 0) SpawnParticles(512, 384, 3, 2);
        if (t.timedelay > INT_MIN + 2) t.timedelay -= 1;
        DrawCaption(t, Sin(t.Sinus) * 120);
        if (move == 1) Animate(t);
        if (t.zoom > 4)
            it = FlyingTextList.erase(it);
        else
            ++it;
    }
}
