// Opening the display from the settings, with a way back to the mode that
// worked: the options screen changes ScreenWidth and friends before asking.
#pragma once

inline constexpr const char* WindowTitle = "Orbivore - v1.00";

// Notes the mode the display is open in now, to fall back to.
void RememberOpenMode();

// Opens the display for ScreenWidth x ScreenHeight and FullScreen, with the
// play area at (OffsetX, OffsetY). When the platform cannot open that mode the
// previous mode stays and the settings are put back to it; false then.
bool ReopenDisplay();

// Window to full screen or back, keeping the size: the options' first entry,
// F11 and Alt+Enter.
void ToggleFullScreen();
