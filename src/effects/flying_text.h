// Flying captions: a large vector caption that zooms up from the centre of
// the screen, wobbling, and flies away.
#pragma once

#include <list>

#include "effects/vector_picture.h"

struct FlyingText {
    int TextIndex = 0;       // row of CaptionShapes
    float angle = 0;         // tilt, swings between -20 and 20 degrees
    float zoom = 0;
    float anglecount = 0;    // tilt change per step
    float Sinus = 0;         // phase of the vertical bob, degrees
    int Yoffset = 0;         // upward flight, negative is up
    int timedelay = 0;       // steps before it shows
};

extern std::list<FlyingText> FlyingTextList;

// Captions 1 to 23 (row 0 stays empty): segments relative to the caption's
// centre, drawn around the screen centre.
constexpr int CaptionCount = 23;
constexpr int MaxFlyingTexts = 4;
extern VectorPicture CaptionShapes[CaptionCount + 1];
void LoadCaptionShapes();

// The caption the base's loss shows; it grows twice as fast as the others.
constexpr int BaseDestroyedCaption = 16;

// Queues a caption unless four are already alive; queuing clears LevelFreshStart.
void SpawnFlyingText(int captionIndex, int delay);

// Draws every caption whose delay has run out; move = 1 also animates them.
void UpdateFlyingTexts(int move);
