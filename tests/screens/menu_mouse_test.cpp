// Menus follow the mouse as they follow the keys: hovering an item
// highlights it, a click (pressed and let go on it) chooses it.
#include "screen_fixture.h"

#include "entities/ship.h"
#include "screens/instructions_screen.h"
#include "screens/option_screen.h"
#include "screens/pause_screen.h"
#include "screens/title_screen.h"
#include "screens/upgrade_screen.h"

class MenuMouse : public ScreenFixture {
protected:
    void moveTo(int x, int y)
    {
        input().mouseIn(MAKELPARAM(x, y));
        frame();
    }
    void clickAt(int x, int y)
    {
        moveTo(x, y);
        input().setMouseLButton(true);
        frame();
        input().setMouseLButton(false);
        frame();
    }
    // The middle of a 250 x 50 menu word standing at (x, y).
    static int mid(int x) { return x + 125; }
    static int midY(int y) { return y + 25; }
};

TEST_F(MenuMouse, TheTitleHighlightsWhatThePointerIsOverAndAClickChoosesIt)
{
    goTo("TITLESCREEN");
    const MenuCursor& cursor = screen<TitleScreen>("TITLESCREEN").getCursor();
    moveTo(mid(310), midY(220));
    EXPECT_EQ(cursor.selection, 1) << "Options";
    moveTo(mid(290), midY(340));
    EXPECT_EQ(cursor.selection, 3) << "High Scores";
    moveTo(5, 5);
    EXPECT_EQ(cursor.selection, 3) << "off the items the highlight stays";

    // A still mouse leaves the keys alone.
    press(VK_DOWN);
    frame();
    EXPECT_EQ(cursor.selection, 4);

    // Pressed on one item and let go on another is no click.
    moveTo(mid(310), midY(460));
    input().setMouseLButton(true);
    frame();
    moveTo(mid(310), midY(280));
    input().setMouseLButton(false);
    frame();
    EXPECT_EQ(current(), "TITLESCREEN");

    clickAt(mid(295), midY(400));
    EXPECT_EQ(current(), "CREDITS");
}

TEST_F(MenuMouse, OptionsPauseShopAndTheBookTakeClicks)
{
    goTo("OPTIONSCREEN");
    const MenuCursor& options = screen<OptionScreen>("OPTIONSCREEN").getCursor();
    moveTo(mid(420), midY(365));
    EXPECT_EQ(options.selection, 4) << "Hard";
    clickAt(mid(420), midY(365));
    EXPECT_TRUE(game->hard);
    EXPECT_FALSE(game->easy);
    // On and Off overlap: each is chosen over its own middle.
    moveTo(mid(200) - 30, midY(150));
    EXPECT_EQ(options.selection, 0);
    moveTo(mid(350) + 30, midY(160));
    EXPECT_EQ(options.selection, 1);

    goTo("INSTRUCTIONS");
    wait(0.3f);
    const auto& book = screen<InstructionsScreen>("INSTRUCTIONS");
    moveTo(700, 515);
    EXPECT_EQ(book.getArrow(), 1);
    clickAt(700, 515);
    EXPECT_EQ(book.getPage(), 1);
    clickAt(70, 515);
    EXPECT_EQ(book.getPage(), 0);

    game->nextLevel = 4;
    goTo("UPGRADESCREEN");
    const MenuCursor& shop = screen<UpgradeScreen>("UPGRADESCREEN").getCursor();
    moveTo(mid(350), midY(80));
    EXPECT_EQ(shop.selection, 0) << "Sails";
    game->getShip()->setGold(300);
    clickAt(mid(350), midY(80));
    EXPECT_EQ(game->getShip()->getGold(), 0) << "bought";
    clickAt(mid(350), midY(520));
    EXPECT_EQ(current(), "LEVEL4") << "Proceed";

    wait(0.2f, 0.02f);
    press('P');
    ASSERT_EQ(current(), "PAUSESCREEN");
    const MenuCursor& pause = screen<PauseScreen>("PAUSESCREEN").getCursor();
    moveTo(mid(270), midY(260));
    EXPECT_EQ(pause.selection, 1) << "Save";
    clickAt(mid(280), midY(150));
    EXPECT_EQ(current(), "LEVEL4") << "Resume";
}

TEST_F(MenuMouse, AButtonHeldOnTheWayInIsNoClick)
{
    goTo("TITLESCREEN");
    moveTo(mid(310), midY(220));
    input().setMouseLButton(true);
    frame();
    input().setMouseLButton(false);
    frame();
    ASSERT_EQ(current(), "OPTIONSCREEN");
    // The button went down on the title; let go over an options item, it
    // chooses nothing there.
    input().setMouseLButton(true);
    goTo("TITLESCREEN");
    goTo("OPTIONSCREEN");
    moveTo(mid(280), midY(530));
    input().setMouseLButton(false);
    frame();
    EXPECT_EQ(current(), "OPTIONSCREEN");
}
