#include "platform/key_codes.h"

#include <SDL.h>
#include <gtest/gtest.h>

// Settings files hold these codes, so they must never move.
TEST(KeyCodes, ScancodesMapOntoTheStoredVirtualKeys) {
    EXPECT_EQ(VirtualKeyOfScancode(SDL_SCANCODE_A), 65);
    EXPECT_EQ(VirtualKeyOfScancode(SDL_SCANCODE_Z), 90);
    EXPECT_EQ(VirtualKeyOfScancode(SDL_SCANCODE_0), 48);
    EXPECT_EQ(VirtualKeyOfScancode(SDL_SCANCODE_9), 57);
    EXPECT_EQ(VirtualKeyOfScancode(SDL_SCANCODE_KP_0), 96);
    EXPECT_EQ(VirtualKeyOfScancode(SDL_SCANCODE_KP_9), 105);
    EXPECT_EQ(VirtualKeyOfScancode(SDL_SCANCODE_F1), 112);
    EXPECT_EQ(VirtualKeyOfScancode(SDL_SCANCODE_F12), 123);
    EXPECT_EQ(VirtualKeyOfScancode(SDL_SCANCODE_LEFT), 37);
    EXPECT_EQ(VirtualKeyOfScancode(SDL_SCANCODE_DOWN), 40);
    EXPECT_EQ(VirtualKeyOfScancode(SDL_SCANCODE_RETURN), 13);
    EXPECT_EQ(VirtualKeyOfScancode(SDL_SCANCODE_KP_ENTER), 13);
    EXPECT_EQ(VirtualKeyOfScancode(SDL_SCANCODE_LCTRL), 162);
    EXPECT_EQ(VirtualKeyOfScancode(SDL_SCANCODE_RALT), 165);
    EXPECT_EQ(VirtualKeyOfScancode(SDL_SCANCODE_NONUSBACKSLASH), 226);
    EXPECT_EQ(VirtualKeyOfScancode(SDL_SCANCODE_F13), 0);  // no code: the key does nothing
    EXPECT_EQ(GenericKey(160), 16);
    EXPECT_EQ(GenericKey(163), 17);
    EXPECT_EQ(GenericKey(164), 18);
    EXPECT_EQ(GenericKey(65), 0);
}
