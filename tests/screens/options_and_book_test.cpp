#include "screen_fixture.h"

#include "screens/instructions_screen.h"
#include "screens/option_screen.h"

namespace {
enum { ON, OFF, EASY, NORMAL, HARD, BOOK, GAUNTLET, RESUME };
}

class Options : public ScreenFixture {
protected:
    void SetUp() override
    {
        ScreenFixture::SetUp();
        goTo("OPTIONSCREEN");
    }
    int selection() { return screen<OptionScreen>("OPTIONSCREEN").getCursor().selection; }
    // Puts the cursor on `from` by way of the screen's own moves.
    void from(int item)
    {
        static const std::vector<std::vector<UCHAR>> path = {
            {}, {VK_RIGHT}, {VK_DOWN}, {VK_DOWN, VK_RIGHT}, {VK_DOWN, VK_RIGHT, VK_RIGHT}, {VK_DOWN, VK_DOWN},
            {VK_DOWN, VK_RIGHT, VK_RIGHT, VK_RIGHT}, {VK_DOWN, VK_DOWN, VK_DOWN}};
        goTo("TITLESCREEN");
        goTo("OPTIONSCREEN");  // entering puts the cursor on On
        for (UCHAR key : path[static_cast<size_t>(item)])
            press(key);
        ASSERT_EQ(selection(), item);
    }

    // How the item's letters are coloured: cyan, black or white pixels. The
    // words stand at the left of their 250 px frames, which overlap.
    enum class Ink { White, Cyan, Black };
    Ink inkOf(int x, int y)
    {
        game->renderGame();
        const testsupport::Picture p = testsupport::readBack();
        int white = 0, cyan = 0;
        for (int row = y; row < y + 50; ++row)
            for (int col = x; col < x + 130; ++col) {
                const std::uint32_t c = p.at(col, row);
                const bool bright = testsupport::green(c) > 230 && testsupport::blue(c) > 230;
                white += bright && testsupport::red(c) > 230;
                cyan += bright && testsupport::red(c) < 40;
            }
        if (cyan > 30)
            return Ink::Cyan;
        return white > 30 ? Ink::White : Ink::Black;
    }
};

TEST_F(Options, TheMoveTable)
{
    struct Move {
        int from;
        UCHAR key;
        int to;
    };
    const Move moves[] = {
        {ON, VK_DOWN, EASY},      {OFF, VK_DOWN, EASY},        {EASY, VK_DOWN, BOOK},     {NORMAL, VK_DOWN, BOOK},
        {HARD, VK_DOWN, BOOK},    {GAUNTLET, VK_DOWN, BOOK},   {BOOK, VK_DOWN, RESUME},   {RESUME, VK_DOWN, RESUME},
        {EASY, VK_UP, ON},        {NORMAL, VK_UP, ON},         {HARD, VK_UP, ON},         {GAUNTLET, VK_UP, ON},
        {BOOK, VK_UP, EASY},      {RESUME, VK_UP, BOOK},       {ON, VK_UP, ON},           {OFF, VK_UP, OFF},
        {ON, VK_RIGHT, OFF},      {EASY, VK_RIGHT, NORMAL},    {NORMAL, VK_RIGHT, HARD},  {HARD, VK_RIGHT, GAUNTLET},
        {OFF, VK_RIGHT, OFF},     {GAUNTLET, VK_RIGHT, GAUNTLET}, {BOOK, VK_RIGHT, BOOK}, {RESUME, VK_RIGHT, RESUME},
        {OFF, VK_LEFT, ON},       {NORMAL, VK_LEFT, EASY},     {HARD, VK_LEFT, NORMAL},   {GAUNTLET, VK_LEFT, HARD},
        {ON, VK_LEFT, ON},        {EASY, VK_LEFT, EASY},       {BOOK, VK_LEFT, BOOK},     {RESUME, VK_LEFT, RESUME},
    };
    for (const Move& m : moves) {
        from(m.from);
        press(m.key);
        EXPECT_EQ(selection(), m.to) << "from " << m.from << " key " << int(m.key);
    }
}

TEST_F(Options, CurrentSettingsAreCyanAndTheHighlightBlack)
{
    // Sound off and hard, chosen on the screen.
    from(OFF);
    press(VK_RETURN);
    EXPECT_FALSE(game->getAudio()->getSoundOn());
    from(HARD);
    press(VK_RETURN);
    EXPECT_TRUE(game->hard);
    EXPECT_FALSE(game->easy);
    EXPECT_EQ(game->nextLevel, 22);

    from(RESUME);
    EXPECT_EQ(inkOf(350, 160), Ink::Cyan) << "Off";
    EXPECT_EQ(inkOf(420, 365), Ink::Cyan) << "hard";
    EXPECT_EQ(inkOf(200, 150), Ink::White) << "On";
    EXPECT_EQ(inkOf(20, 360), Ink::White) << "easy";
    EXPECT_EQ(inkOf(280, 530), Ink::Black) << "resume, highlighted";
    from(HARD);
    EXPECT_EQ(inkOf(420, 365), Ink::Black) << "the highlight wins over the setting";
    EXPECT_EQ(inkOf(285, 100), Ink::Black) << "the sound label";
}

TEST_F(Options, TheDifficultiesSetTheLevelAfterTheFirstShop)
{
    for (auto [item, next] : {std::pair{NORMAL, 12}, std::pair{GAUNTLET, 2}, std::pair{HARD, 22}, std::pair{EASY, 2}}) {
        from(item);
        press(VK_RETURN);
        EXPECT_EQ(game->nextLevel, next);
        EXPECT_EQ(int(game->easy) + int(game->normal) + int(game->hard) + int(game->gauntlet), 1);
    }
    // A acts on every frame it is held, and so does the sound switch.
    from(ON);
    holdPad(XINPUT_GAMEPAD_A);
    wait(0.2f, 0.02f);
    EXPECT_TRUE(game->getAudio()->getSoundOn());
    EXPECT_EQ(current(), "OPTIONSCREEN");
}

TEST_F(Options, TheRulesBookAndResume)
{
    from(BOOK);
    press(VK_RETURN);
    EXPECT_EQ(current(), "INSTRUCTIONS");
    goTo("OPTIONSCREEN");
    from(RESUME);
    press(VK_RETURN);
    EXPECT_EQ(current(), "TITLESCREEN");
}

class Book : public ScreenFixture {
protected:
    void SetUp() override
    {
        ScreenFixture::SetUp();
        goTo("OPTIONSCREEN");
        goTo("INSTRUCTIONS");
        wait(0.2f);
    }
    InstructionsScreen& book() { return screen<InstructionsScreen>("INSTRUCTIONS"); }
    void hold(UCHAR key)
    {
        input().keyDown(key);
        frame();
        input().keyUp(key);
    }
};

TEST_F(Book, ForwardThroughSevenPagesAndOutAtTheEnd)
{
    hold(VK_RIGHT);
    EXPECT_EQ(book().getArrow(), 1);
    for (int page = 1; page < 7; ++page) {
        press(VK_RETURN);
        EXPECT_EQ(book().getPage(), page);
    }
    press(VK_RETURN);
    EXPECT_EQ(current(), "OPTIONSCREEN");
}

TEST_F(Book, BackOnTheFirstPageLeavesAndBackElsewhereTurnsBack)
{
    hold(VK_RIGHT);
    press(VK_RETURN);
    press(VK_RETURN);
    EXPECT_EQ(book().getPage(), 2);
    hold(VK_LEFT);
    EXPECT_EQ(book().getArrow(), 0);
    press(VK_RETURN);
    EXPECT_EQ(book().getPage(), 1);
    press(VK_RETURN);
    EXPECT_EQ(book().getPage(), 0);
    press(VK_RETURN);
    EXPECT_EQ(current(), "OPTIONSCREEN");
}

TEST_F(Book, InputIsIgnoredForAFifthOfASecondButEscapeIsNot)
{
    hold(VK_RIGHT);
    press(VK_RETURN);
    ASSERT_EQ(book().getPage(), 1);
    goTo("OPTIONSCREEN");
    goTo("INSTRUCTIONS");  // leaving started the guard again
    EXPECT_EQ(book().getPage(), 0) << "entering opens the book at its first page";
    press(VK_RETURN);
    hold(VK_LEFT);
    EXPECT_EQ(book().getPage(), 0);
    EXPECT_EQ(book().getArrow(), 1);
    press(VK_ESCAPE);
    EXPECT_EQ(current(), "OPTIONSCREEN");
}

TEST_F(Book, ThePadTurnsOnePagePerPress)
{
    holdPad(XINPUT_GAMEPAD_DPAD_RIGHT);
    frame();
    EXPECT_EQ(book().getArrow(), 1);
    holdPad(XINPUT_GAMEPAD_DPAD_RIGHT | XINPUT_GAMEPAD_A);
    wait(0.5f, 0.02f);
    EXPECT_EQ(book().getPage(), 1) << "held A turns one page";
    holdPad(0);
    frame();
    holdPad(XINPUT_GAMEPAD_A);
    frame();
    EXPECT_EQ(book().getPage(), 2);
}

TEST_F(Book, TheChosenArrowIsDrawnLarger)
{
    // The scimitar's blade lies in rows 16 to 39 of its picture: at 1.2 it
    // reaches y 547, at 1.0 only 539.
    auto picture = [&] {
        game->renderGame();
        return testsupport::readBack();
    };
    auto differ = [](const testsupport::Picture& a, const testsupport::Picture& b, int left, int right, int top,
                     int bottom) {
        int n = 0;
        for (int y = top; y < bottom; ++y)
            for (int x = left; x < right; ++x)
                n += a.at(x, y) != b.at(x, y);
        return n;
    };
    const testsupport::Picture backChosen = picture();
    hold(VK_RIGHT);
    const testsupport::Picture forwardChosen = picture();
    EXPECT_GT(differ(backChosen, forwardChosen, 50, 170, 540, 548), 50) << "the back arrow shrank";
    EXPECT_GT(differ(backChosen, forwardChosen, 680, 800, 540, 548), 50) << "the forward arrow grew";
    EXPECT_EQ(differ(backChosen, forwardChosen, 0, 800, 0, 500), 0) << "the page stays";
}
