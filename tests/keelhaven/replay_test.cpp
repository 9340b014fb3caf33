// A session recorded through the real event path plays back exactly:
// the same frames, the same state digest, however the replay's own clock
// runs, and without touching the player's saves.
#include "engine/journal.h"
#include "engine/journal_taps.h"
#include "keelhaven/keelhaven.h"
#include "keelhaven/replay_session.h"
#include "support/save_folder.h"
#include "testing.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

namespace fs = std::filesystem;
using platform::testing::keyDown;
using platform::testing::keyUp;

namespace {

void tap(UCHAR vk)
{
    keyDown(vk);
    keyUp(vk);
}

// Plays a session on the stepped clock, a frame each 1/60 s, with keys sent
// as a keyboard sends them: a level, sailing and firing, the pause screen,
// a save and a load from the console, the shop, and a game over with a name.
class ScriptedSession : public Keelhaven {
public:
    void run(HWND hwnd) override
    {
        ++frame;
        // One character a frame from `typing`: ` is the console key, | is
        // Enter, anything else typed text.
        if (!typing.empty() && frame >= typeFrom) {
            const char c = typing.front();
            typing.erase(0, 1);
            if (c == '`' || c == '|')
                tap(c == '`' ? VK_OEM_3 : VK_RETURN);
            else
                platform::testing::typeText(std::string(1, c));
        }
        auto type = [this](const char* keys) {
            typing = keys;
            typeFrom = frame;
        };
        switch (frame) {
        case 10: type("`LEVEL1|`"); break;
        case 30: keyDown(VK_RIGHT); break;
        case 90: keyUp(VK_RIGHT); break;
        case 100:
        case 200: tap(VK_SPACE); break;
        case 220: tap('P'); break;
        case 240: type("`save|`"); break;
        case 260: type("`load|`"); break;
        case 300: type("`UPGRADESCREEN|`"); break;
        case 340: type("`GAMEOVER|`"); break;
        case 380: type("ABC|"); break;
        case 420: exitGame(); break;
        default: break;
        }
        platform::testing::advanceClock(1.0 / 60);
        Keelhaven::run(hwnd);
    }

private:
    int frame = 0;
    std::string typing;
    int typeFrom = 0;
};

class Replay : public ::testing::Test {
protected:
    void SetUp() override { platform::testing::useFakeClock(true); }
    void TearDown() override
    {
        platform::testing::useFakeClock(false);
        std::error_code ec;
        fs::remove(recording, ec);
    }
    std::optional<JournalEnd> record()
    {
        std::optional<JournalEnd> ended;
        EXPECT_EQ(playRecording(recording.string(), [] { return std::make_unique<ScriptedSession>(); }, ended), 0);
        return ended;
    }
    std::optional<JournalEnd> replay(int expectedCode = 0)
    {
        std::optional<JournalEnd> ended;
        EXPECT_EQ(playReplay(recording.string(), true, ended), expectedCode);
        return ended;
    }
    std::string bytes() { return testsupport::readFile(recording); }
    void write(const std::string& text) { testsupport::writeFile(recording, text); }

    testsupport::SaveFolder saves;
    fs::path recording = saves.path().parent_path() / (saves.path().filename().string() + ".khreplay");
};

}  // namespace

TEST_F(Replay, AScriptedSessionPlaysBackToTheSameDigestTwiceWhateverTheClockDoes)
{
    const std::optional<JournalEnd> recorded = record();
    ASSERT_TRUE(recorded);
    EXPECT_EQ(recorded->frames, 420u);
    ASSERT_TRUE(fs::exists(saves.file("StateSave.txt"))) << "the session saved";
    // The player's table has moved on since: the replay must not see it.
    testsupport::writeFile(saves.file("HighScores.txt"), "9999\nZZZ\n");
    const auto playersFiles = testsupport::folderContents(saves.path());

    const std::optional<JournalEnd> first = replay();
    ASSERT_TRUE(first);
    EXPECT_EQ(first->frames, recorded->frames);
    EXPECT_EQ(first->digest, recorded->digest);

    // The replay's own clock now is the real one, running at whatever speed
    // the machine has: the recorded times are what the game sees.
    platform::testing::useFakeClock(false);
    const std::optional<JournalEnd> second = replay();
    ASSERT_TRUE(second);
    EXPECT_EQ(second->digest, recorded->digest);
    EXPECT_EQ(testsupport::folderContents(saves.path()), playersFiles) << "a replay never writes the player's saves";
}

TEST_F(Replay, TheDigestSeesWhatThePlayerDid)
{
    const std::optional<JournalEnd> recorded = record();
    ASSERT_TRUE(recorded);
    // The same recording with the last frames cut off: the game over's name
    // was never typed, so it ends elsewhere.
    Journal journal;
    std::string error;
    ASSERT_TRUE(readJournal(bytes(), journal, error)) << error;
    std::string cut = journalHeaderBytes(journal.header);
    for (size_t i = 0; i < journal.reads.size() / 2; ++i)
        appendJournalRead(cut, journal.reads[i]);
    write(cut);
    const std::optional<JournalEnd> half = replay();
    ASSERT_TRUE(half) << "a recording cut off between records plays as far as it goes";
    EXPECT_LT(half->frames, recorded->frames);
    EXPECT_NE(half->digest, recorded->digest);
}

TEST_F(Replay, DamagedForeignAndOtherVersionRecordingsAreRefused)
{
    ASSERT_TRUE(record());
    const std::string whole = bytes();
    Journal journal;
    std::string error;
    ASSERT_TRUE(readJournal(whole, journal, error)) << error;

    JournalHeader otherVersion = journal.header;
    otherVersion.gameVersion = "0.0-elsewhere";
    JournalHeader otherLevels = journal.header;
    otherLevels.levelsChecksum ^= 1;
    JournalHeader strangeFile = journal.header;
    strangeFile.savedFiles.emplace_back("../../.bashrc", "echo hi");
    std::string newerFormat = whole;
    newerFormat[8] = 9;
    const std::string withEnd = whole.substr(journalHeaderBytes(journal.header).size());
    for (const std::string& bad : {std::string(), std::string("not a recording at all"),
                                   whole.substr(0, whole.size() - 3), whole + "x", newerFormat,
                                   journalHeaderBytes(otherVersion) + withEnd,
                                   journalHeaderBytes(otherLevels) + withEnd,
                                   journalHeaderBytes(strangeFile) + withEnd}) {
        write(bad);
        EXPECT_FALSE(replay(1)) << bad.size() << " bytes";
    }
    EXPECT_FALSE(fs::exists(saves.path().parent_path() / ".bashrc"));
}

TEST(RecordingFile, EveryKindOfReadSurvivesTheFile)
{
    Journal journal;
    journal.header = {"9.9", 0x0123456789abcdefULL, {{"HighScores.txt", "1000\nDUS\n"}}};
    JournalRead key;
    key.kind = JournalRead::Kind::Message;
    key.got = true;
    key.message = WM_KEYDOWN;
    key.wParam = VK_SPACE;
    key.lParam = -5;
    key.toWindow = true;
    JournalRead empty;
    JournalRead raw;
    raw.kind = JournalRead::Kind::Raw;
    raw.raw.data.mouse.lLastX = -7;
    raw.raw.data.mouse.lLastY = 9;
    raw.raw.data.mouse.usButtonFlags = 3;
    raw.result = sizeof(RAWINPUT);
    JournalRead pad;
    pad.kind = JournalRead::Kind::Pad;
    pad.user = 3;
    pad.result = ERROR_SUCCESS;
    pad.pad.dwPacketNumber = 77;
    pad.pad.Gamepad = {XINPUT_GAMEPAD_A, 12, 250, -32768, 32767, -1, 1};
    JournalRead clock;
    clock.kind = JournalRead::Kind::Clock;
    clock.value = -(1LL << 40);
    std::string bytes = journalHeaderBytes(journal.header);
    for (const JournalRead& r : {key, empty, raw, pad, clock})
        appendJournalRead(bytes, r);
    appendJournalEnd(bytes, {5, 0xfeedULL});

    Journal back;
    std::string error;
    ASSERT_TRUE(readJournal(bytes, back, error)) << error;
    EXPECT_EQ(back.header.gameVersion, "9.9");
    EXPECT_EQ(back.header.levelsChecksum, 0x0123456789abcdefULL);
    EXPECT_EQ(back.header.savedFiles, journal.header.savedFiles);
    ASSERT_EQ(back.reads.size(), 5u);
    EXPECT_TRUE(back.reads[0].got && back.reads[0].toWindow);
    EXPECT_EQ(back.reads[0].lParam, -5);
    EXPECT_FALSE(back.reads[1].got);
    EXPECT_EQ(back.reads[2].raw.data.mouse.lLastX, -7);
    EXPECT_EQ(back.reads[2].raw.data.mouse.usButtonFlags, 3);
    EXPECT_EQ(back.reads[3].user, 3u);
    EXPECT_EQ(back.reads[3].pad.Gamepad.sThumbLX, -32768);
    EXPECT_EQ(back.reads[3].pad.Gamepad.bRightTrigger, 250);
    EXPECT_EQ(back.reads[4].value, -(1LL << 40));
    ASSERT_TRUE(back.end);
    EXPECT_EQ(back.end->digest, 0xfeedULL);

    // Cut anywhere inside the last record, or anywhere in the header: refused.
    for (size_t keep = 0; keep < bytes.size(); ++keep) {
        if (readJournal(bytes.substr(0, keep), back, error)) {
            EXPECT_GE(keep, journalHeaderBytes(journal.header).size()) << keep;
        }
    }
}

TEST(ReplayWatcher, EscapeLeavesFullScreenAndTheGameNeverSeesIt)
{
    Journal journal;
    JournalRead space;
    space.got = true;
    space.message = WM_KEYDOWN;
    space.wParam = VK_SPACE;
    journal.reads = {space, JournalRead{}};
    JournalPlayer player(journal, nullptr, true);
    int escapes = 0;
    player.liveEscape = [&escapes] { ++escapes; };

    MSG live{};
    live.message = WM_KEYDOWN;
    live.wParam = VK_ESCAPE;
    ASSERT_TRUE(player.message(live, true));
    EXPECT_EQ(escapes, 1);
    EXPECT_EQ(live.wParam, static_cast<WPARAM>(VK_SPACE)) << "the game gets the recorded key, not the live one";
    MSG none{};
    EXPECT_FALSE(player.message(none, false));
    EXPECT_FALSE(player.diverged());
}
