// After every frame of play: is the level done? If so, the screens that
// close it and the set-up of the next; if not, maybe the next wave.
#pragma once

#include "effects/vector_picture.h"

// Once a frame, after the frame is shown and the base-lost check.
void CheckLevelProgress();

// Whether the level has just been completed, by whichever rule fits it: all
// waves out and the field empty, the big Earth shot down to size, the last
// saucer arrived, or the overlord shrunk away.
bool LevelIsComplete();

// The screens of a completed level.
void RunLevelCompletedAnimation();
void ShowSaucerResult();
void ShowTimeBonusResult();
void ShowUnlockNotice();

// Two halves that slide in from either side, meet and part: segments in
// LevelCompleteUpper move by (+slide, -lift), LevelCompleteLower by (-slide,
// +lift); other colours are not drawn.
constexpr uint32_t LevelCompleteUpper = 0xFF3188FF;
constexpr uint32_t LevelCompleteLower = 0xFFBE521D;
extern VectorPicture LevelCompletePicture;
void LoadLevelCompletePicture();
void DrawLevelCompletePicture(float slide, float lift);
