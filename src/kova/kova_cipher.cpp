#include "kova_cipher.h"

#include <cstdint>
#include <utility>

namespace {

struct Rc4 {
    uint8_t s[256];
    uint8_t i = 0, j = 0;

    explicit Rc4(const std::string& key) {
        for (int n = 0; n < 256; ++n) s[n] = uint8_t(n);
        // An empty key schedules with 256 zero bytes.
        uint8_t k = 0;
        for (int n = 0; n < 256; ++n) {
            const uint8_t keyByte = key.empty() ? 0 : uint8_t(key[size_t(n) % key.size()]);
            k = uint8_t(k + s[n] + keyByte);
            std::swap(s[n], s[k]);
        }
    }

    uint8_t Next() {
        i = uint8_t(i + 1);
        j = uint8_t(j + s[i]);
        std::swap(s[i], s[j]);
        return s[uint8_t(s[i] + s[j])];
    }
};

int HexValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    return -1;
}

}  // namespace

std::string KovaEncipher(const std::string& text, const std::string& key) {
    static const char Digits[] = "0123456789ABCDEF";
    Rc4 rc4(key);
    std::string out;
    out.reserve(text.size() * 2);
    for (const char c : text) {
        const uint8_t v = uint8_t(uint8_t(c) ^ rc4.Next());
        out += Digits[v >> 4];
        out += Digits[v & 15];
    }
    return out;
}

std::string KovaDecipher(const std::string& hex, const std::string& key) {
    Rc4 rc4(key);
    std::string out;
    out.reserve(hex.size() / 2);
    for (size_t n = 0; n + 1 < hex.size(); n += 2) {
        const int hi = HexValue(hex[n]), lo = HexValue(hex[n + 1]);
        if (hi < 0 || lo < 0) break;
        out += char(uint8_t(hi * 16 + lo) ^ rc4.Next());
    }
    return out;
}
