#include "level_fixture.h"

using testsupport::Picture;

class LevelRender : public LevelFixture {
protected:
    void SetUp() override
    {
        LevelFixture::SetUp();
        lv = &enter(1);
        // Nothing moves between the pictures compared here.
        for (auto& e : lv->getEnemyShips())
            e.stopMoving();
        for (auto& e : lv->getEnemyShip1s())
            e.stopMoving();
    }

    // One frame drawn with the ship's figures as given (the ship's own
    // update would bring ammunition back into range, so draw without it).
    Picture draw(int ammo, int lives, float health, int gold)
    {
        ship().setAmmo(ammo);
        ship().setLives(lives);
        ship().setHealth(health);
        ship().setGold(gold);
        lv->update(0);  // the gauge follows the health
        ship().setAmmo(ammo);
        game->renderGame();
        return testsupport::readBack();
    }

    static bool sameIn(const Picture& a, const Picture& b, RECT r)
    {
        for (LONG y = r.top; y < r.bottom; ++y)
            for (LONG x = r.left; x < r.right; ++x)
                if (a.at(x, y) != b.at(x, y))
                    return false;
        return true;
    }

    static RECT ammoIcon(int i) { return RECT{490 + i * 32, 510, 490 + (i + 1) * 32, 542}; }
    static RECT lifeIcon(int i) { return RECT{490 + i * 40, 560, 490 + (i + 1) * 40, 596}; }

    Level* lv = nullptr;
};

TEST_F(LevelRender, TheHudShowsOneIconPerCannonballAndPerLife)
{
    const Picture two = draw(2, 3, 100, 0);
    const Picture three = draw(3, 3, 100, 0);
    EXPECT_TRUE(sameIn(two, three, ammoIcon(0)));
    EXPECT_TRUE(sameIn(two, three, ammoIcon(1)));
    EXPECT_FALSE(sameIn(two, three, ammoIcon(2))) << "the third cannonball shows";
    EXPECT_TRUE(sameIn(two, three, ammoIcon(3)));

    // Ten cannonballs (a pick-up taken with nine) show none for that frame.
    const Picture ten = draw(10, 3, 100, 0);
    const Picture none = draw(0, 3, 100, 0);
    EXPECT_TRUE(sameIn(ten, none, RECT{490, 510, 490 + 9 * 32, 542}));
    EXPECT_FALSE(sameIn(ten, two, ammoIcon(0)));

    const Picture oneLife = draw(2, 1, 100, 0);
    EXPECT_TRUE(sameIn(oneLife, two, lifeIcon(0)));
    EXPECT_FALSE(sameIn(oneLife, two, lifeIcon(1)));
    EXPECT_FALSE(sameIn(oneLife, two, lifeIcon(2)));
    const Picture noLives = draw(2, 0, 100, 0);
    EXPECT_FALSE(sameIn(noLives, oneLife, lifeIcon(0)));
}

TEST_F(LevelRender, TheGaugeTurnsFromGreenToRedAsHealthRunsOut)
{
    const Picture full = draw(2, 3, 100, 0);
    const Picture empty = draw(2, 3, 0, 0);
    const Picture low = draw(2, 3, 20, 0);
    // The gauge is what differs between full and empty health.
    const RECT gauge = testsupport::boundsOfChange(full, 0, RECT{83, 465, 360, 600});
    int greenish = 0, reddish = 0;
    for (LONG y = 465; y < 600; ++y) {
        for (LONG x = 83; x < 100; ++x) {  // the left end is lit at both healths
            if (full.at(x, y) == empty.at(x, y))
                continue;
            const auto f = full.at(x, y), l = low.at(x, y);
            greenish += testsupport::green(f) > testsupport::red(f) + 40 ? 1 : 0;
            reddish += testsupport::red(l) > testsupport::green(l) + 40 ? 1 : 0;
        }
    }
    (void)gauge;
    EXPECT_GT(greenish, 20);
    EXPECT_GT(reddish, 20);
    // Past the low gauge's right end nothing is lit.
    EXPECT_TRUE(sameIn(low, empty, RECT{83 + 270 / 5 + 2, 465, 360, 600}));
}

TEST_F(LevelRender, GoldIsPrintedInBlackInTheHud)
{
    const Picture none = draw(2, 3, 100, 0);
    const Picture rich = draw(2, 3, 100, 88888);
    const RECT text{660, 545, 800, 600};
    EXPECT_FALSE(sameIn(none, rich, text));
    int dark = 0;
    for (LONG y = text.top; y < text.bottom; ++y)
        for (LONG x = text.left; x < text.right; ++x) {
            const auto c = rich.at(x, y);
            if (c != none.at(x, y) && testsupport::red(c) < 40 && testsupport::green(c) < 40 &&
                testsupport::blue(c) < 40)
                ++dark;
        }
    EXPECT_GT(dark, 50);
    // Nothing of the figure spills outside the HUD's lower right.
    EXPECT_TRUE(sameIn(none, rich, RECT{0, 0, 800, 540}));
}

TEST_F(LevelRender, ShipsDrawOverPickUpsAndTheHudOverNothingOfThePlayArea)
{
    Entity& treasure = lv->getTreasures()[0];
    ship().setX(treasure.getX());
    ship().setY(treasure.getY());
    const Picture both = draw(2, 3, 100, 0);
    treasure.setVisible(false);
    game->renderGame();
    const Picture shipOnly = testsupport::readBack();
    // At the ship's middle the ship hides the treasure.
    const int cx = static_cast<int>(ship().getCenterX()), cy = static_cast<int>(ship().getCenterY());
    EXPECT_TRUE(testsupport::sameColor(both.at(cx, cy), shipOnly.at(cx, cy), 0));

    // The HUD panel covers the strip below the play area whatever is above.
    ship().setY(0);
    game->renderGame();
    const Picture moved = testsupport::readBack();
    EXPECT_TRUE(sameIn(moved, shipOnly, RECT{0, 465, 80, 600}));
    EXPECT_FALSE(sameIn(moved, shipOnly, RECT{0, 0, 800, 460}));
}
