// The settings through the real game: what a run chose is there at the next
// start, whatever state the file was left in; a file the player damaged
// starts the game on defaults with a word on standard error, and is mended.
#include "settings_fixture.h"

using namespace settingstest;

TEST_F(SettingsRestart, OptionsScreenChoicesAreInTheFileAtOnceAndAtTheNextStart)
{
    start();
    EXPECT_TRUE(audio().getSoundOn());
    EXPECT_TRUE(game->easy);
    goTo("OPTIONSCREEN");
    press(VK_RIGHT);   // from On to Off
    press(VK_RETURN);
    EXPECT_FALSE(audio().getSoundOn());
    EXPECT_NE(readFile(settingsFile()).find("sound = off"), std::string::npos) << "written when it changed";
    press(VK_DOWN);    // to Easy
    press(VK_RIGHT);   // Normal
    press(VK_RIGHT);   // Hard
    press(VK_RETURN);
    ASSERT_TRUE(game->hard);
    EXPECT_NE(readFile(settingsFile()).find("difficulty = hard"), std::string::npos);

    start();
    EXPECT_FALSE(audio().getSoundOn());
    EXPECT_TRUE(game->hard);
    EXPECT_FALSE(game->easy);
    EXPECT_EQ(game->nextLevel, 22) << "the first shop leads where hard's does";
}

TEST_F(SettingsRestart, FileOnlySettingsReachTheGameAndStayInTheFile)
{
    const std::string said = startWith("[sound]\nmusic_volume = 30\neffects_volume = 0\n"
                                       "[keys]\nfire = F\nchoose = Space\n[pad]\ndead_zone = 50\n"
                                       "[window]\nwidth = 1000\nheight = 720\nx = 20\ny = 30\n");
    EXPECT_EQ(said, "") << "a good file is taken quietly";
    EXPECT_EQ(audio().getMusicVolume(), 30);
    EXPECT_EQ(audio().getEffectsVolume(), 0);
    EXPECT_EQ(input().getKeyBindings().of(Action::Fire)[0], 'F');
    EXPECT_EQ(input().getKeyBindings().of(Action::Choose)[0], VK_SPACE);
    EXPECT_EQ(input().getPadDeadZone(), 50);
    platform::WindowPlace place;
    ASSERT_TRUE(platform::windowedPlace(hwnd, place));
    EXPECT_EQ(place.width, 1000);
    EXPECT_EQ(place.height, 720);

    start();  // a second run, through the file the first left
    EXPECT_EQ(audio().getMusicVolume(), 30);
    EXPECT_EQ(input().getKeyBindings().of(Action::Fire)[0], 'F');
    EXPECT_EQ(input().getPadDeadZone(), 50);
    ASSERT_TRUE(platform::windowedPlace(hwnd, place));
    EXPECT_EQ(place.width, 1000);
    stop();
    const std::string text = readFile(settingsFile());
    for (const char* kept : {"music_volume = 30", "effects_volume = 0", "fire = F\n", "choose = Space",
                             "dead_zone = 50", "width = 1000", "height = 720"})
        EXPECT_NE(text.find(kept), std::string::npos) << kept << " in\n" << text;
}

TEST_F(SettingsRestart, FullScreenChosenWithAltEnterIsTheNextStartsButTheCommandLinesIsNot)
{
    start();
    EXPECT_FALSE(game->getGraphics()->getFullscreen());
    sim::keyDown(VK_MENU);
    press(VK_RETURN);
    sim::keyUp(VK_MENU);
    ASSERT_TRUE(game->getGraphics()->getFullscreen());
    EXPECT_NE(readFile(settingsFile()).find("full_screen = yes"), std::string::npos);

    start();
    EXPECT_TRUE(game->getGraphics()->getFullscreen());

    chooseFullScreenForThisRun(false);  // --windowed
    start();
    chooseFullScreenForThisRun(std::nullopt);
    EXPECT_FALSE(game->getGraphics()->getFullscreen());
    stop();
    EXPECT_NE(readFile(settingsFile()).find("full_screen = yes"), std::string::npos) << "kept for the next start";
}

TEST_F(SettingsRestart, DamagedOrHostileFilesStartOnDefaultsWithOneWordEachAndAreMended)
{
    struct Case {
        const char* what;
        std::string text;
    };
    std::string junk;
    for (int i = 0; i < 3000; ++i)
        junk += static_cast<char>((i * 131 + 7) % 256);
    const Case cases[] = {
        {"binary junk", junk},
        {"huge numbers", "[sound]\nmusic_volume = 184467440737095516160\n[window]\nwidth = -99999999999\n"},
        {"a key bound twice", "[keys]\nfire = Up\n"},
        {"an unknown key", "[game]\ncolour = blue\n"},
    };
    for (const Case& c : cases) {
        const std::string said = startWith(c.text);
        EXPECT_NE(said.find("settings.ini"), std::string::npos) << c.what << ": " << said;
        EXPECT_TRUE(defaultsButThePlace(game->getSettings())) << c.what;
        EXPECT_EQ(input().getKeyBindings(), defaultKeyBindings()) << c.what;
        EXPECT_EQ(audio().getMusicVolume(), 100) << c.what;
        EXPECT_EQ(readFile(settingsFile()), writeSettings(Settings{})) << c.what << ": rewritten whole at once";
        EXPECT_EQ(startSaying(), "") << c.what << ": said once, then mended";
    }

    // Ten megabytes: refused unread.
    writeFile(settingsFile(), std::string(10 << 20, 'x'));
    std::string said = startSaying();
    EXPECT_NE(said.find("settings"), std::string::npos) << said;
    EXPECT_EQ(std::count(said.begin(), said.end(), '\n'), 1) << said;
    EXPECT_TRUE(defaultsButThePlace(game->getSettings()));
    EXPECT_LT(std::filesystem::file_size(settingsFile()), 4096u);
}

TEST_F(SettingsRestart, AFolderInTheFilesPlaceIsNeitherReadNorFatal)
{
    std::filesystem::create_directory(settingsFile());
    const std::string said = startSaying();
    EXPECT_NE(said.find("not read"), std::string::npos) << said;
    EXPECT_NE(said.find("cannot be written"), std::string::npos) << said;
    EXPECT_TRUE(defaultsButThePlace(game->getSettings()));
    goTo("OPTIONSCREEN");
    ::testing::internal::CaptureStderr();
    press(VK_RIGHT);
    press(VK_RETURN);  // sound off: a change the file cannot take
    stop();
    EXPECT_EQ(::testing::internal::GetCapturedStderr(), "") << "a failed write is said once a run";
    EXPECT_TRUE(std::filesystem::is_directory(settingsFile())) << "the player's folder is left alone";
}

TEST_F(SettingsRestart, AReplaysScratchFolderIsWhereItsGameWrites)
{
    start();
    const std::filesystem::path kept = game->getSettingsKeeper().path();
    EXPECT_EQ(kept, settingsFile());
    // The save folder moves away under the running game, as a replay's
    // scratch folder is given back before the player's game would end.
    testsupport::SaveFolder other;
    goTo("OPTIONSCREEN");
    press(VK_RIGHT);
    press(VK_RETURN);
    stop();
    EXPECT_FALSE(std::filesystem::exists(other.file("settings.ini"))) << "only the folder the game began with";
    EXPECT_NE(readFile(settingsFile()).find("sound = off"), std::string::npos);
}
