#include "ui/key_names.h"

#include <cstdlib>

#include "platform/platform.h"
#include "ui/pad.h"

// Order matters: a code shows by its first row, and ScanKeys walks it in order.
const KeyNameRow KeyNames[] = {
    {8, "Backspace"}, {9, "Tab"}, {13, "Return"}, {13, "Enter"}, {19, "Pause"}, {20, "Caps Lock"},
    {27, "Escape"}, {32, "Space"}, {33, "Page Up"}, {34, "Page Down"}, {35, "End"}, {36, "Home"},
    {37, "Cursor (Left)"}, {38, "Cursor (Up)"}, {39, "Cursor (Right)"}, {40, "Cursor (Down)"},
    {45, "Insert"}, {46, "Delete"}, {47, "Help"},
    {48, "0"}, {49, "1"}, {50, "2"}, {51, "3"}, {52, "4"}, {53, "5"}, {54, "6"}, {55, "7"}, {56, "8"}, {57, "9"},
    {65, "A"}, {66, "B"}, {67, "C"}, {68, "D"}, {69, "E"}, {70, "F"}, {71, "G"}, {72, "H"}, {73, "I"},
    {74, "J"}, {75, "K"}, {76, "L"}, {77, "M"}, {78, "N"}, {79, "O"}, {80, "P"}, {81, "Q"}, {82, "R"},
    {83, "S"}, {84, "T"}, {85, "U"}, {86, "V"}, {87, "W"}, {88, "X"}, {89, "Y"}, {90, "Z"},
    {91, "Sys key (Left)"}, {92, "Sys key (Right)"},
    {96, "Numpad 0"}, {97, "Numpad 1"}, {98, "Numpad 2"}, {99, "Numpad 3"}, {100, "Numpad 4"},
    {101, "Numpad 5"}, {102, "Numpad 6"}, {103, "Numpad 7"}, {104, "Numpad 8"}, {105, "Numpad 9"},
    {106, "Numpad *"}, {107, "Numpad +"}, {109, "Numpad -"}, {110, "Numpad ."}, {111, "Numpad /"},
    {112, "F1"}, {113, "F2"}, {114, "F3"}, {115, "F4"}, {116, "F5"}, {117, "F6"}, {118, "F7"}, {119, "F8"},
    {120, "F9"}, {121, "F10"}, {122, "F11"}, {123, "F12"},
    {144, "Num Lock"}, {145, "Scroll Lock"},
    {160, "Shift (Left)"}, {161, "Shift (Right)"}, {162, "Control (Left)"}, {163, "Control (Right)"},
    {164, "Alt key (Left)"}, {165, "Alt key (Right)"},
    {192, "Tilde"}, {107, "Minus"}, {109, "Equals"}, {219, "Bracket (Open)"}, {221, "Bracket (Close)"},
    {226, "Backslash"}, {186, "Semi-colon"}, {222, "Quote"}, {188, "Comma"}, {190, "Period"}, {191, "Slash"},
    {255, "n/a"},
};

int LastKeyHit = 0;
int AnyKeyHit = 0;

std::string KeyName(int code) {
    for (const KeyNameRow* row = KeyNames;; ++row) {
        if (row->code == code || row->code == 255) return row->name;
    }
}

void ScanKeys() {
    LastKeyHit = 0;
    for (const KeyNameRow* row = KeyNames;; ++row) {
        if (KeyHit(row->code) > 0) LastKeyHit = row->code;
        // Stop at the end row, or at the first key found; later keys keep their hits.
        if (row->code == 255 || row->code == LastKeyHit) break;
    }
    if (LastKeyHit == 0) LastKeyHit = PadAnyKey();
    AnyKeyHit = LastKeyHit > 0 && LastKeyHit < 255 ? 1 : 0;
}

int KeyCodeByName(const std::string& name) {
    if (name.empty()) return 0;
    char* end = nullptr;
    const long n = std::strtol(name.c_str(), &end, 10);
    if (*end == '\0') return n > 0 && n < 256 ? int(n) : 0;
    for (const KeyNameRow* row = KeyNames; row->code != 255; ++row)
        if (name == row->name) return row->code;
    return 0;
}
