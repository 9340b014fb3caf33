#include "screen_fixture.h"

#include "entities/ship.h"
#include "screens/upgrade_screen.h"

namespace {
enum { SAILS, HULL, CANNON, PROCEED, AMMO, LIVES };

constexpr COLOR_ARGB GREY = 0xFF808080;
}  // namespace

class Shop : public ScreenFixture {
protected:
    void SetUp() override
    {
        ScreenFixture::SetUp();
        goTo("LEVEL4");
        goTo("UPGRADESCREEN");
        ship().setGold(0);
    }
    Ship& ship() { return *game->getShip(); }
    int selection() { return screen<UpgradeScreen>("UPGRADESCREEN").getCursor().selection; }
    // Keys from Proceed to each item.
    void select(int item)
    {
        static const std::vector<std::vector<UCHAR>> fromProceed = {
            {VK_UP, VK_UP, VK_RIGHT}, {VK_UP}, {VK_UP, VK_RIGHT}, {}, {VK_UP, VK_RIGHT, VK_UP}, {VK_UP, VK_UP}};
        while (selection() != PROCEED)
            press(VK_DOWN);  // every item leads down to Proceed
        for (UCHAR key : fromProceed[static_cast<size_t>(item)])
            press(key);
        ASSERT_EQ(selection(), item);
    }

    // The colour the letters in the box carry most: red, green, grey, cyan
    // or white (the background is dark wood and pale paper).
    enum class Ink { Red, Green, Grey, Cyan, White, None };
    Ink inkIn(int left, int top, int right, int bottom)
    {
        game->renderGame();
        const testsupport::Picture p = testsupport::readBack();
        int counts[5] = {};
        for (int y = top; y < bottom; ++y)
            for (int x = left; x < right; ++x) {
                const int r = testsupport::red(p.at(x, y)), g = testsupport::green(p.at(x, y)),
                          b = testsupport::blue(p.at(x, y));
                counts[0] += r > 200 && g < 50 && b < 50;
                counts[1] += r < 40 && g > 100 && g < 160 && b < 40;
                counts[2] += std::abs(r - 128) < 12 && std::abs(g - 128) < 12 && std::abs(b - 128) < 12;
                counts[3] += r < 40 && g > 220 && b > 220;
                counts[4] += r > 240 && g > 240 && b > 240;
            }
        int best = 5, most = 40;
        for (int i = 0; i < 5; ++i)
            if (counts[i] > most) {
                most = counts[i];
                best = i;
            }
        return static_cast<Ink>(best);
    }
    Ink cannonPrice() { return inkIn(540, 235, 700, 285); }
    Ink cannonItem() { return inkIn(460, 260, 620, 310); }
};

TEST_F(Shop, TheCannonCostsExactly1750)
{
    select(CANNON);
    ship().setGold(1749);
    EXPECT_EQ(cannonPrice(), Ink::Red);
    press(VK_RETURN);
    EXPECT_EQ(ship().getGold(), 1749);
    EXPECT_EQ(ship().getCannonDamage(), 10);

    ship().setGold(1750);
    EXPECT_EQ(cannonPrice(), Ink::Green);
    EXPECT_EQ(cannonItem(), Ink::Cyan);
    press(VK_RETURN);
    EXPECT_EQ(ship().getGold(), 0);
    EXPECT_EQ(ship().getCannonDamage(), 30);
    EXPECT_EQ(ship().getCannonLevel(), 1);
    EXPECT_GE(game->getAudio()->playingInstances("COIN2"), 1);
    EXPECT_EQ(cannonItem(), Ink::Grey) << "bought, even while highlighted";
    EXPECT_EQ(cannonPrice(), Ink::Red) << "short of gold, even when bought";
}

TEST_F(Shop, SailsAndTheHullAreBoughtOnce)
{
    ship().setGold(5000);
    select(SAILS);
    press(VK_RETURN);
    press(VK_RETURN);
    EXPECT_EQ(ship().getSpeed(), 200.0f);
    EXPECT_EQ(ship().getGold(), 4700);
    EXPECT_EQ(inkIn(350, 80, 480, 130), Ink::Grey) << "the sails item";
    EXPECT_EQ(inkIn(380, 50, 520, 100), Ink::Grey) << "their price";

    select(HULL);
    press(VK_RETURN);
    press(VK_RETURN);
    EXPECT_EQ(ship().getHitDamage(), 17);
    EXPECT_EQ(ship().getGold(), 3700);
}

TEST_F(Shop, CannonballsUpToNine)
{
    ship().setAmmo(8);
    ship().setGold(250);
    select(AMMO);
    press(VK_RETURN);
    EXPECT_EQ(ship().getAmmo(), 9);
    EXPECT_EQ(ship().getGold(), 150);
    press(VK_RETURN);
    EXPECT_EQ(ship().getAmmo(), 9);
    EXPECT_EQ(ship().getGold(), 150);
    EXPECT_EQ(inkIn(630, 60, 780, 110), Ink::Grey) << "the price, with nothing more to buy";
}

TEST_F(Shop, LivesUpToThreeAndNeverInTheGauntlet)
{
    ship().setLives(2);
    ship().setGold(1200);
    select(LIVES);
    press(VK_RETURN);
    press(VK_RETURN);
    EXPECT_EQ(ship().getLives(), 3);
    EXPECT_EQ(ship().getGold(), 700);
    EXPECT_EQ(inkIn(160, 85, 290, 135), Ink::Cyan) << "highlighted, lives still shows cyan";

    game->easy = false;
    game->gauntlet = true;
    ship().setLives(1);
    press(VK_RETURN);
    EXPECT_EQ(ship().getLives(), 1);
    EXPECT_EQ(inkIn(160, 85, 290, 135), Ink::Grey);
}

TEST_F(Shop, TheMovesFromProceedAndTheLatch)
{
    ASSERT_EQ(selection(), PROCEED);
    for (UCHAR key : {VK_DOWN, VK_LEFT, VK_RIGHT}) {
        press(key);
        EXPECT_EQ(selection(), PROCEED);
    }
    press(VK_UP);
    EXPECT_EQ(selection(), HULL);

    // Holding A buys once; the pad and A must be let go to buy again.
    ship().setGold(1000);
    ship().setAmmo(0);
    select(AMMO);
    holdPad(XINPUT_GAMEPAD_A);
    wait(0.5f, 0.02f);
    EXPECT_EQ(ship().getAmmo(), 1);
    holdPad(0);
    frame();
    holdPad(XINPUT_GAMEPAD_A);
    frame();
    EXPECT_EQ(ship().getAmmo(), 2);
}

TEST_F(Shop, ProceedStartsTheNextLevel)
{
    game->nextLevel = 5;
    press(VK_RETURN);
    EXPECT_EQ(current(), "LEVEL5");
    EXPECT_EQ(game->nextLevel, 6);
    // After the detour into level 31 the shop leads back to 29; past the
    // last level it leads to the title.
    goTo("UPGRADESCREEN");
    game->nextLevel = 32;
    press(VK_RETURN);
    EXPECT_EQ(current(), "TITLESCREEN");
    EXPECT_EQ(game->nextLevel, 2);
}
