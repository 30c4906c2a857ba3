#include <gtest/gtest.h>

#include "kova_cipher.h"
#include "kova_reply.h"

namespace {

using Lines = std::vector<std::string>;

const std::string CR = "\r";

TEST(KovaReply, LeadingEmptyLinesVanishAndLineEndsFold) {
    EXPECT_EQ(KovaJoinLines("\n\r\nalpha\r\nbeta\ngamma", CR), "alpha\rbeta\rgamma");
    EXPECT_EQ(KovaJoinLines("", CR), "");
    EXPECT_EQ(KovaJoinLines("\n\n\n", CR), "");
}

TEST(KovaReply, PlainRepliesSplitAtTheDelimiter) {
    EXPECT_EQ(KovaMakeReply("a\nb\nc\n", CR, "").lines, (Lines{"a", "b", "c"}));
    EXPECT_EQ(KovaMakeReply("a\nb\nc", CR, "").lines, (Lines{"a", "b", "c"}));
    // An empty middle line stays; a trailing break (even a doubled one) adds none.
    EXPECT_EQ(KovaMakeReply("a\n\nc\n\n", CR, "").lines, (Lines{"a", "", "c"}));
    EXPECT_EQ(KovaMakeReply("one|two||", "\n", "").lines, (Lines{"one|two||"}));
    EXPECT_EQ(KovaSplitLines("one||two||", "||", false), (Lines{"one", "two"}));
    EXPECT_EQ(KovaSplitLines("", CR, false), Lines{});
}

TEST(KovaReply, MarkedRepliesAreDecipheredInEitherCase) {
    const std::string key = "secret";
    const std::string body = "name\n001-002\n1200\n";
    for (const char* mark : {"FFFF", "ffff", "fFfF"}) {
        const KovaReply reply = KovaMakeReply(std::string(mark) + KovaEncipher(body, key) + "\n", CR, key);
        EXPECT_TRUE(reply.deciphered);
        EXPECT_EQ(reply.text, body);
        // The CR delimiter splits deciphered text at LF.
        EXPECT_EQ(reply.lines, (Lines{"name", "001-002", "1200"}));
    }
    const KovaReply pipes = KovaMakeReply("FFFF" + KovaEncipher("x|y\nz", key), "|", key);
    EXPECT_EQ(pipes.lines, (Lines{"x", "y\nz"}));
    EXPECT_FALSE(KovaMakeReply("FFF", CR, key).deciphered);
}

TEST(KovaReply, DamagedMarkedReplyStopsAtTheDamage) {
    const std::string key = "k";
    const std::string hex = KovaEncipher("ab\ncd", key);
    EXPECT_EQ(KovaMakeReply("FFFF" + hex.substr(0, 7), CR, key).text, "ab\n");
    EXPECT_EQ(KovaMakeReply("FFFF", CR, key).lines, Lines{});
}

TEST(KovaReply, AtMostTenThousandLines) {
    std::string file;
    for (int n = 0; n < 10005; ++n) file += std::to_string(n) + "\n";
    const KovaReply reply = KovaMakeReply(file, CR, "");
    ASSERT_EQ(reply.lines.size(), KovaMaxLines);
    EXPECT_EQ(reply.lines.back(), "9999");
}

TEST(KovaReply, EmptyDelimiterGivesOneLine) {
    EXPECT_EQ(KovaMakeReply("ab\ncd\n", "", "").lines, (Lines{"abcd"}));
    EXPECT_EQ(KovaSplitLines("", "", true), Lines{});
}

}  // namespace
