// The title's demo: when the title is left alone for a while, one of the
// recorded levels in the data folder's demos/ plays, with a small caption;
// any key, button or click brings the title back at once. The demo plays
// on the player's own ship and levels, so the ship's progress and the
// voyage's place are set aside first and put back after; nothing of it
// reaches the saves, the scores or the settings, which only the player's
// choices write.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

class Keelhaven;
class Ship;
struct DemoTimeline;

namespace titleDemoNS {
constexpr float IDLE_SECONDS = 30;
constexpr const char* FOLDER = "demos";
constexpr const char* CAPTION = "Demo";
constexpr int CAPTION_X = 12;
constexpr int CAPTION_Y = 8;
// The demo ends this long before the level would, mid-whirlpool, so the
// level's end (and the shop after it) never comes.
constexpr int FRAMES_SPARED_AT_THE_END = 30;
constexpr const char* TITLE_MUSIC = "BALLAD3";
constexpr const char* LEVEL_MUSIC = "KEELHAVENDARKTHEME";
}  // namespace titleDemoNS

class TitleDemo {
public:
    explicit TitleDemo(Keelhaven& game);
    ~TitleDemo();

    // The ship as a new game has it, which every recording started from.
    void noteFreshShip();
    // At the top of each frame's update: the title's idle time, or the
    // demo's keys for this frame. True when the states should not update
    // this frame (the demo is about to start or end).
    bool beforeUpdate(float frameTime);
    // Between frames, where the console changes state too: the demo starts
    // or ends here.
    void betweenFrames();

    bool playing() const { return timeline != nullptr; }
    float idleSeconds() const { return idle; }

private:
    // What of the ship a level reads or changes: its place, its progress.
    struct ShipProgress {
        float x = 0, y = 0, radians = 0, scale = 1, speed = 0, health = 0, fireTimer = 0;
        int gold = 0, lives = 0, ammo = 0, cannonDamage = 0, sails = 0, cannon = 0, hull = 0;
        bool active = true, visible = true;
    };
    static ShipProgress progressOf(Ship& ship);
    static void restore(Ship& ship, const ShipProgress& progress);

    bool titleAlone();
    bool liveInput();
    bool loadNext(DemoTimeline& into);
    void start();
    void stop();
    void holdArrows(std::uint8_t arrows);

    Keelhaven& game;
    float idle = 0;
    bool startDue = false;
    bool stopDue = false;
    bool unavailable = false;
    size_t nextDemo = 0;
    std::unique_ptr<DemoTimeline> timeline;
    size_t frame = 0;
    std::uint8_t held = 0;
    int lastMouseX = 0, lastMouseY = 0;
    ShipProgress freshShip;
    ShipProgress playersShip;
    std::string levelName;
    int savedNextLevel = 0;
    std::string savedPausedState;
    bool savedSinceLevelBegan = false;
};
