// The keys the game knows by name, and the "any key" scan over them.
#pragma once

#include <string>

struct KeyNameRow {
    int code;
    const char* name;
};

extern const KeyNameRow KeyNames[];  // ends with the row {255, "n/a"}
extern int LastKeyHit;
extern int AnyKeyHit;

// Display name of a key code: its first row's name, "n/a" when not in the table.
std::string KeyName(int code);

// Finds the first key of the table hit since its last query (see key_names.cpp).
void ScanKeys();

// The code named by a name of the table ("Return", "A"), or by a number; 0 if none.
int KeyCodeByName(const std::string& name);
