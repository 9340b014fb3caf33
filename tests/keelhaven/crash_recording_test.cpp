// A fatal error leaves the session's journal beside the saves, and
// replaying it meets the same error at the same moment.
#include "base/game_error.h"
#include "engine/journal_taps.h"
#include "entities/ship.h"
#include "keelhaven/keelhaven.h"
#include "keelhaven/replay_session.h"
#include "support/save_folder.h"
#include "testing.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <regex>

namespace fs = std::filesystem;

namespace {

std::uint64_t failedAtFrame = 0;
float failedAtX = 0;

// A fault planted in the rules: sailing far enough east in level 1 is
// fatal. Only what the ship did decides when, so a replay of the same
// keys meets it at the same frame. With `script` the session enters the
// level from the console and holds the right arrow.
class PlantedFault : public Keelhaven {
public:
    explicit PlantedFault(bool script) : script(script) {}
    void run(HWND hwnd) override
    {
        ++frame;
        if (script) {
            if (frame >= 10 && frame < 10 + static_cast<int>(typing.size())) {
                const char c = typing[static_cast<size_t>(frame - 10)];
                if (c == '`' || c == '|') {
                    platform::testing::keyDown(c == '`' ? VK_OEM_3 : VK_RETURN);
                    platform::testing::keyUp(c == '`' ? VK_OEM_3 : VK_RETURN);
                } else {
                    platform::testing::typeText(std::string(1, c));
                }
            }
            if (frame == 40)
                platform::testing::keyDown(VK_RIGHT);
            if (frame == 2000)
                exitGame();  // the fault was not met
        }
        platform::testing::advanceClock(1.0 / 60);
        Keelhaven::run(hwnd);
        if (findState("LEVEL1")->getActive() && !startX)
            startX = getShip()->getX();
        if (startX && getShip()->getX() > *startX + 150) {
            failedAtFrame = getFramesRun();
            failedAtX = getShip()->getX();
            throw GameError(gameErrorNS::FATAL_ERROR, "planted fault: the ship sailed too far east");
        }
    }

private:
    bool script;
    int frame = 0;
    std::string typing = "`LEVEL1|`";
    std::optional<float> startX;
};

class CrashRecording : public ::testing::Test {
protected:
    void SetUp() override { platform::testing::useFakeClock(true); }
    void TearDown() override { platform::testing::useFakeClock(false); }
    testsupport::SaveFolder saves;
};

}  // namespace

TEST_F(CrashRecording, AFatalErrorLeavesARecordingThatMeetsItAgain)
{
    ::testing::internal::CaptureStderr();
    EXPECT_EQ(playKeepingCrashRecording([] { return std::make_unique<PlantedFault>(true); }, nullptr, SW_SHOWNORMAL), 1);
    const std::string said = ::testing::internal::GetCapturedStderr();
    ASSERT_GT(failedAtFrame, 40u) << "the planted fault was met";
    const std::uint64_t firstFrame = failedAtFrame;
    const float firstX = failedAtX;

    std::smatch named;
    ASSERT_TRUE(std::regex_search(said, named, std::regex("(/\\S*crash-[0-9-]+\\.khreplay)"))) << said;
    const fs::path crash = named[1].str();
    EXPECT_EQ(crash.parent_path(), saves.path()) << "beside the saves";
    ASSERT_TRUE(fs::is_regular_file(crash));

    failedAtFrame = 0;
    std::optional<JournalEnd> ended;
    ::testing::internal::CaptureStderr();
    EXPECT_EQ(playReplay(crash.string(), true, [] { return std::make_unique<PlantedFault>(false); }, ended), 1);
    const std::string replayed = ::testing::internal::GetCapturedStderr();
    EXPECT_NE(replayed.find("planted fault"), std::string::npos) << replayed;
    EXPECT_EQ(failedAtFrame, firstFrame);
    EXPECT_EQ(failedAtX, firstX);
    fs::remove(crash);
}

TEST(CrashJournal, ASessionLongerThanTheLimitIsLetGoNotGrown)
{
    JournalRecorder keeper(JournalHeader{"1", 2, {}}, 1.0);
    const std::size_t headerSize = keeper.kept().size();
    keeper.clockFrequency(1000);
    keeper.clock(5000);
    MSG msg{};
    keeper.message(msg, false);
    keeper.clock(5900);
    EXPECT_GT(keeper.kept().size(), headerSize);
    EXPECT_FALSE(keeper.outgrewLimit());
    keeper.clock(6001);
    EXPECT_TRUE(keeper.outgrewLimit());
    EXPECT_TRUE(keeper.kept().empty());
    keeper.message(msg, false);
    EXPECT_TRUE(keeper.kept().empty());
}
