// Settings the renderer and the font read. They belong to the settings file;
// they are declared here until the settings header takes them over.
#pragma once

extern int GlowAmount;  // -2 .. 2, the player's glow strength
extern int OffsetX;     // the play area's top-left corner on the display
extern int OffsetY;
