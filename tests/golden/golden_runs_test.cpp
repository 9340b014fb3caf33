// The golden runs: the bot's win of every level, recorded through the real
// event path (tools/golden/make_golden_runs.sh). Each is replayed and must
// still win its level and end on the digest it was recorded with. A change
// to the rules that alters play fails here; making the runs again is how
// such a change is accepted.
#include "keelhaven/demo_timeline.h"
#include "keelhaven/keelhaven.h"
#include "keelhaven/replay_session.h"
#include "support/save_folder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

namespace fs = std::filesystem;

namespace {

// Notes whether the level was won the way the run's name says.
class WinWatcher : public Keelhaven {
public:
    explicit WinWatcher(bool secondExit) : secondExit(secondExit) {}
    void run(HWND hwnd) override
    {
        Keelhaven::run(hwnd);
        if (secondExit ? findState("LEVEL31")->getActive()
                       : findState("UPGRADESCREEN")->getActive() || findState("COMPLETE")->getActive())
            won = true;
    }
    static inline bool won = false;

private:
    bool secondExit;
};

std::vector<std::string> goldenRuns()
{
    std::vector<std::string> names;
    std::error_code ec;
    for (const auto& entry : fs::directory_iterator(KEELHAVEN_GOLDEN_RUNS, ec))
        if (entry.path().extension() == ".khreplay")
            names.push_back(entry.path().stem().string());
    std::sort(names.begin(), names.end());
    return names;
}

class GoldenRun : public ::testing::TestWithParam<std::string> {};

}  // namespace

TEST(GoldenRuns, EveryLevelAndLevelTwentyEightsSecondExitHasOne)
{
    const std::vector<std::string> runs = goldenRuns();
    EXPECT_EQ(runs.size(), 32u);
    EXPECT_NE(std::find(runs.begin(), runs.end(), "level28-second-exit"), runs.end());
}

TEST_P(GoldenRun, StillWinsOnTheSameDigest)
{
    testsupport::SaveFolder saves;
    const std::string path = (fs::path(KEELHAVEN_GOLDEN_RUNS) / (GetParam() + ".khreplay")).string();
    WinWatcher::won = false;
    std::optional<JournalEnd> ended;
    const bool secondExit = GetParam().find("second-exit") != std::string::npos;
    const int code = playReplay(path, true, [secondExit] { return std::make_unique<WinWatcher>(secondExit); }, ended);
    const char* accept = "; if the rules were meant to change, tools/golden/make_golden_runs.sh makes the runs again";
    EXPECT_EQ(code, 0) << "the replay did not end as it was recorded" << accept;
    EXPECT_TRUE(ended);
    EXPECT_TRUE(WinWatcher::won) << GetParam() << " no longer wins its level" << accept;
    EXPECT_EQ(saves.listing(), "") << "a replay writes nothing in the player's save folder";
}

TEST(TitleDemos, AreGoldenRunsOfThisGame)
{
    // Each demo is a copy of a golden run, so the golden runs' test keeps
    // it playing as it was recorded.
    int demos = 0;
    for (const auto& entry : fs::directory_iterator(KEELHAVEN_DEMOS)) {
        ++demos;
        const fs::path golden = fs::path(KEELHAVEN_GOLDEN_RUNS) / entry.path().filename();
        ASSERT_TRUE(fs::exists(golden)) << entry.path();
        EXPECT_EQ(testsupport::readFile(entry.path()), testsupport::readFile(golden))
            << entry.path().filename() << ": tools/golden/make_golden_runs.sh copies the demos";
        Journal journal;
        std::string error;
        ASSERT_TRUE(loadRecording(entry.path().string(), journal, error)) << error;
        DemoTimeline timeline;
        EXPECT_TRUE(demoTimelineFromJournal(journal, timeline, error)) << entry.path() << ": " << error;
    }
    EXPECT_GE(demos, 1);
}

INSTANTIATE_TEST_SUITE_P(Recorded, GoldenRun, ::testing::ValuesIn(goldenRuns()),
                         [](const ::testing::TestParamInfo<std::string>& info) {
                             std::string name = info.param;
                             std::replace(name.begin(), name.end(), '-', '_');
                             return name;
                         });
