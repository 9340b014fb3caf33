// The settings file's reader and writer, without a window: every value the
// game can use is taken, anything else is named and keeps its default.
#include "keelhaven/settings.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

Settings read(const std::string& text, std::vector<std::string>& problems)
{
    problems.clear();
    return readSettings(text, problems);
}

std::string joined(const std::vector<std::string>& problems)
{
    std::string all;
    for (const std::string& p : problems)
        all += p + "\n";
    return all;
}

}  // namespace

TEST(SettingsFile, EverySettingRoundTripsThroughTheWriter)
{
    Settings s;
    s.soundOn = false;
    s.difficulty = Difficulty::Hard;
    s.musicVolume = 0;
    s.effectsVolume = 55;
    s.fullScreen = true;
    s.windowWidth = 1024;
    s.windowHeight = 700;
    s.windowX = -300;
    s.windowY = 12;
    s.keys.of(Action::Fire) = {'F', VK_SPACE};
    s.keys.of(Action::SteerUp) = {'W'};
    s.keys.of(Action::Choose) = {VK_SPACE, VK_F1 + 4, VK_NUMPAD0 + 5};
    s.keys.of(Action::Back) = {VK_BACK};
    s.padDeadZone = 0;

    std::vector<std::string> problems;
    EXPECT_EQ(read(writeSettings(s), problems), s);
    EXPECT_EQ(joined(problems), "");
    EXPECT_EQ(read(writeSettings(Settings{}), problems), Settings{});
    EXPECT_EQ(joined(problems), "");
}

TEST(SettingsFile, WhatAPlayerMightTypeIsTaken)
{
    std::vector<std::string> problems;
    const Settings s = read("\xEF\xBB\xBF; my settings\r\n"
                            "[GAME]\r\n  Sound=OFF  \r\n difficulty = Gauntlet\r\n"
                            "[keys]\n\tfire = f , enter\nmenu_up=keypad8\n[window]\nfull_screen = true\n",
                            problems);
    EXPECT_EQ(joined(problems), "");
    EXPECT_FALSE(s.soundOn);
    EXPECT_EQ(s.difficulty, Difficulty::Gauntlet);
    EXPECT_TRUE(s.fullScreen);
    EXPECT_EQ(s.keys.of(Action::Fire)[0], 'F');
    EXPECT_EQ(s.keys.of(Action::Fire)[1], VK_RETURN);
    EXPECT_EQ(s.keys.of(Action::MenuUp)[0], VK_NUMPAD0 + 8);
    EXPECT_EQ(s.keys.of(Action::SteerUp), defaultKeyBindings().of(Action::SteerUp)) << "what is not given stays";
}

TEST(SettingsFile, BadValuesKeepTheirDefaultsAndAreEachNamed)
{
    std::vector<std::string> problems;
    const Settings s = read("[game]\nsound = loud\ndifficulty = 3\nbogus = 1\n"
                            "[sound]\nmusic_volume = 101\neffects_volume = -1\n"
                            "[window]\nwidth = 99999999999999999999\nheight = 600px\nx = 5\n"
                            "[pad]\ndead_zone = 91\n"
                            "[keys]\nfire = NoSuchKey\npause = A, B, C, D, E\nback = \nchoose = `\n",
                            problems);
    EXPECT_EQ(s, Settings{}) << "every value was bad, so every value is the default";
    const std::string all = joined(problems);
    for (const char* named : {"sound", "difficulty", "bogus", "music_volume", "effects_volume", "width",
                              "height", "dead_zone", "fire", "pause", "back", "choose", "x and y"})
        EXPECT_NE(all.find(named), std::string::npos) << named << " in:\n" << all;
    EXPECT_NE(all.find("line 2:"), std::string::npos) << "problems say where they are";
}

TEST(SettingsFile, DamagedFilesGiveDefaultsAndProblemsNotFailures)
{
    std::vector<std::string> problems;
    std::string junk;
    for (int i = 0; i < 4096; ++i)
        junk += static_cast<char>((i * 7919) % 256);
    EXPECT_EQ(read(junk, problems), Settings{});
    EXPECT_FALSE(problems.empty());

    // The good lines of a file damaged half way still count.
    const Settings s = read("[game]\nsound = off\n" + std::string("\x01\x02garbage\x00\xff\n", 12) +
                                "[nowhere]\nsound = on\nstray text\n",
                            problems);
    EXPECT_FALSE(s.soundOn) << "the [nowhere] section's lines are not the game's";
    EXPECT_NE(joined(problems).find("not text"), std::string::npos) << joined(problems);
    EXPECT_NE(joined(problems).find("nowhere"), std::string::npos) << joined(problems);

    EXPECT_EQ(read(std::string(100000, 'x'), problems), Settings{});
    EXPECT_EQ(problems.size(), 1u) << "one long line, one problem";
    EXPECT_EQ(read("sound = off\n", problems), Settings{});
    EXPECT_NE(joined(problems).find("before any [section]"), std::string::npos);
    EXPECT_EQ(read("[game]\nsound = off\nsound = on\n", problems).soundOn, false) << "the first is kept";
    EXPECT_NE(joined(problems).find("twice"), std::string::npos);
    for (const std::string& p : problems)
        for (char c : p)
            EXPECT_TRUE(c >= ' ' && c <= '~') << "problems print as they are";
}

TEST(SettingsFile, KeysReadTogetherNeverShareAKey)
{
    std::vector<std::string> problems;
    // Fire on Up clashes with steering; the same key in both groups is fine.
    Settings s = read("[keys]\nfire = Up\nmenu_up = W\nsteer_down = W\n", problems);
    EXPECT_EQ(s.keys.of(Action::Fire), defaultKeyBindings().of(Action::Fire));
    EXPECT_EQ(s.keys.of(Action::SteerDown)[0], 'W');
    EXPECT_EQ(s.keys.of(Action::MenuUp)[0], 'W');
    EXPECT_NE(joined(problems).find("fire"), std::string::npos) << joined(problems);
    EXPECT_EQ(problems.size(), 1u) << joined(problems);

    // Space twice: fire would go back to Space, which steer_up now holds,
    // so the steering keys all go back to theirs.
    s = read("[keys]\nsteer_up = Space\nfire = Space\n", problems);
    for (Action a : {Action::SteerUp, Action::Fire, Action::Pause})
        EXPECT_EQ(s.keys.of(a), defaultKeyBindings().of(a)) << actionName(a);
    EXPECT_NE(joined(problems).find("still clash"), std::string::npos) << joined(problems);

    // H shows the score table at sea, Y and N answer the quit question.
    s = read("[keys]\nfire = H\nchoose = Y\nback = n\n", problems);
    EXPECT_EQ(s.keys, defaultKeyBindings());
    EXPECT_EQ(problems.size(), 3u) << joined(problems);
}

TEST(KeyNames, EveryNameReadsBackToItsKeyAndTheFixedKeysHaveNone)
{
    int named = 0;
    for (int vk = 1; vk < 256; ++vk) {
        const std::string name = keyName(static_cast<UCHAR>(vk));
        if (name.empty())
            continue;
        ++named;
        EXPECT_EQ(keyFromName(name), vk) << name;
    }
    EXPECT_GT(named, 80);
    EXPECT_EQ(keyName(VK_OEM_3), "") << "the console key cannot be bound";
    EXPECT_EQ(keyName(VK_MENU), "") << "nor Alt, of Alt+Enter";
    EXPECT_EQ(keyFromName("pageup"), VK_PRIOR);
    EXPECT_EQ(keyFromName("F13"), 0);
    EXPECT_EQ(keyFromName("F05"), 0);
    EXPECT_EQ(keyFromName(""), 0);
}
