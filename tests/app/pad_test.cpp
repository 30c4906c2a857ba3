// A game controller through the whole program: SDL's virtual pad, plugged in
// and moved by the script, reaching the game through the same events a
// real pad sends.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "app/main_menu.h"
#include "classic/classic_game.h"
#include "combat/game_over.h"
#include "combat/invaders.h"
#include "combat/shots.h"
#include "game/game_state.h"
#include "game/settings.h"
#include "support/sim_run.h"

namespace {

using A = ScriptedPad::Action;

// JoystickOn as the settings file holds it: the eighth int.
int SavedJoystickOn() {
    std::ifstream in(SimDirectory() + "/" + SettingsFileName, std::ios::binary);
    const std::string bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    return bytes.size() < 32 ? -1 : int(uint8_t(bytes[28]));
}

// A run from a settings file with the pad on and classic mode unlocked, the
// pad plugged in from the first frame.
SimRun RunWithThePadOn(long long frames) {
    SetDefaultSettings();
    JoystickOn = 1;
    ClassicUnlocked = 1;
    EXPECT_TRUE(SaveSettingsFile(SimDirectory() + "/" + SettingsFileName));
    SimRun run;
    run.keepSettings = true;
    run.frames = frames;
    run.pad.push_back({1, A::Connect});
    return run;
}

// Where in the invaders' round the game stands: it stays put only while the
// scene is frozen under the exit prompt.
float Formation() {
    float sum = 0;
    for (const Enemies& e : EnemiesList) sum += e.angle + e.radius;
    return sum;
}

// A player with nothing but a pad: its first press switches the pad on and
// saves that, and the pad alone then starts a level, turns, fires and shields.
TEST(Pad, APadAlonePlaysALevel) {
    SimRun run;
    run.frames = 560;
    run.pad.push_back({1, A::Connect});
    Tap(run.pad, 40, PadButton::A);   // arcade mode, and the pad is on
    Tap(run.pad, 50, PadButton::A);   // level 1
    Tap(run.pad, 120, PadButton::A);  // past the level's title
    Stick(run.pad, 200, 0, -1);       // turn left for 30 frames
    Stick(run.pad, 230, 0, 0.6f);     // short of the threshold: no turn
    Stick(run.pad, 250, 0, 0);
    run.pad.push_back({260, A::Press, PadButton::DpRight});
    run.pad.push_back({270, A::Release, PadButton::DpRight});
    run.pad.push_back({300, A::Press, PadButton::A});  // fire held for a second
    run.pad.push_back({360, A::Release, PadButton::A});
    Tap(run.pad, 400, PadButton::B);
    Tap(run.pad, 500, PadButton::RightShoulder);
    int savedAt45 = -1;
    std::map<long long, float> angle;
    std::map<long long, int> shots, shields;
    run.onFrame = [&](long long f) {
        if (f == 45) savedAt45 = SavedJoystickOn();
        if (f == 150) Shields = 3;
        EnemyBulletsList.clear();  // nothing may end the level early
        angle[f] = BaseAngle;
        shots[f] = StatShotsFired;
        shields[f] = Shields;
    };
    EXPECT_EQ(RunSim(run), 0);
    EXPECT_EQ(savedAt45, 1) << "the first press switched the pad on and saved it";
    EXPECT_FLOAT_EQ(angle[231] - angle[199], -60);
    EXPECT_FLOAT_EQ(angle[251], angle[231]);
    EXPECT_FLOAT_EQ(angle[272] - angle[252], 20);
    EXPECT_EQ(shots[299], 0);
    EXPECT_GE(shots[362], 3) << "a held button fires again and again";
    EXPECT_EQ(shots[399], shots[362]);
    EXPECT_EQ(shields[399] - shields[402], 1);
    EXPECT_EQ(shields[402] - shields[502], 1);
}

// The menus by pad: d-pad and stick move, A acts, B goes back, and the
// options switch flips JoystickOn; a pad switched off there stays off.
TEST(Pad, MenusAndTheOptionsSwitch) {
    SimRun run = RunWithThePadOn(300);
    Tap(run.pad, 5, PadButton::DpLeft);  // "exit game"
    Stick(run.pad, 10, 1, -1);           // "show scores"
    Stick(run.pad, 12, 1, 0);
    Tap(run.pad, 15, PadButton::DpUp);  // "set Options"
    Tap(run.pad, 20, PadButton::A);
    for (int f : {30, 34, 38}) Tap(run.pad, f, PadButton::DpUp);  // 12, 11, 10
    Stick(run.pad, 42, 1, -1);                                     // 9: the switch
    Stick(run.pad, 44, 1, -0.5f);  // not back in the dead zone: no second move
    Stick(run.pad, 46, 1, -1);
    Stick(run.pad, 48, 1, 0);
    Tap(run.pad, 50, PadButton::A);
    Tap(run.pad, 60, PadButton::B);  // off: the pad no longer counts
    Tap(run.keys, 70, VkReturn);     // on again from the keyboard
    Tap(run.pad, 80, PadButton::B);  // back to the menu
    Tap(run.pad, 90, PadButton::Back);  // the exit prompt
    Tap(run.pad, 100, PadButton::A);    // answers nothing
    Tap(run.pad, 110, PadButton::Y);    // yes
    std::map<long long, int> on, item;
    long long last = 0;
    run.onFrame = [&](long long f) {
        on[f] = JoystickOn;
        item[f] = MenuItem;
        last = f;
    };
    EXPECT_EQ(RunSim(run), 0);
    EXPECT_EQ(item[14], 4);
    EXPECT_EQ(item[19], 3);
    EXPECT_EQ(on[49], 1);
    EXPECT_EQ(on[55], 0);
    EXPECT_EQ(on[75], 1) << "still in the options when the pad's B came";
    EXPECT_EQ(last, 109);  // the answer is read right after the frame it came in
    EXPECT_EQ(GameOverState, 1);
    EXPECT_EQ(SavedJoystickOn(), 1);
}

// Start asks to leave and answers no; the pad going away opens the prompt
// too, over the frozen scene, in the arcade and in classic play.
TEST(Pad, StartAndUnpluggingOpenTheExitPrompt) {
    SimRun arcade = RunWithThePadOn(400);
    Tap(arcade.keys, 40, VkReturn);
    Tap(arcade.keys, 50, VkReturn);
    Tap(arcade.keys, 120, VkReturn);
    Tap(arcade.pad, 200, PadButton::Start);
    Tap(arcade.pad, 205, PadButton::A);      // no answer, and no shot
    Tap(arcade.pad, 210, PadButton::Start);  // no: play on
    arcade.pad.push_back({250, A::Disconnect});
    Tap(arcade.keys, 270, VkY);
    std::map<long long, float> formation;
    std::map<long long, int> shots;
    long long lastInPlay = -1;
    arcade.onFrame = [&](long long f) {
        EnemyBulletsList.clear();
        formation[f] = Formation();
        shots[f] = StatShotsFired;
        if (!EnemiesList.empty()) lastInPlay = f;
    };
    EXPECT_EQ(RunSim(arcade), 0);
    EXPECT_EQ(formation[202], formation[209]) << "frozen under the prompt";
    EXPECT_EQ(shots[209], shots[201]);
    EXPECT_NE(formation[230], formation[240]) << "playing on after Start answered no";
    EXPECT_EQ(formation[252], formation[269]) << "frozen once the pad went";
    EXPECT_GE(lastInPlay, 269);
    EXPECT_LT(lastInPlay, 280) << "the y ended the game";

    SimRun classic = RunWithThePadOn(300);
    Tap(classic.keys, 2, VkRight);
    Tap(classic.keys, 4, VkReturn);
    classic.pad.push_back({100, A::Disconnect});
    Tap(classic.keys, 120, VkY);
    lastInPlay = -1;
    classic.onFrame = [&](long long f) {
        if (!BaseBitsList.empty()) lastInPlay = f;
    };
    BaseBitsList.clear();
    EXPECT_EQ(RunSim(classic), 0);
    EXPECT_GE(lastInPlay, 119);
    EXPECT_LT(lastInPlay, 130);
}

// A broken gamecontrollerdb.txt is named once and takes nothing away; a stick
// that sits at an end from the moment it is plugged in moves nothing until it
// has once come back to rest.
TEST(Pad, BadMappingsAndAStuckStickLoseNothing) {
    const std::string db = SimDirectory() + "/gamecontrollerdb.txt";
    {
        std::ofstream out(db);
        out << "# a community file, damaged\n"
               "this is not a mapping\n"
               "03000000ffffffffffffffffffffffff,Broken,a:b0,platform:Linux\n"
               "nothing here either\n"
               "030000005e0400008e02000010010000,Some Pad,a:b0,b:b1,platform:Windows,\n";
    }
    SimRun run;
    run.frames = 60;
    run.pad.push_back({1, A::Connect});
    Stick(run.pad, 1, 0, -1);  // sits at the left end from the start
    Tap(run.pad, 10, PadButton::X);  // switches the pad on
    Stick(run.pad, 30, 0, 0);
    Stick(run.pad, 40, 0, -1);
    std::map<long long, int> item;
    run.onFrame = [&](long long f) { item[f] = MenuItem; };
    testing::internal::CaptureStderr();
    EXPECT_EQ(RunSim(run), 0);
    const std::string err = testing::internal::GetCapturedStderr();
    std::filesystem::remove(db);
    const size_t first = err.find("gamecontrollerdb.txt");
    ASSERT_NE(first, std::string::npos) << err;
    EXPECT_EQ(err.find("gamecontrollerdb.txt", first + 1), std::string::npos) << err;
    EXPECT_NE(err.find("2 lines are not"), std::string::npos) << err;
    EXPECT_EQ(JoystickOn, 1) << "SDL's own mapping still works";
    EXPECT_EQ(item[35], 0) << "the stuck stick moved the menu";
    EXPECT_EQ(item[45], 5) << "once at rest, the stick counts";
}

}  // namespace
