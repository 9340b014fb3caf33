// Makes the golden runs: the bot's win of every level (and of level 28 by
// its second whirlpool), played from the title through the real event path
// and recorded.   make_golden_runs OUT_FOLDER
// (tools/golden/make_golden_runs.sh runs it and puts the runs in place).
#include "levels/level_bot.h"

#include "entities/ship.h"
#include "keelhaven/replay_session.h"
#include "support/headless.h"
#include "support/save_folder.h"
#include "testing.h"

#include <cstdlib>
#include <cstdio>
#include <filesystem>

namespace {

constexpr int TYPE_FROM_FRAME = 5;
constexpr int FRAMES_AFTER_THE_END = 30;

void press(UCHAR key, bool down)
{
    if (down)
        platform::testing::keyDown(key);
    else
        platform::testing::keyUp(key);
}

// The game as a player would start it: the console takes it to the level,
// then the bot's plan holds the arrow keys, sent as a keyboard sends them.
class BotSession : public Keelhaven {
public:
    BotSession(LevelBot& plan, int level, int whichExit)
        : bot(plan), levelName("LEVEL" + std::to_string(level)), exit(whichExit),
          typing("`" + levelName + "|`")
    {
    }

    void run(HWND hwnd) override
    {
        ++frame;
        if (frame >= TYPE_FROM_FRAME && typed < typing.size()) {
            const char c = typing[typed++];
            if (c == '`' || c == '|') {
                press(c == '`' ? VK_OEM_3 : VK_RETURN, true);
                press(c == '`' ? VK_OEM_3 : VK_RETURN, false);
            } else {
                platform::testing::typeText(std::string(1, c));
            }
        }
        GameState* level = findState(levelName);
        const bool updatesThisFrame = level->getActive() && !getPaused();
        platform::testing::advanceClock(1.0 / 60);
        Keelhaven::run(hwnd);
        if (updatesThisFrame)
            ++levelFrames;

        if (!finished && level->getActive()) {
            hold(bot.arrowsFor(*static_cast<Level*>(level), *getShip(), levelFrames + 1));
        } else if (!finished && levelFrames > 0) {
            finished = true;
            hold({});
            won = exit == 1 ? findState("LEVEL31")->getActive()
                            : findState("UPGRADESCREEN")->getActive() || findState("COMPLETE")->getActive();
            quitAt = frame + FRAMES_AFTER_THE_END;
        }
        if (frame == quitAt || frame > levelBotNS::LOOK_AHEAD_FRAMES)
            exitGame();
    }

    static inline bool won = false;

private:
    void hold(BotArrows wanted)
    {
        if (wanted.left != held.left)
            press(VK_LEFT, wanted.left);
        if (wanted.right != held.right)
            press(VK_RIGHT, wanted.right);
        if (wanted.up != held.up)
            press(VK_UP, wanted.up);
        if (wanted.down != held.down)
            press(VK_DOWN, wanted.down);
        held = wanted;
    }

    LevelBot& bot;
    std::string levelName;
    int exit;
    std::string typing;
    size_t typed = 0;
    int frame = 0;
    int levelFrames = 0;
    bool finished = false;
    int quitAt = -1;
    BotArrows held;
};

std::string goldenName(int level, int exit)
{
    return std::string("level") + (level < 10 ? "0" : "") + std::to_string(level) + (exit == 1 ? "-second-exit" : "") +
           ".khreplay";
}

// Plans on a game of its own, so nothing of the planning touches the game
// that is recorded, then records the win; false, having said why, when the
// bot cannot win.
bool makeRun(const std::filesystem::path& folder, int level, int exit)
{
    testsupport::SaveFolder saves;  // a golden run starts from no saves
    platform::testing::useFakeClock(true);
    HWND hwnd = testsupport::createTestWindow("KeelhavenGoldenPlan");
    auto planner = std::make_unique<Keelhaven>();
    planner->initialize(hwnd);
    LevelBot bot(*planner, level, exit);
    std::string why;
    const bool planned = bot.prepare(why);
    planner.reset();
    DestroyWindow(hwnd);
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
    }
    const std::string name = goldenName(level, exit);
    if (!planned) {
        std::fprintf(stderr, "%s: the bot finds no way: %s\n", name.c_str(), why.c_str());
        platform::testing::useFakeClock(false);
        return false;
    }

    const std::filesystem::path file = folder / name;
    BotSession::won = false;
    std::optional<JournalEnd> ended;
    const int code = playRecording(
        file.string(), [&bot, level, exit] { return std::make_unique<BotSession>(bot, level, exit); }, ended);
    platform::testing::useFakeClock(false);
    if (code != 0 || !ended || !BotSession::won) {
        std::filesystem::remove(file);
        std::fprintf(stderr, "%s: the bot did not win through the event path\n", name.c_str());
        return false;
    }
    std::printf("%s: %llu frames\n", name.c_str(), static_cast<unsigned long long>(ended->frames));
    return true;
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: make_golden_runs OUT_FOLDER\n");
        return 2;
    }
    setenv("SDL_VIDEODRIVER", "dummy", 1);
    setenv("SDL_AUDIODRIVER", "dummy", 1);
    int failed = 0;
    for (int n = 1; n <= 31; ++n)
        failed += makeRun(argv[1], n, 0) ? 0 : 1;
    failed += makeRun(argv[1], 28, 1) ? 0 : 1;
    return failed == 0 ? 0 : 1;
}
