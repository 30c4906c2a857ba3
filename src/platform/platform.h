// The whole contract between the game and the machine it runs on: display,
// pictures, keyboard, game controller and clock. Only platform/ (and the glow
// renderer's back-end in render/) talk to SDL or OpenGL; the game sees this.
//
// There are two implementations behind it, chosen once by PlatformStart:
//   - the real one: an SDL window with an OpenGL context, wall-clock timing;
//   - the headless one: a virtual clock (sleeping and frame pacing advance
//     virtual time at once), scripted input, and either an offscreen OpenGL
//     context on the software rasterizer (for screenshots) or no OpenGL at
//     all, where drawing is only counted.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

enum class PlatformKind {
    Window,        // real display, real time
    HeadlessGL,    // offscreen OpenGL, virtual time
    HeadlessNoGL,  // no OpenGL, virtual time
};

// What a scripted event does: a key, or the window losing or regaining the
// keyboard's focus (as when the player turns to another window).
enum class ScriptedKind { Key, FocusOut, FocusIn };

// Scripted input for the headless platform: before frame `frame` is drawn,
// `key` goes down (press: one hit, then held) or up; or the focus changes.
struct ScriptedKey {
    int frame = 0;
    int key = 0;
    bool down = true;
    ScriptedKind kind = ScriptedKind::Key;
};

// The buttons of a game controller, by where they sit (A is the bottom of
// the four face buttons, B the right one, X the left, Y the top, whatever
// their labels say). The Stick* ones are the left stick pushed that way.
enum class PadButton {
    A, B, X, Y, Back, Start, LeftShoulder, RightShoulder,
    DpUp, DpDown, DpLeft, DpRight,
    StickUp, StickDown, StickLeft, StickRight,
    Count
};

// Scripted pad input for the headless platform: before frame `frame` is
// drawn, a virtual pad is plugged in or pulled out, a button goes down or
// up, or a left-stick axis (0 x, 1 y) moves to `value` (-1..1).
struct ScriptedPad {
    enum class Action { Connect, Disconnect, Press, Release, Axis };
    int frame = 0;
    Action action = Action::Connect;
    PadButton button = PadButton::A;
    int axis = 0;
    float value = 0;
};

struct PlatformOptions {
    PlatformKind kind = PlatformKind::Window;
    std::vector<ScriptedKey> script;  // beside the keyboard, if any
    std::vector<ScriptedPad> padScript;  // headless: the only pads it sees
    long long frameLimit = -1;        // end the orderly way after this many shown frames; -1 none
};

// Thrown by ShowFrame (and the waits) when the program must end the orderly
// way: the window was closed or the frame limit reached. Start-up catches it,
// saves the settings and exits with code 0, wherever in a screen it came from.
struct ProgramQuit {};

// Called on the game's thread when the real display is lost for good (the
// X server ended): for what must not be lost, such as the settings. The
// program then ends at once with code 0; nothing can be drawn or closed.
using DisplayLostHook = void (*)();
void SetDisplayLostHook(DisplayLostHook hook);

// Starts SDL's subsystems for the chosen kind. False, with PlatformError()
// saying why, when there is no usable video at all.
bool PlatformStart(const PlatformOptions& options);
void PlatformStop();
const std::string& PlatformError();
PlatformKind CurrentPlatformKind();
bool PlatformHasGL();

// ---- display ----

// Opens (or changes to) a display of width x height at 60 Hz, mouse pointer
// hidden, with additive blending and a pixel projection. On failure the
// previous display stays (if any) and false is returned.
bool OpenDisplay(int width, int height, bool fullScreen, const char* title);
int DisplayWidth();
int DisplayHeight();
// Screen pixels one display pixel covers: 1 unless the picture is scaled to
// fit a full screen, a window the player or the desktop sized, or a scaled
// desktop's real pixels.
float DisplayScale();

// The play area every picture is laid out in, whatever the display's size.
constexpr int PlayWidth = 1024;
constexpr int PlayHeight = 768;

// Real window only: where the picture would be magnified to fit the screen
// (desktop full screen), it is drawn at its own size in the middle instead,
// black all round: what a software rasterizer can fill in time when the
// magnified one keeps missing. Takes effect from the next frame.
void SetUnmagnifiedPicture(bool on);
bool UnmagnifiedPictureInUse();

// Restricts all drawing to the 1024 x 768 play area whose top-left corner is
// at (offsetX, offsetY) on the display. Coordinates stay display pixels.
void SetPlayViewport(int offsetX, int offsetY);

// Clears the whole display to black.
void ClearScreen();

// Shows the frame, pumps events and holds the program to 60 frames a second.
// Throws ProgramQuit when the window was closed or the frame limit is reached.
void ShowFrame();
// A frame's turn: what its work must fit in to be shown on time.
constexpr double FramePeriodMs = 1000.0 / 60;
long long FramesShown();

// Real window only (0 headless): how long the last frame took to make,
// without the wait for its turn, and whether the monitor's vsync paces the
// frames (else the platform sleeps until each is due).
double FrameWorkMs();
bool VsyncPacing();
// Real window only (0 headless, or before the first): when the last frame
// was shown, in milliseconds of a steady clock; for measuring intervals.
double FrameShownMs();

// Called once for every press of F11 or Alt+Enter, between two frames (after
// one is shown, before the next is drawn): the game switches between window
// and full screen there. Neither press counts as a key hit, so Alt+Enter is
// never Enter, and the Alt of Alt+Enter is no hit either.
using DisplayToggleHook = void (*)();
void SetDisplayToggleHook(DisplayToggleHook hook);

// Called with the frame's number (0 for the first) once it is complete and
// just before it is shown; ReadFramePixels works inside it (screenshots).
using FrameHook = void (*)(long long frame);
void SetFrameHook(FrameHook hook);

// The frame being shown, RGBA rows top to bottom, display-sized. Empty
// without OpenGL.
std::vector<uint8_t> ReadFramePixels();

// ---- pictures ----

struct Picture {
    int width = 0;
    int height = 0;
    unsigned texture = 0;  // OpenGL texture name; 0 without OpenGL
    float handleX = 0;     // drawing point inside the picture
    float handleY = 0;
};

// Decodes PNG bytes into a picture. nullptr, with PlatformError() naming the
// resource, when the bytes do not decode.
Picture* LoadPicturePng(const unsigned char* data, size_t size, const std::string& name);
void MidHandle(Picture* picture);

// A texture of width x height RGBA pixels (nullptr: contents undefined),
// filtered linearly and clamped at its edges; 0 without OpenGL. For the
// glow renderer's own textures. bgra: the pixels come, and are kept, in
// blue, green, red, alpha order (what some rasterizers read fastest).
unsigned MakeTexture(int width, int height, const uint8_t* pixels, bool bgra = false);

// Draws a picture with its handle at (x, y) in display pixels, with alpha 0..1.
void DrawPicture(const Picture* picture, float x, float y, float alpha = 1.0f);

// Fills a rectangle in an 0xAARRGGBB colour (added onto the screen like everything).
void FillRect(float x, float y, float width, float height, uint32_t colour);

// The TrueType font plain text is drawn with; the bytes must outlive the
// program's drawing. Until it is given, plain text draws nothing.
void SetPlainTextFont(const unsigned char* data, size_t size);

// Plain monospaced text (the score lists), top-left at (x, y) in display
// pixels, lines fit 16 pixels apart. One byte is one character, read as
// Latin-1.
void DrawPlainText(const std::string& text, float x, float y, uint32_t colour);

// The glow renderer keeps its drawing pending; through this one hook the
// platform tells it when the screen must catch up. Flush: other drawing (a
// picture, a rectangle, plain text) comes next, so what is pending is drawn
// first. Complete: the screen must hold everything drawn so far, the split
// path's halo included (clearing, a new viewport, reading the pixels).
// FrameEnd: the frame is about to be shown (complete it, close its counts);
// once per frame, before the frame hook.
enum class DrawSync { Flush, Complete, FrameEnd };
using RendererHook = void (*)(DrawSync sync);
void SetRendererHook(RendererHook hook);

// ---- keyboard (Windows virtual-key codes) ----

// The codes the screens test directly.
constexpr int VkBackspace = 8, VkTab = 9, VkReturn = 13, VkEscape = 27, VkSpace = 32;
constexpr int VkLeft = 37, VkUp = 38, VkRight = 39, VkDown = 40;
constexpr int VkN = 78, VkY = 89, VkF12 = 123;

constexpr int VkF11 = 122;

bool KeyDown(int vk);
int KeyHit(int vk);  // presses since the last KeyHit of this key; resets it
void FlushKeys();
void PumpEvents();

// Presses of Enter while Alt was held, since the last call or FlushKeys;
// resets it. Play takes back a shield that the Alt of Alt+Enter raised.
int AltEnterHit();
// Either Alt key, or the code that stands for both.
constexpr bool IsAltKey(int vk) { return vk == 164 || vk == 165 || vk == 18; }

// Times the window lost the keyboard's focus or was minimised since the
// last call; resets it. FlushKeys leaves it, so a loss during a screen
// between frames of play still pauses the play that follows. Held keys are
// let go when the focus goes.
int FocusLossHit();

// Called with the frame's number just after that frame's
// scripted keys went down or up, before the frame reads any key. The key
// changes it appends are applied the same way (a computer player at the
// keyboard); they take effect from this frame on.
using InputHook = void (*)(long long frame, std::vector<ScriptedKey>& changes);
void SetInputHook(InputHook hook);

// ---- game controller ----
// Pads SDL knows, those SDL_GAMECONTROLLERCONFIG maps and those mapped by a
// gamecontrollerdb.txt in the working folder. The first one connected is
// used, and when it goes, the next one still connected. Headless, only the
// scripted pad is seen. FlushKeys clears the pad's hits too.

bool PadDown(PadButton button);
int PadHit(PadButton button);  // presses since the last PadHit of this button; resets it
// Past this the left stick counts as pushed, in play (turning) and in the
// menus (the Stick* buttons, which count again only once back at rest).
constexpr float PadStickPushed = 0.9f;
// The left stick's x axis, -1..1: 0 inside the dead zone around the centre,
// and 0 until the axis has once been seen at rest (a pad whose axis sits
// at an end from the start must not turn anything).
float PadStickX();
// The pad in use, -1 when none; a pad plugged in again gets a new one.
int PadId();
// Presses of any button (not the stick) since the last call; resets it.
int PadPresses();

// ---- clock ----

uint32_t Millisecs();
void Delay(int milliseconds);
