#include <gtest/gtest.h>

#include "platform/platform.h"
#include "ui/key_names.h"

namespace {

// Key hits come through the headless platform's script: a press at frame 0
// is applied when the platform starts.
void StartWithKeys(std::vector<ScriptedKey> keys) {
    PlatformOptions options;
    options.kind = PlatformKind::HeadlessNoGL;
    options.script = std::move(keys);
    ASSERT_TRUE(PlatformStart(options));
    ShowFrame();  // applies the keys scripted for frame 1
}

TEST(KeyScan, NoKeyFindsNothing) {
    StartWithKeys({});
    ScanKeys();
    EXPECT_EQ(LastKeyHit, 0);
    EXPECT_EQ(AnyKeyHit, 0);
    PlatformStop();
}

TEST(KeyScan, ReturnFoundAtItsFirstRowAndHitsAreConsumed) {
    StartWithKeys({{1, 13, true}});
    ScanKeys();
    EXPECT_EQ(LastKeyHit, 13);
    EXPECT_EQ(AnyKeyHit, 1);
    ScanKeys();
    EXPECT_EQ(LastKeyHit, 0);
    PlatformStop();
}

TEST(KeyScan, TwoKeysInOneFrameComeOutOneScanEach) {
    StartWithKeys({{1, 90, true}, {1, 65, true}});
    ScanKeys();
    EXPECT_EQ(LastKeyHit, 65);
    ScanKeys();
    EXPECT_EQ(LastKeyHit, 90);
    ScanKeys();
    EXPECT_EQ(LastKeyHit, 0);
    PlatformStop();
}

TEST(KeyScan, KeyOutsideTheTableIsNeverFound) {
    StartWithKeys({{1, 250, true}});
    ScanKeys();
    EXPECT_EQ(LastKeyHit, 0);
    EXPECT_EQ(AnyKeyHit, 0);
    PlatformStop();
}

TEST(KeyNames, DisplayNameIsTheFirstRowsName) {
    EXPECT_EQ(KeyName(13), "Return");
    EXPECT_EQ(KeyName(107), "Numpad +");
    EXPECT_EQ(KeyName(109), "Numpad -");
    EXPECT_EQ(KeyName(162), "Control (Left)");
    EXPECT_EQ(KeyName(3), "n/a");
    int rows = 0;
    while (KeyNames[rows].code != 255) ++rows;
    EXPECT_EQ(rows, 103);
}

TEST(KeyNames, ScriptNamesAndNumbersBothWork) {
    EXPECT_EQ(KeyCodeByName("Return"), 13);
    EXPECT_EQ(KeyCodeByName("Cursor (Left)"), 37);
    EXPECT_EQ(KeyCodeByName("A"), 65);
    EXPECT_EQ(KeyCodeByName("164"), 164);
    EXPECT_EQ(KeyCodeByName("nonsense"), 0);
    EXPECT_EQ(KeyCodeByName("999"), 0);
}

}  // namespace
