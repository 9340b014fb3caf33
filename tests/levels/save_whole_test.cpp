// A saved game is two files, and stays whole across them: killed at any
// moment, or with any write or rename failing, the next load gives the old
// game or the new one, never a refusal or a mix. And what a load reads is
// bounded: only plain files, only so much of them.
#include "level_fixture.h"

#include "support/save_folder.h"

#include "keelhaven/high_scores.h"
#include "keelhaven/state_file.h"

#include <chrono>
#include <csignal>
#include <cstdlib>
#include <fstream>
#include <random>
#include <thread>

#include <fcntl.h>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

using testsupport::readFile;
using testsupport::writeFile;

namespace {

// Two saved games that differ in every way a mix would show: the level, the
// record's length, the gold and the next level.
struct SavedVoyage {
    int level;
    int gold;
    int next;
};
constexpr SavedVoyage FIRST{1, 1111, 2};
constexpr SavedVoyage SECOND{21, 2222, 22};

const char* const READY_MARK = "saver-ready";

// This test program again, running one test that the suite itself skips.
pid_t spawnSelf(const std::string& test)
{
    const std::string filter = "--gtest_filter=" + test;
    char* argv[] = {const_cast<char*>("/proc/self/exe"), const_cast<char*>(filter.c_str()),
                    const_cast<char*>("--gtest_also_run_disabled_tests"), nullptr};
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
    pid_t pid = -1;
    if (posix_spawn(&pid, "/proc/self/exe", &actions, nullptr, argv, environ) != 0)
        pid = -1;
    posix_spawn_file_actions_destroy(&actions);
    return pid;
}

int waitFor(pid_t pid)
{
    int status = 0;
    waitpid(pid, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

}  // namespace

// Saving and loading the two games, in whatever save folder is in use.
class SaveGames : public LevelFixture {
protected:
    void TearDown() override
    {
        platform::testing::failFileWritesAfter(-1);
        platform::testing::failFileRenameNumber(0);
        platform::testing::failFileRenames(false);
        LevelFixture::TearDown();
    }
    void setUpBoth()
    {
        enter(FIRST.level);
        step();
        game->switchState("LEVEL21", "LEVEL1");
        step();
    }
    bool save(const SavedVoyage& v, std::string* why = nullptr)
    {
        game->pausedStateName = "LEVEL" + std::to_string(v.level);
        game->nextLevel = v.next;
        ship().setGold(v.gold);
        return game->saveGame(why);
    }
    // Which of the two games a load gives; fails the test on a refusal or a mix.
    const SavedVoyage* loaded()
    {
        ship().setGold(-1);
        std::string why;
        if (!game->loadGame(&why)) {
            ADD_FAILURE() << "the saved game was refused: " << why;
            return nullptr;
        }
        for (const SavedVoyage* v : {&FIRST, &SECOND})
            if (active(("LEVEL" + std::to_string(v->level)).c_str())) {
                EXPECT_EQ(ship().getGold(), v->gold) << "a mix of two saves";
                EXPECT_EQ(game->nextLevel, v->next) << "a mix of two saves";
                return v;
            }
        ADD_FAILURE() << "neither level was loaded";
        return nullptr;
    }
    static std::filesystem::path folder() { return std::getenv("KEELHAVEN_SAVE_DIR"); }
    static std::vector<std::string> leftovers()
    {
        std::vector<std::string> names;
        for (const auto& entry : std::filesystem::directory_iterator(folder())) {
            const std::string name = entry.path().filename().string();
            if (name.find(".tmp") != std::string::npos || name.find(".next") != std::string::npos)
                names.push_back(name);
        }
        return names;
    }
};

// A save folder of the test's own, made before the game object.
class SaveWhole : public SaveGames {
protected:
    testsupport::SaveFolder saves;
};

TEST_F(SaveWhole, AFailedWriteOrRenameAtAnyStepKeepsThePreviousGameWhole)
{
    setUpBoth();
    ASSERT_TRUE(save(FIRST));
    // Every write failing at every length, then each rename in turn.
    for (long long bytes = 0; bytes < 700; bytes += 7) {
        platform::testing::failFileWritesAfter(bytes);
        const bool saved = save(SECOND);
        platform::testing::failFileWritesAfter(-1);
        EXPECT_EQ(loaded(), saved ? &SECOND : &FIRST) << "writes fail after " << bytes << " bytes";
        ASSERT_TRUE(save(FIRST));
    }
    for (int rename = 1; rename <= 4; ++rename) {
        platform::testing::failFileRenameNumber(rename);
        std::string why;
        const bool saved = save(SECOND, &why);
        platform::testing::failFileRenameNumber(0);
        const SavedVoyage* after = loaded();
        EXPECT_EQ(after, saved ? &SECOND : &FIRST) << "rename " << rename << " fails: " << why;
        ASSERT_TRUE(save(FIRST)) << "the next save finishes or clears what was left";
        EXPECT_TRUE(leftovers().empty()) << leftovers().front();
        EXPECT_EQ(loaded(), &FIRST);
    }
}

// A save stopped after its state file was written but before its record
// took its usual name is the new game; the next start finishes it.
TEST_F(SaveWhole, ASaveStoppedAtItsLastStepIsFinishedByTheNextStart)
{
    setUpBoth();
    ASSERT_TRUE(save(FIRST));
    platform::testing::failFileRenameNumber(3);  // the record's move into place
    ASSERT_TRUE(save(SECOND)) << "the save is made once the state file names its record";
    platform::testing::failFileRenameNumber(0);
    EXPECT_TRUE(std::filesystem::exists(saves.file("KeelhavenSave.txt.next")));
    EXPECT_EQ(loaded(), &SECOND);

    writeFile(saves.file("StateSave.txt.tmp999999-0"), "half a file");
    Keelhaven next;  // a start tidies the folder
    EXPECT_TRUE(leftovers().empty()) << leftovers().front();
    EXPECT_EQ(loaded(), &SECOND);
}

TEST_F(SaveWhole, ASaveFromAnEarlierVersionStillLoads)
{
    setUpBoth();
    ASSERT_TRUE(save(SECOND));
    const std::string state = readFile(saves.file("StateSave.txt"));
    writeFile(saves.file("StateSave.txt"), state.substr(0, state.find('\n', state.find('\n') + 1)));
    EXPECT_EQ(loaded(), &SECOND);

    // A record that is not the one the state file was written with.
    ASSERT_TRUE(save(SECOND));
    std::string record = readFile(saves.file("KeelhavenSave.txt"));
    record[record.find("2222")] = '3';
    writeFile(saves.file("KeelhavenSave.txt"), record);
    std::string why;
    EXPECT_FALSE(game->loadGame(&why));
    EXPECT_NE(why.find("not the record"), std::string::npos) << why;
}

TEST_F(SaveWhole, OnlyPlainFilesOfAFewKilobytesAreRead)
{
    setUpBoth();
    ASSERT_TRUE(save(FIRST));
    const std::string state = saves.file("StateSave.txt").string();
    const std::string record = saves.file("KeelhavenSave.txt").string();
    auto refusal = [&] {
        std::string why;
        EXPECT_FALSE(game->loadGame(&why));
        return why;
    };

    std::filesystem::remove(record);
    ASSERT_EQ(mkfifo(record.c_str(), 0600), 0);
    EXPECT_NE(refusal().find("not a plain file"), std::string::npos) << "a pipe never blocks the load";
    std::filesystem::remove(record);
    std::filesystem::create_directory(record);
    const std::string unreadable = refusal();
    EXPECT_NE(unreadable.find("cannot be read"), std::string::npos) << unreadable;
    EXPECT_EQ(unreadable.find("missing"), std::string::npos) << "unreadable, not missing";
    std::filesystem::remove(record);

    std::filesystem::remove(state);
    std::filesystem::create_symlink("/dev/zero", state);
    EXPECT_NE(refusal().find("not a plain file"), std::string::npos);
    std::filesystem::remove(state);
    writeFile(state, "LEVEL1\n2\n" + std::string(100 * 1024, ' '));
    EXPECT_NE(refusal().find("larger than 64 KiB"), std::string::npos);

    // The table: a huge file, a pipe and a link to an endless device are
    // set aside at start, never read to their end.
    const std::string table = saves.file("HighScores.txt").string();
    for (int kind = 0; kind < 3; ++kind) {
        std::filesystem::remove(table);
        if (kind == 0) {
            std::ofstream(table).close();
            std::filesystem::resize_file(table, 1ull << 30);  // sparse: nothing is written
        } else if (kind == 1) {
            ASSERT_EQ(mkfifo(table.c_str(), 0600), 0);
        } else {
            std::filesystem::create_symlink("/dev/zero", table);
        }
        Keelhaven next;
        EXPECT_EQ(next.highScores.front(), 1000) << kind << ": the default table, in memory";
    }
    std::filesystem::remove(table);
}

TEST_F(SaveWhole, ValuesPlayCannotMakeAreRefused)
{
    setUpBoth();
    ASSERT_TRUE(save(FIRST));
    const std::string state = readFile(saves.file("StateSave.txt"));
    const std::string record = readFile(saves.file("KeelhavenSave.txt"));
    std::vector<std::string> lines;
    for (size_t at = 0; at < record.size();) {
        const size_t end = record.find('\n', at);
        lines.push_back(record.substr(at, end - at));
        at = end + 1;
    }
    // Level 1: the ship's gold, x, y, health, lives, cannonballs, ...; then
    // each enemy's x, y, health, visible, active, frame, ...
    const struct {
        size_t line;
        const char* value;
        const char* said;
    } faults[] = {{0, "-5", "below nothing"},   {4, "-1", "below nothing"}, {5, "-2", "below nothing"},
                  {1, "5000", "off the map"},   {2, "-900", "off the map"}, {14, "200", "picture"},
                  {9, "9000", "off the map"}};
    for (const auto& f : faults) {
        std::vector<std::string> bad = lines;
        bad[f.line] = f.value;
        std::string text;
        for (const std::string& l : bad)
            text += l + "\n";
        writeFile(saves.file("KeelhavenSave.txt"), text);
        // The state file's check follows the record, as a tool editing both would.
        writeFile(saves.file("StateSave.txt"), stateFileText("LEVEL1", 2, recordCheckOf(text)));
        std::string why;
        ship().setGold(4242);
        EXPECT_FALSE(game->loadGame(&why)) << "line " << f.line + 1 << " = " << f.value;
        EXPECT_NE(why.find(f.said), std::string::npos) << why;
        EXPECT_EQ(ship().getGold(), 4242) << "nothing changes";
    }
    writeFile(saves.file("StateSave.txt"), state);
    writeFile(saves.file("KeelhavenSave.txt"), record);
    EXPECT_EQ(loaded(), &FIRST);
}

// Kills a process that writes in a loop (the two games in turn, or the
// table) at random moments, then checks with a fresh game started after
// each kill, which also tidies away what the killed write left.
class KilledWrites : public SaveWhole {
protected:
    void killRepeatedly(const char* writer, const char* checker)
    {
        const char* rounds = std::getenv("KEELHAVEN_SAVE_KILLS");
        const int kills = rounds != nullptr ? std::atoi(rounds) : 24;
        std::mt19937 random(20261210);
        std::uniform_int_distribution<int> delay(0, 40000);
        for (int k = 0; k < kills; ++k) {
            std::filesystem::remove(saves.file(READY_MARK));
            const pid_t pid = spawnSelf(std::string("SaveChild.DISABLED_") + writer);
            ASSERT_GT(pid, 0);
            for (int wait = 0; wait < 400 && !std::filesystem::exists(saves.file(READY_MARK)); ++wait)
                std::this_thread::sleep_for(std::chrono::milliseconds(25));
            ASSERT_TRUE(std::filesystem::exists(saves.file(READY_MARK))) << "the writer never started";
            std::this_thread::sleep_for(std::chrono::microseconds(delay(random)));
            kill(pid, SIGKILL);
            waitFor(pid);
            const pid_t check = spawnSelf(std::string("SaveChild.DISABLED_") + checker);
            ASSERT_GT(check, 0);
            EXPECT_EQ(waitFor(check), 0) << "after kill " << k;
        }
        EXPECT_TRUE(leftovers().empty()) << leftovers().front();
    }
};

TEST_F(KilledWrites, AKilledSaveNeverLosesTheGame)
{
    killRepeatedly("SavesTwoGamesInTurnUntilKilled", "LoadsOneOfTheTwoGamesWhole");
}

TEST_F(KilledWrites, AKilledTableWriteNeverDamagesTheTable)
{
    killRepeatedly("EntersScoresUntilKilled", "ReadsTheTableWhole");
}

TEST_F(SaveWhole, AFailedTableWriteLeavesTheTableAsItWas)
{
    ASSERT_TRUE(game->addHighScore(5000, "OLD"));
    const std::string before = readFile(saves.file("HighScores.txt"));
    for (long long bytes : {0LL, 10LL, 60LL}) {
        platform::testing::failFileWritesAfter(bytes);
        EXPECT_FALSE(game->addHighScore(6000 + static_cast<int>(bytes), "NEW"));
        platform::testing::failFileWritesAfter(-1);
        EXPECT_EQ(readFile(saves.file("HighScores.txt")), before);
    }
    platform::testing::failFileRenameNumber(1);
    EXPECT_FALSE(game->addHighScore(7000, "NEW"));
    platform::testing::failFileRenameNumber(0);
    EXPECT_EQ(readFile(saves.file("HighScores.txt")), before);
    EXPECT_TRUE(leftovers().empty()) << leftovers().front();
}

// The two halves of the kill test, each in a process of its own, on the
// save folder the test gives them.
class SaveChild : public SaveGames {};

TEST_F(SaveChild, DISABLED_SavesTwoGamesInTurnUntilKilled)
{
    setUpBoth();
    ASSERT_TRUE(save(FIRST));
    writeFile(folder() / READY_MARK, "");
    for (int i = 0;; ++i)
        save(i % 2 ? FIRST : SECOND);
}

TEST_F(SaveChild, DISABLED_EntersScoresUntilKilled)
{
    ASSERT_TRUE(game->addHighScore(1, "ABC"));
    writeFile(folder() / READY_MARK, "");
    for (int i = 2;; ++i)
        game->addHighScore(i, i % 2 ? "ODD" : "EVN");
}

TEST_F(SaveChild, DISABLED_ReadsTheTableWhole)
{
    Keelhaven next;  // tidies the folder as a start does
    std::ifstream in(folder() / "HighScores.txt", std::ios::binary);
    std::vector<int> scores;
    std::vector<std::string> names;
    EXPECT_TRUE(readHighScores(in, scores, names)) << "the table is whole";
    EXPECT_TRUE(leftovers().empty()) << leftovers().front();
}

TEST_F(SaveChild, DISABLED_LoadsOneOfTheTwoGamesWhole)
{
    setUpBoth();
    EXPECT_NE(loaded(), nullptr);
    EXPECT_TRUE(leftovers().empty()) << leftovers().front() << " was left by the killed save";
}
