#include "support/game_fixture.h"

#include "entities/ship.h"

using Journal = std::vector<std::string>;

namespace {
constexpr int FRONTEND = 0, PAUSE = 3, LOGO = 6, UPGRADE = 11;
int levelIndex(int n) { return 11 + n; }
}  // namespace

TEST_F(GameFixture, TheListHoldsTheScreensThenTheLevelsWithOnlyTheLogoActive)
{
    const char* screens[] = {"FRONTEND", "TITLESCREEN", "OPTIONSCREEN", "PAUSESCREEN", "GAMEOVER",     "COMPLETE",
                             "LOGO",     "INTRO",       "INSTRUCTIONS", "CREDITS",     "HIGHSCORE",    "UPGRADESCREEN"};
    ASSERT_EQ(game->stateCount(), 43);
    for (int i = 0; i < 12; ++i)
        EXPECT_EQ(game->stateAt(i)->getName(), screens[i]);
    for (int n = 1; n <= 31; ++n)
        EXPECT_EQ(game->stateAt(levelIndex(n))->getName(), "LEVEL" + std::to_string(n));
    EXPECT_EQ(activeCount(), 1);
    EXPECT_TRUE(game->stateAt(LOGO)->getActive());
    EXPECT_EQ(game->stateAt(43), nullptr);
    EXPECT_EQ(game->stateAt(-1), nullptr);
}

TEST_F(GameFixture, FirstEntryResetsThenInitializesLaterEntriesOnlyReset)
{
    RecordingState& level = record(levelIndex(3));
    RecordingState& shop = record(UPGRADE);
    game->switchState("LEVEL3", "LOGO");
    EXPECT_EQ(journal, (Journal{"LEVEL3 reset", "LEVEL3 initialize"}));
    EXPECT_TRUE(level.getActive() && level.getInitialized());
    EXPECT_FALSE(game->stateAt(LOGO)->getActive());

    journal.clear();
    game->switchState("UPGRADESCREEN", "LEVEL3");
    game->switchState("LEVEL3", "UPGRADESCREEN");
    EXPECT_EQ(journal, (Journal{"UPGRADESCREEN reset", "UPGRADESCREEN initialize", "LEVEL3 leave", "UPGRADESCREEN leave",
                                "LEVEL3 reset"}));
    EXPECT_FALSE(shop.getActive());
}

TEST_F(GameFixture, ComingBackFromThePauseScreenNeitherResetsNorInitializes)
{
    record(levelIndex(12));
    record(PAUSE);
    game->switchState("LEVEL12", "LOGO");
    game->getShip()->setFireTimer(1.0f);
    journal.clear();

    game->switchState("PAUSESCREEN", "LEVEL12");
    EXPECT_EQ(game->pausedStateName, "LEVEL12");
    EXPECT_EQ(game->getShip()->getFireTimer(), 0.0f);
    game->switchState("LEVEL12", "PAUSESCREEN");
    EXPECT_EQ(journal, (Journal{"PAUSESCREEN reset", "PAUSESCREEN initialize", "LEVEL12 leave", "PAUSESCREEN leave"}));
    EXPECT_TRUE(game->stateAt(levelIndex(12))->getActive());

    // resumeGame: back to the paused level with nothing reset and nothing left.
    game->switchState("PAUSESCREEN", "LEVEL12");
    journal.clear();
    game->resumeGame();
    EXPECT_TRUE(journal.empty());
    EXPECT_TRUE(game->stateAt(levelIndex(12))->getActive());
    EXPECT_FALSE(game->stateAt(PAUSE)->getActive());
}

TEST_F(GameFixture, SwitchingAStateToItselfLeavesItInactiveAndLeft)
{
    record(UPGRADE);
    game->switchState("UPGRADESCREEN", "UPGRADESCREEN");
    EXPECT_EQ(journal, (Journal{"UPGRADESCREEN reset", "UPGRADESCREEN initialize", "UPGRADESCREEN leave"}));
    EXPECT_FALSE(game->stateAt(UPGRADE)->getActive());
}

TEST_F(GameFixture, AnUnknownTargetStillDeactivatesTheCaller)
{
    game->switchState("NOWHERE", "LOGO");
    EXPECT_EQ(activeCount(), 0);
    game->switchState("LOGO", "NOWHERE");
    EXPECT_EQ(activeCount(), 1);
}

TEST_F(GameFixture, TheFrontEndLeavesOneActiveStateAndNoGold)
{
    record(levelIndex(2));
    record(levelIndex(9));
    game->stateAt(levelIndex(2))->setActive(true);
    game->stateAt(levelIndex(9))->setActive(true);
    game->getShip()->setGold(750);
    game->switchState("FRONTEND", "LEVEL2");
    EXPECT_EQ(activeCount(), 1);
    EXPECT_TRUE(game->stateAt(FRONTEND)->getActive());
    EXPECT_EQ(game->getShip()->getGold(), 0);
    // Only the caller is left; the others are simply switched off.
    EXPECT_EQ(std::count(journal.begin(), journal.end(), "LEVEL9 leave"), 0);
    EXPECT_EQ(std::count(journal.begin(), journal.end(), "LEVEL2 leave"), 1);
}

TEST_F(GameFixture, TheShopLeadsToTheNextLevelAndCountsOn)
{
    record(levelIndex(6));
    record(UPGRADE);
    game->getShip()->setDegrees(300);
    game->getShip()->setScale(0.4f);
    game->switchState("UPGRADESCREEN", "LOGO");
    game->nextLevel = 6;
    game->startNextLevel();
    EXPECT_TRUE(game->stateAt(levelIndex(6))->getActive());
    EXPECT_FALSE(game->stateAt(UPGRADE)->getActive());
    EXPECT_EQ(game->nextLevel, 7);
    EXPECT_EQ(game->getShip()->getDegrees(), 0.0f);
    EXPECT_EQ(game->getShip()->getScale(), 1.0f);
}

TEST_F(GameFixture, TheShopNeverLeadsPastTheLevelsThereAre)
{
    record(1);  // the title
    for (int outside : {32, 1, -8}) {
        game->switchState("UPGRADESCREEN", "LOGO");
        game->nextLevel = outside;
        game->startNextLevel();
        EXPECT_TRUE(game->stateAt(1)->getActive()) << outside;
        EXPECT_FALSE(game->stateAt(UPGRADE)->getActive());
        EXPECT_EQ(game->nextLevel, 2);
        game->stateAt(1)->setActive(false);
    }
}

TEST_F(GameFixture, AStateSwitchedOnDuringThePassRunsInThatPassWhenLaterInTheList)
{
    RecordingState& title = record(1);
    RecordingState& pause = record(PAUSE);
    RecordingState& first = record(FRONTEND);
    game->switchState("TITLESCREEN", "LOGO");
    title.onUpdate = [&] {
        pause.setActive(true);
        first.setActive(true);
    };
    journal.clear();
    frame();
    EXPECT_EQ(journal, (Journal{"TITLESCREEN update", "PAUSESCREEN update"}));
}
