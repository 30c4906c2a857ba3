// The options screen and the screens it opens.
#pragma once

int ShowOptions();
int AdjustGlow();
void DrawGlowPreview(int xStart);
int EditPlayerName();
int RedefineKeys();
int WaitForKey();
void DrawKeyLine(const char* label, int code, float x, float y, int waiting);
int ShowInstructions();
void DrawCreditsPicture(float scale, float angle);
