#include <gtest/gtest.h>

#include "kova_cipher.h"

namespace {

const std::string GameKey = "t41vb7kQz81Rk3m";

TEST(KovaCipher, MatchesPublishedVectors) {
    EXPECT_EQ(KovaEncipher("Plaintext", "Key"), "BBF316E8D940AF0AD3");
    EXPECT_EQ(KovaEncipher("pedia", "Wiki"), "1021BF0420");
    EXPECT_EQ(KovaEncipher("Attack at dawn", "Secret"), "45A01F645FC35B383552544B9BF5");
}

TEST(KovaCipher, RoundTripIsTwiceAsLongAndUpperCase) {
    const std::string text = "option=addscore&user=ann lee&date=05 Mar 2024&KOVA_id=123\r\n\x01\xff";
    const std::string hex = KovaEncipher(text, GameKey);
    EXPECT_EQ(hex.size(), text.size() * 2);
    EXPECT_EQ(hex.find_first_not_of("0123456789ABCDEF"), std::string::npos);
    EXPECT_EQ(KovaDecipher(hex, GameKey), text);
    EXPECT_NE(KovaDecipher(hex, "another key"), text);
}

TEST(KovaCipher, DeciphersLowerCaseHex) {
    std::string hex = KovaEncipher("Hello, World", GameKey);
    for (char& c : hex) c = char(std::tolower(static_cast<unsigned char>(c)));
    EXPECT_EQ(KovaDecipher(hex, GameKey), "Hello, World");
}

TEST(KovaCipher, EmptyKeySchedulesWithZeroBytes) {
    EXPECT_EQ(KovaEncipher("abc", ""), KovaEncipher("abc", std::string(1, '\0')));
    EXPECT_EQ(KovaDecipher(KovaEncipher("abc", ""), ""), "abc");
}

TEST(KovaCipher, DamagedHexKeepsWhatIsWhole) {
    const std::string hex = KovaEncipher("abcdef", GameKey);
    EXPECT_EQ(KovaDecipher(hex + "A", GameKey), "abcdef");
    EXPECT_EQ(KovaDecipher(hex.substr(0, 5), GameKey), "ab");
    EXPECT_EQ(KovaDecipher(hex.substr(0, 4) + "Zz" + hex.substr(6), GameKey), "ab");
    EXPECT_EQ(KovaDecipher("\r", GameKey), "");
    EXPECT_EQ(KovaDecipher("", GameKey), "");
}

}  // namespace
