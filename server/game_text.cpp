#include "game_text.h"

namespace {

// The code point of a valid UTF-8 sequence at pos and its length; 0 when
// none starts there.
size_t Utf8Sequence(std::string_view text, size_t pos, char32_t& code) {
    const auto byte = [&](size_t n) { return static_cast<unsigned char>(text[pos + n]); };
    const unsigned char lead = byte(0);
    size_t length = lead >= 0xF0 && lead < 0xF5 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC2 ? 2 : 0;
    if (lead >= 0xF5) length = 0;
    if (length == 0 || pos + length > text.size()) return 0;
    code = lead & (0x7F >> length);
    for (size_t n = 1; n < length; ++n) {
        if ((byte(n) & 0xC0) != 0x80) return 0;
        code = (code << 6) | (byte(n) & 0x3F);
    }
    const char32_t shortest[] = {0, 0, 0x80, 0x800, 0x10000};
    if (code < shortest[length] || code > 0x10FFFF || (code >= 0xD800 && code < 0xE000)) return 0;
    return length;
}

}  // namespace

std::string Latin1ToUtf8(std::string_view text) {
    std::string out;
    out.reserve(text.size() + 4);
    for (const char c : text) {
        const auto code = static_cast<unsigned char>(c);
        if (code < 0x80) {
            out += c;
        } else {
            out += char(0xC0 | (code >> 6));
            out += char(0x80 | (code & 0x3F));
        }
    }
    return out;
}

std::string Utf8ToLatin1(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (size_t pos = 0; pos < text.size();) {
        char32_t code = 0;
        const size_t length = static_cast<unsigned char>(text[pos]) < 0x80 ? 0 : Utf8Sequence(text, pos, code);
        if (length == 0) {
            out += text[pos++];
            continue;
        }
        out += code <= 0xFF ? char(code) : '?';
        pos += length;
    }
    return out;
}

std::string LowerLatin1(std::string text) {
    for (char& c : text) {
        const auto code = static_cast<unsigned char>(c);
        if ((code >= 'A' && code <= 'Z') || (code >= 0xC0 && code <= 0xDE && code != 0xD7)) c = char(code + 0x20);
    }
    return text;
}
