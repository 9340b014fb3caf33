// A level rules pairs out by their boxes before it runs the full collision
// tests. With that switched off every pair is tested in full; the game must
// play the same either way, frame for frame, while the ship sails into walls,
// enemies and pick-ups, fires, and scrolls the wide maps.
#include "level_fixture.h"

#include <cstring>
#include <vector>

class BroadPhase : public LevelFixture {
protected:
    // What collisions can change, folded into one number a frame.
    struct Fingerprint {
        std::uint64_t h = 1469598103934665603ull;
        void add(const void* p, size_t n)
        {
            const auto* b = static_cast<const unsigned char*>(p);
            for (size_t i = 0; i < n; ++i)
                h = (h ^ b[i]) * 1099511628211ull;
        }
        void add(float v) { add(&v, sizeof v); }
        void add(int v) { add(&v, sizeof v); }
        void add(bool v) { add(static_cast<int>(v)); }
        void entity(Entity& e)
        {
            add(e.getX());
            add(e.getY());
            add(e.getVelocity().x);
            add(e.getVelocity().y);
            add(e.getActive());
            add(e.getVisible());
            add(e.getHealth());
            add(e.getCurrentFrame());
        }
    };

    std::uint64_t fingerprint(Level& lv)
    {
        Fingerprint f;
        f.entity(ship());
        f.entity(*ship().getCannon());
        f.add(ship().getGold());
        f.add(ship().getAmmo());
        f.add(ship().getHit());
        for (auto& e : lv.getEnemyShips()) {
            f.entity(e);
            f.entity(*e.getCannon());
            f.add(e.getHit());
        }
        for (auto& e : lv.getEnemyShip1s()) {
            f.entity(e);
            f.entity(*e.getCannon());
            f.add(e.getHit());
        }
        for (auto* group : {&lv.getCoins(), &lv.getTreasures(), &lv.getHealthPickups(), &lv.getAmmoPickups()})
            for (auto& p : *group)
                f.entity(p);
        f.add(lv.getHitTimer());
        f.add(lv.getMapX());
        return f.h;
    }

    // A fresh game, level n entered, a fixed course sailed: one fingerprint
    // a frame.
    std::vector<std::uint64_t> sail(int n, bool broadPhase, int frames)
    {
        game = std::make_unique<Keelhaven>();
        game->initialize(hwnd);
        Level& lv = enter(n);
        lv.setBroadPhase(broadPhase);
        const UCHAR course[] = {VK_RIGHT, VK_DOWN, VK_RIGHT, VK_UP, VK_LEFT, VK_DOWN, VK_LEFT, VK_UP};
        std::vector<std::uint64_t> prints;
        for (int i = 0; i < frames && lv.getActive(); ++i) {
            ship().setHealth(100);  // keep sailing whatever it meets
            releaseArrows();
            hold(i < 240 ? VK_RIGHT : course[(i / 70) % 8]);  // first to the scrolling edge
            if (i % 30 == 0)
                input().keyDown(VK_SPACE);
            else
                release(VK_SPACE);
            step();
            prints.push_back(fingerprint(lv));
        }
        return prints;
    }
};

TEST_F(BroadPhase, LevelsPlayTheSameWithoutIt)
{
    // Level 1; a level with many markers and turn lines (16); levels that
    // turn every enemy at every marker (25, 27); a wide one with two
    // whirlpools (28).
    for (int n : {1, 16, 25, 27, 28}) {
        const std::vector<std::uint64_t> with = sail(n, true, 700);
        const std::vector<std::uint64_t> without = sail(n, false, 700);
        ASSERT_EQ(with.size(), without.size()) << "level " << n;
        for (size_t i = 0; i < with.size(); ++i)
            ASSERT_EQ(with[i], without[i]) << "level " << n << ", frame " << i;
        EXPECT_GT(with.size(), 100u) << "level " << n;
    }
}
