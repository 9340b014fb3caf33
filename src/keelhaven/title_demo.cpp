#include "keelhaven/title_demo.h"

#include "engine/audio.h"
#include "engine/input.h"
#include "entities/ship.h"
#include "files.h"
#include "keelhaven/demo_timeline.h"
#include "keelhaven/keelhaven.h"
#include "keelhaven/replay_session.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>

namespace fs = std::filesystem;
using namespace titleDemoNS;

namespace {

// A recording holds the arrows; the player may steer with other keys.
constexpr struct {
    std::uint8_t bit;
    Action action;
} ARROWS[] = {{DemoFrame::LEFT, Action::SteerLeft},
              {DemoFrame::RIGHT, Action::SteerRight},
              {DemoFrame::UP, Action::SteerUp},
              {DemoFrame::DOWN, Action::SteerDown}};

std::vector<fs::path> demoFiles()
{
    std::vector<fs::path> files;
    std::error_code ec;
    for (const auto& entry : fs::directory_iterator(platform::dataDirectory() + FOLDER, ec))
        if (entry.path().extension() == ".khreplay" && entry.is_regular_file(ec))
            files.push_back(entry.path());
    std::sort(files.begin(), files.end());
    return files;
}

}  // namespace

TitleDemo::TitleDemo(Keelhaven& owner) : game(owner) {}

TitleDemo::~TitleDemo() = default;

TitleDemo::ShipProgress TitleDemo::progressOf(Ship& ship)
{
    ShipProgress p;
    p.x = ship.getX();
    p.y = ship.getY();
    p.radians = ship.getRadians();
    p.scale = ship.getScale();
    p.speed = ship.getSpeed();
    p.health = ship.getHealth();
    p.fireTimer = ship.getFireTimer();
    p.gold = ship.getGold();
    p.lives = ship.getLives();
    p.ammo = ship.getAmmo();
    p.cannonDamage = ship.getCannonDamage();
    p.sails = ship.getSailsLevel();
    p.cannon = ship.getCannonLevel();
    p.hull = ship.getHullLevel();
    p.active = ship.getActive();
    p.visible = ship.getVisible();
    return p;
}

void TitleDemo::restore(Ship& ship, const ShipProgress& p)
{
    ship.setX(p.x);
    ship.setY(p.y);
    ship.setRadians(p.radians);
    ship.setScale(p.scale);
    ship.setSpeed(p.speed);
    ship.setHealth(p.health);
    ship.setFireTimer(p.fireTimer);
    ship.setGold(p.gold);
    ship.setLives(p.lives);
    ship.setAmmo(p.ammo);
    ship.setCannonDamage(p.cannonDamage);
    ship.setSailsLevel(p.sails);
    ship.setCannonLevel(p.cannon);
    ship.setHullLevel(p.hull);
    ship.setActive(p.active);
    ship.setVisible(p.visible);
}

void TitleDemo::noteFreshShip()
{
    if (Ship* ship = game.getShip())
        freshShip = progressOf(*ship);
}

bool TitleDemo::titleAlone()
{
    for (int i = 0; i < game.stateCount(); ++i) {
        GameState* state = game.stateAt(i);
        if (state != nullptr && state->getActive() && state->getName() != "TITLESCREEN")
            return false;
    }
    GameState* title = game.findState("TITLESCREEN");
    return title != nullptr && title->getActive();
}

// A key, a click, a pad's button or the mouse moving: someone is there.
bool TitleDemo::liveInput()
{
    Input& in = *game.getInput();
    bool someone = in.anyKeyPressed() || in.getMouseLButton() || in.getMouseMButton() || in.getMouseRButton() ||
                   in.getMouseX() != lastMouseX || in.getMouseY() != lastMouseY;
    for (UINT pad = 0; pad < MAX_CONTROLLERS; ++pad)
        someone = someone || (in.getGamepadConnected(pad) && in.getGamepadButtons(pad) != 0);
    lastMouseX = in.getMouseX();
    lastMouseY = in.getMouseY();
    return someone;
}

bool TitleDemo::beforeUpdate(float frameTime)
{
    if (!playing()) {
        const bool someone = liveInput();
        idle = titleAlone() && !someone && !unavailable ? idle + frameTime : 0;
        if (idle >= IDLE_SECONDS) {
            idle = 0;
            startDue = true;
        }
        return false;
    }
    if (stopDue)
        return true;
    GameState* level = game.findState(levelName);
    if (liveInput() || level == nullptr || !level->getActive() ||
        frame + FRAMES_SPARED_AT_THE_END >= timeline->frames.size()) {
        stopDue = true;
        return true;
    }
    // This frame's keys; the next frame's time, as it was recorded.
    holdArrows(timeline->frames[frame].arrows);
    ++frame;
    game.holdFrameTime(timeline->frames[frame].seconds);
    return false;
}

void TitleDemo::betweenFrames()
{
    if (stopDue) {
        stop();
        return;
    }
    if (startDue) {
        startDue = false;
        if (titleAlone())
            start();
    }
}

bool TitleDemo::loadNext(DemoTimeline& into)
{
    const std::vector<fs::path> files = demoFiles();
    std::string why = "there are none in " + platform::dataDirectory() + FOLDER;
    for (size_t tried = 0; tried < files.size(); ++tried) {
        const fs::path& file = files[nextDemo++ % files.size()];
        Journal journal;
        if (loadRecording(file.string(), journal, why) && demoTimelineFromJournal(journal, into, why))
            return true;
        why = file.filename().string() + ": " + why;
    }
    std::fprintf(stderr, "Keelhaven: the title shows no demo: %s\n", why.c_str());
    unavailable = true;  // said once; the title stays as it is
    return false;
}

void TitleDemo::start()
{
    DemoTimeline next;
    if (!loadNext(next))
        return;
    Ship& ship = *game.getShip();
    playersShip = progressOf(ship);
    savedNextLevel = game.nextLevel;
    savedPausedState = game.pausedStateName;
    savedSinceLevelBegan = game.savedSinceLevelBegan;

    restore(ship, freshShip);
    // The level brings its own music, as it does when a game starts.
    if (Audio* audio = game.getAudio())
        audio->stopCue(TITLE_MUSIC);
    timeline = std::make_unique<DemoTimeline>(std::move(next));
    frame = 0;
    levelName = "LEVEL" + std::to_string(timeline->level);
    game.switchState(levelName, "TITLESCREEN");
    game.holdFrameTime(timeline->frames[0].seconds);
}

void TitleDemo::stop()
{
    stopDue = false;
    holdArrows(0);
    game.holdFrameTime(0);
    // Whatever the level led to goes too; the title comes back as it was.
    for (int i = 0; i < game.stateCount(); ++i)
        if (GameState* state = game.stateAt(i); state != nullptr && state->getActive() && state->getName() != levelName)
            state->setActive(false);
    if (Audio* audio = game.getAudio())
        audio->stopCue(LEVEL_MUSIC);
    game.switchState("TITLESCREEN", levelName);  // the title's music again
    restore(*game.getShip(), playersShip);
    game.nextLevel = savedNextLevel;
    game.pausedStateName = savedPausedState;
    game.savedSinceLevelBegan = savedSinceLevelBegan;
    timeline.reset();
    idle = 0;
    // The key or click that ended the demo is not also the title's.
    game.getInput()->clear(inputNS::KEYS_PRESSED);
}

void TitleDemo::holdArrows(std::uint8_t arrows)
{
    Input& in = *game.getInput();
    for (const auto& arrow : ARROWS) {
        const bool want = (arrows & arrow.bit) != 0;
        const UCHAR key = in.getKeyBindings().of(arrow.action)[0];
        if (key != 0 && want != ((held & arrow.bit) != 0)) {
            if (want)
                in.keyDown(key);
            else
                in.keyUp(key);
        }
    }
    held = arrows;
}
