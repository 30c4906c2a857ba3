// RC4 text cipher shared by the library and the score server. Enciphered text
// travels as upper-case hexadecimal, two digits per character.
#pragma once

#include <string>

// Each character XOR its keystream byte, written as two upper-case hex digits.
std::string KovaEncipher(const std::string& text, const std::string& key);

// Reads hex pairs in either case. Stops at the first pair that is not two hex
// digits (or a lone last digit), so a damaged reply never reads past its end:
// what was whole is deciphered, the rest is dropped.
std::string KovaDecipher(const std::string& hex, const std::string& key);
