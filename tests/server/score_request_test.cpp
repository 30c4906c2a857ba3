#include <gtest/gtest.h>

#include "kova_cipher.h"
#include "score_request.h"

namespace {

const std::string Key = "t41vb7kQz81Rk3m";
const std::string Upload =
    "option=addscore&user=ann lee&level=001-004&point=5300&date=05 Mar 2024&version=1.00"
    "&mz_ip=127.0.0.1&platform=windows&KOVA_id=123456";

ScoreRequest Parse(const std::string& query, const std::string& script = "orbivore_win.php") {
    return ParseScoreRequest(script, "KOVA_argEncrypted=" + KovaEncipher(query, Key), Key);
}

std::string Replace(std::string s, const std::string& from, const std::string& to) {
    return s.replace(s.find(from), from.size(), to);
}

TEST(ScoreRequest, ReadsTheGamesUpload) {
    const ScoreRequest r = Parse(Upload);
    ASSERT_TRUE(r.valid) << r.error;
    EXPECT_EQ(r.action, ScoreAction::AddScore);
    EXPECT_EQ(r.entry.name, "ann lee");
    EXPECT_EQ(r.entry.level, "001-004");
    EXPECT_EQ(r.entry.score, 5300);
    EXPECT_EQ(r.entry.date, "05 Mar 2024");
    EXPECT_EQ(r.entry.version, "1.00");
    EXPECT_TRUE(Parse(Replace(Upload, "001-004", "CLA-012")).valid);
    EXPECT_TRUE(Parse(Replace(Upload, "5300", "2147483647")).valid);
}

TEST(ScoreRequest, ReadsDownloadAndVersionRequests) {
    ScoreRequest r = Parse("option=getscore&nbscore=25&KOVA_id=1");
    ASSERT_TRUE(r.valid);
    EXPECT_EQ(r.action, ScoreAction::GetScores);
    EXPECT_EQ(r.count, 25);
    EXPECT_EQ(Parse("option=getscore&nbscore=999").count, 100);
    EXPECT_EQ(Parse("option=getscore").count, 25);
    r = Parse("option=getversion&nbscore=80&KOVA_id=1", "VersionCheck.php");
    ASSERT_TRUE(r.valid);
    EXPECT_EQ(r.action, ScoreAction::GetVersion);
}

TEST(ScoreRequest, RefusesDamagedCipherText) {
    const std::string hex = KovaEncipher(Upload, Key);
    EXPECT_FALSE(ParseScoreRequest("orbivore_win.php", "KOVA_argEncrypted=" + hex.substr(1), Key).valid);
    EXPECT_FALSE(ParseScoreRequest("orbivore_win.php", "KOVA_argEncrypted=" + Replace(hex, hex.substr(0, 2), "G0"), Key).valid);
    EXPECT_FALSE(ParseScoreRequest("orbivore_win.php", "KOVA_argEncrypted=", Key).valid);
    EXPECT_FALSE(ParseScoreRequest("orbivore_win.php", "KOVA_argEncrypted=" + KovaEncipher(Upload, "wrong"), Key).valid);
    // The plain query is not accepted, nor extra outer parameters.
    EXPECT_FALSE(ParseScoreRequest("orbivore_win.php", "option=getscore&nbscore=25", Key).valid);
    EXPECT_FALSE(ParseScoreRequest("orbivore_win.php", "KOVA_argEncrypted=" + hex + "&x=1", Key).valid);
    EXPECT_FALSE(ParseScoreRequest("orbivore_win.php", "", Key).valid);
}

TEST(ScoreRequest, RefusesMissingAndMalformedFields) {
    for (const char* field : {"user=ann lee&", "level=001-004&", "point=5300&", "date=05 Mar 2024&", "version=1.00&"})
        EXPECT_FALSE(Parse(Replace(Upload, field, "")).valid) << field;
    const std::vector<std::pair<std::string, std::string>> bad = {
        {"user=ann lee", "user="},          {"user=ann lee", "user=   "},
        {"ann lee", "ann\rlee"},            {"ann lee", "abcdefghijklmnopqrstu"},
        {"001-004", "1-4"},                 {"001-004", "ABC-004"},
        {"point=5300", "point=-5"},         {"point=5300", "point=2147483648"},
        {"point=5300", "point=12a"},        {"05 Mar 2024", "32 Mar 2024"},
        {"05 Mar 2024", "05 mar 2024"},     {"05 Mar 2024", "05-Mar-2024"},
        {"version=1.00", "version=1.00a"},  {"option=addscore", "option=dropscore"},
        {"KOVA_id=123456", "KOVA_id=x"},    {"&platform=windows", "&platform=windows&user=eve"},
        {"&platform=windows", "&platform"}, {"windows", std::string("win\0dows", 8)},
    };
    for (const auto& [from, to] : bad) EXPECT_FALSE(Parse(Replace(Upload, from, to)).valid) << to;
    EXPECT_FALSE(Parse("option=getscore&nbscore=1000").valid);
    EXPECT_FALSE(Parse("option=getscore&nbscore=").valid);
    EXPECT_FALSE(Parse("option=getscore", "other.php").valid);
    EXPECT_FALSE(Parse("option=getscore", "VersionCheck.php").valid);
}

// Every name the game can send: typed (codes 32 and 48 to 90, in lower
// case) or from a settings file (any printable Latin-1 byte, "&" too).
TEST(ScoreRequest, ReadsEveryNameTheGameCanSend) {
    for (const std::string name : {"x<i>=y;", ":;<=>?@", "a;b", "j\xF6rg", "a\"b\\c%27", "a&b", "a&b&c d", "a&b=c"}) {
        const ScoreRequest r = Parse(Replace(Upload, "ann lee", name));
        EXPECT_TRUE(r.valid) << name << ": " << r.error;
        EXPECT_EQ(r.entry.name, name);
    }
    // Only where a name ends is a field of the request.
    EXPECT_FALSE(Parse(Replace(Upload, "ann lee", "a&level=x")).valid);
    for (const std::string name : {"   ", "a\tb", "a\x7F", "a\x9B"}) EXPECT_FALSE(Parse(Replace(Upload, "ann lee", name)).valid);
}

TEST(ScoreRequest, RefusesHugeParameters) {
    EXPECT_FALSE(Parse(Replace(Upload, "ann lee", "x'; drop table scores;--")).valid);
    EXPECT_FALSE(Parse(Replace(Upload, "windows", std::string(500, 'w'))).valid);
    EXPECT_FALSE(Parse(Upload + "&pad=" + std::string(MaxQueryLength, 'p')).valid);
    std::string many = "option=getscore";
    for (int n = 0; n < 20; ++n) many += "&f" + std::to_string(n) + "=1";
    EXPECT_FALSE(Parse(many).valid);
}

}  // namespace
