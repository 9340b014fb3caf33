// The title left alone plays a recorded level; a key brings the title back
// with the player's ship, voyage and save folder as they were.
#include "entities/ship.h"
#include "keelhaven/demo_timeline.h"
#include "keelhaven/replay_session.h"
#include "support/game_fixture.h"
#include "support/save_folder.h"

#include <filesystem>

namespace fs = std::filesystem;

namespace {

constexpr float FRAME = 1.0f / 60;

class TitleDemoTest : public GameFixture {
protected:
    void SetUp() override
    {
        GameFixture::SetUp();
        game->switchState("TITLESCREEN", "LOGO");
        frame(FRAME);
    }
    const TitleDemo& demo() { return game->getTitleDemo(); }
    Input& input() { return *game->getInput(); }
    bool active(const char* stateName) { return game->findState(stateName)->getActive(); }
    void leaveAlone(float seconds)
    {
        for (int i = 0; i < static_cast<int>(seconds * 60); ++i)
            frame(FRAME);
    }
    testsupport::SaveFolder saves;
};

}  // namespace

TEST_F(TitleDemoTest, ALevelPlaysWhenTheTitleIsLeftAloneAndAKeyEndsIt)
{
    Ship& ship = *game->getShip();
    ship.setGold(1234);
    ship.setSailsLevel(2);
    ship.setLives(5);
    game->nextLevel = 17;
    testsupport::writeFile(saves.file("HighScores.txt"), "500\nABC\n");
    const auto before = testsupport::folderContents(saves.path());

    leaveAlone(29);
    EXPECT_FALSE(demo().playing()) << "not before 30 s";
    leaveAlone(1.5f);
    ASSERT_TRUE(demo().playing());
    EXPECT_TRUE(active("LEVEL1")) << "the first demo in the data folder is level 1";
    EXPECT_FALSE(active("TITLESCREEN"));
    EXPECT_EQ(ship.getGold(), 0) << "the demo sails a new game's ship";
    const float startX = ship.getX();
    leaveAlone(3);
    EXPECT_NE(ship.getX(), startX) << "the recorded keys steer";

    input().keyDown(VK_RETURN);
    frame(FRAME);
    input().keyUp(VK_RETURN);
    EXPECT_FALSE(demo().playing()) << "a key ends the demo at once";
    EXPECT_TRUE(active("TITLESCREEN"));
    EXPECT_FALSE(active("LEVEL1"));
    frame(FRAME);
    EXPECT_TRUE(active("TITLESCREEN")) << "the Enter that ended the demo does not also choose on the title";
    EXPECT_EQ(ship.getGold(), 1234);
    EXPECT_EQ(ship.getSailsLevel(), 2);
    EXPECT_EQ(ship.getLives(), 5);
    EXPECT_EQ(game->nextLevel, 17);
    EXPECT_EQ(testsupport::folderContents(saves.path()), before) << "the demo writes nothing";

    leaveAlone(10);
    EXPECT_FALSE(demo().playing()) << "the idle time starts again";
}

TEST_F(TitleDemoTest, ADemoPlaysItsRecordingThroughWithoutAScratch)
{
    leaveAlone(30.5f);
    ASSERT_TRUE(demo().playing());
    Ship& ship = *game->getShip();
    const float health = ship.getHealth();
    float furthest = 0;
    for (int i = 0; i < 60 * 60 && demo().playing(); ++i) {
        frame(FRAME);
        furthest = std::max(furthest, ship.getX());
        EXPECT_EQ(ship.getHealth(), health) << "frame " << i << ": the recording never took a hit here";
        if (ship.getHealth() != health)
            break;
    }
    EXPECT_FALSE(demo().playing()) << "the demo ends by itself";
    EXPECT_TRUE(active("TITLESCREEN"));
    EXPECT_FALSE(active("UPGRADESCREEN")) << "it ends before the level does";
    EXPECT_GT(furthest, 400) << "it sailed across the map";
}

TEST(DemoTimeline, TheLevelAndItsFramesComeFromTheConsoleAndTheArrows)
{
    Journal journal;
    auto message = [&](UINT msg, WPARAM w) {
        JournalRead r;
        r.got = true;
        r.message = msg;
        r.wParam = w;
        journal.reads.push_back(r);
    };
    std::int64_t ticks = 0;
    auto frameRuns = [&] {
        journal.reads.push_back(JournalRead{});
        JournalRead clock;
        clock.kind = JournalRead::Kind::Clock;
        clock.value = ticks += 100;
        journal.reads.push_back(clock);
    };
    JournalRead frequency;
    frequency.kind = JournalRead::Kind::Frequency;
    frequency.value = 6000;
    journal.reads.push_back(frequency);
    frameRuns();
    message(WM_KEYDOWN, VK_OEM_3);
    for (char c : std::string("level12"))
        message(WM_CHAR, static_cast<WPARAM>(c));
    message(WM_KEYDOWN, VK_RETURN);
    frameRuns();
    message(WM_KEYDOWN, VK_OEM_3);
    frameRuns();  // the console closes in this frame; the level's frames follow
    message(WM_KEYDOWN, VK_RIGHT);
    frameRuns();
    message(WM_KEYDOWN, VK_UP);
    frameRuns();
    message(WM_KEYUP, VK_RIGHT);
    frameRuns();

    DemoTimeline timeline;
    std::string error;
    ASSERT_TRUE(demoTimelineFromJournal(journal, timeline, error)) << error;
    EXPECT_EQ(timeline.level, 12);
    ASSERT_EQ(timeline.frames.size(), 3u);
    EXPECT_EQ(timeline.frames[0].arrows, DemoFrame::RIGHT);
    EXPECT_EQ(timeline.frames[1].arrows, DemoFrame::RIGHT | DemoFrame::UP);
    EXPECT_EQ(timeline.frames[2].arrows, DemoFrame::UP);
    EXPECT_FLOAT_EQ(timeline.frames[0].seconds, 1.0f / 60);

    message(WM_KEYDOWN, VK_SPACE);
    frameRuns();
    EXPECT_FALSE(demoTimelineFromJournal(journal, timeline, error)) << "only the arrows are a demo's";
    EXPECT_FALSE(demoTimelineFromJournal(Journal{}, timeline, error));
}

TEST_F(TitleDemoTest, TheDemoSteersWithTheKeysThePlayerChose)
{
    KeyBindings keys = defaultKeyBindings();
    keys.of(Action::SteerLeft) = {'A'};
    keys.of(Action::SteerRight) = {'D'};
    keys.of(Action::SteerUp) = {'W'};
    keys.of(Action::SteerDown) = {'S'};
    input().setKeyBindings(keys);
    leaveAlone(30.5f);
    ASSERT_TRUE(demo().playing());
    const float startX = game->getShip()->getX(), startY = game->getShip()->getY();
    leaveAlone(3);
    EXPECT_TRUE(game->getShip()->getX() != startX || game->getShip()->getY() != startY);
    EXPECT_FALSE(input().isKeyDown(VK_RIGHT) || input().isKeyDown(VK_DOWN));
}
