#include "platform/key_codes.h"

#include <SDL.h>

int VirtualKeyOfScancode(int scancode) {
    const auto sc = SDL_Scancode(scancode);
    if (sc >= SDL_SCANCODE_A && sc <= SDL_SCANCODE_Z) return 65 + (sc - SDL_SCANCODE_A);
    if (sc >= SDL_SCANCODE_1 && sc <= SDL_SCANCODE_9) return 49 + (sc - SDL_SCANCODE_1);
    if (sc >= SDL_SCANCODE_F1 && sc <= SDL_SCANCODE_F12) return 112 + (sc - SDL_SCANCODE_F1);
    if (sc >= SDL_SCANCODE_KP_1 && sc <= SDL_SCANCODE_KP_9) return 97 + (sc - SDL_SCANCODE_KP_1);
    switch (sc) {
        case SDL_SCANCODE_0: return 48;
        case SDL_SCANCODE_KP_0: return 96;
        case SDL_SCANCODE_BACKSPACE: return 8;
        case SDL_SCANCODE_TAB: return 9;
        case SDL_SCANCODE_RETURN: return 13;
        case SDL_SCANCODE_KP_ENTER: return 13;
        case SDL_SCANCODE_PAUSE: return 19;
        case SDL_SCANCODE_CAPSLOCK: return 20;
        case SDL_SCANCODE_ESCAPE: return 27;
        case SDL_SCANCODE_SPACE: return 32;
        case SDL_SCANCODE_PAGEUP: return 33;
        case SDL_SCANCODE_PAGEDOWN: return 34;
        case SDL_SCANCODE_END: return 35;
        case SDL_SCANCODE_HOME: return 36;
        case SDL_SCANCODE_LEFT: return 37;
        case SDL_SCANCODE_UP: return 38;
        case SDL_SCANCODE_RIGHT: return 39;
        case SDL_SCANCODE_DOWN: return 40;
        case SDL_SCANCODE_PRINTSCREEN: return 44;
        case SDL_SCANCODE_HELP: return 47;
        case SDL_SCANCODE_INSERT: return 45;
        case SDL_SCANCODE_DELETE: return 46;
        case SDL_SCANCODE_LGUI: return 91;
        case SDL_SCANCODE_RGUI: return 92;
        case SDL_SCANCODE_APPLICATION: return 93;
        case SDL_SCANCODE_KP_MULTIPLY: return 106;
        case SDL_SCANCODE_KP_PLUS: return 107;
        case SDL_SCANCODE_KP_MINUS: return 109;
        case SDL_SCANCODE_KP_PERIOD: return 110;
        case SDL_SCANCODE_KP_DIVIDE: return 111;
        case SDL_SCANCODE_NUMLOCKCLEAR: return 144;
        case SDL_SCANCODE_SCROLLLOCK: return 145;
        case SDL_SCANCODE_LSHIFT: return 160;
        case SDL_SCANCODE_RSHIFT: return 161;
        case SDL_SCANCODE_LCTRL: return 162;
        case SDL_SCANCODE_RCTRL: return 163;
        case SDL_SCANCODE_LALT: return 164;
        case SDL_SCANCODE_RALT: return 165;
        case SDL_SCANCODE_SEMICOLON: return 186;
        case SDL_SCANCODE_EQUALS: return 187;
        case SDL_SCANCODE_COMMA: return 188;
        case SDL_SCANCODE_MINUS: return 189;
        case SDL_SCANCODE_PERIOD: return 190;
        case SDL_SCANCODE_SLASH: return 191;
        case SDL_SCANCODE_GRAVE: return 192;
        case SDL_SCANCODE_LEFTBRACKET: return 219;
        case SDL_SCANCODE_BACKSLASH: return 220;
        case SDL_SCANCODE_RIGHTBRACKET: return 221;
        case SDL_SCANCODE_APOSTROPHE: return 222;
        // The extra key beside left Shift on ISO keyboards.
        case SDL_SCANCODE_NONUSBACKSLASH: return 226;
        default: return 0;
    }
}

// The generic code a sided modifier also counts as.
int GenericKey(int vk) {
    if (vk == 160 || vk == 161) return 16;
    if (vk == 162 || vk == 163) return 17;
    if (vk == 164 || vk == 165) return 18;
    return 0;
}
