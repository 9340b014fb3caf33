// The player's settings in the game: read from settings.ini once the engine
// stands, and read back from the game every frame, so a choice on the options
// screen, a key or Alt+Enter is in the file at once, whoever made it.
#include "engine/audio.h"
#include "keelhaven/keelhaven.h"
#include "window_place.h"

#include <algorithm>

namespace {

struct DifficultyStart {
    Difficulty difficulty;
    int firstShopLeadsTo;  // as the options screen sets it
};
constexpr DifficultyStart STARTS[] = {
    {Difficulty::Easy, 2}, {Difficulty::Normal, 12}, {Difficulty::Hard, 22}, {Difficulty::Gauntlet, 2}};

}  // namespace

void Keelhaven::applySettings()
{
    settingsKeeper.load();
    liveSettings = settingsKeeper.settings();
    const Settings& s = liveSettings;
    audio->setSoundOn(s.soundOn);
    audio->setMusicVolume(s.musicVolume);
    audio->setEffectsVolume(s.effectsVolume);
    input->setKeyBindings(s.keys);
    input->setPadDeadZone(s.padDeadZone);
    easy = s.difficulty == Difficulty::Easy;
    normal = s.difficulty == Difficulty::Normal;
    hard = s.difficulty == Difficulty::Hard;
    gauntlet = s.difficulty == Difficulty::Gauntlet;
    for (const DifficultyStart& start : STARTS)
        if (start.difficulty == s.difficulty)
            nextLevel = start.firstShopLeadsTo;
}

// Once everything that draws exists: a change of display mode resets it all.
void Keelhaven::applyDisplaySettings()
{
    const Settings& s = liveSettings;
    if (settingsKeeper.fromFile()) {
        const bool placed = s.windowX.has_value() && s.windowY.has_value();
        platform::placeWindow(hwnd, {s.windowX.value_or(0), s.windowY.value_or(0), s.windowWidth, s.windowHeight},
                              placed);
    }
    if (fullScreenForThisRun().value_or(s.fullScreen)) {
        releaseAll();
        graphics->changeDisplayMode(graphicsNS::FULLSCREEN);
        resetAll();
    }
    seenFullScreen = graphics->getFullscreen();
}

void Keelhaven::keepSettings()
{
    if (!settingsKeeper.loaded() || audio == nullptr || input == nullptr || graphics == nullptr)
        return;
    Settings& s = liveSettings;
    s.soundOn = audio->getSoundOn();
    s.musicVolume = audio->getMusicVolume();
    s.effectsVolume = audio->getEffectsVolume();
    s.keys = input->getKeyBindings();
    s.padDeadZone = input->getPadDeadZone();
    s.difficulty = gauntlet ? Difficulty::Gauntlet : hard ? Difficulty::Hard : normal ? Difficulty::Normal : Difficulty::Easy;
    // Only the player's own switch counts: a full screen the command line
    // asked for is not taken for the next start.
    if (graphics->getFullscreen() != seenFullScreen) {
        seenFullScreen = graphics->getFullscreen();
        s.fullScreen = seenFullScreen;
    }
    // Kept within what the file may hold, so the next start takes it whole.
    if (platform::WindowPlace place; platform::windowedPlace(hwnd, place)) {
        s.windowWidth = std::clamp(place.width, settingsNS::MIN_WINDOW_WIDTH, settingsNS::MAX_WINDOW_SIZE);
        s.windowHeight = std::clamp(place.height, settingsNS::MIN_WINDOW_HEIGHT, settingsNS::MAX_WINDOW_SIZE);
        s.windowX = std::clamp(place.x, -settingsNS::MAX_WINDOW_PLACE, settingsNS::MAX_WINDOW_PLACE);
        s.windowY = std::clamp(place.y, -settingsNS::MAX_WINDOW_PLACE, settingsNS::MAX_WINDOW_PLACE);
    }
    settingsKeeper.changed(s);
}

void Keelhaven::keepSettingsAtExit()
{
    keepSettings();
    settingsKeeper.atExit(liveSettings);
}
