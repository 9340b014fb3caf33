// Audio over the engine, with SDL's silent audio driver: the game's banks,
// how music and effects play and stop, and every way initialize can fail.
#include "audio_access.h"
#include "audio_output.h"
#include "bank_reader.h"
#include "engine/audio.h"
#include "engine/bank_contents.h"
#include "files.h"
#include "test_waves.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <fstream>
#include <memory>
#include <set>
#include <thread>

#include <sys/stat.h>

namespace {

const HRESULT kMediaFileNotFound = HRESULT_FROM_WIN32(ERROR_FILE_NOT_FOUND);

const char* const kMusicCues[] = {"BALLAD3", "KEELHAVENDARKTHEME", "ENDINGCREDITS", "CRYSTALCAVERN"};
const char* const kEffectCues[] = {"SHIPEXPLOSION", "CANNONALTERED1", "COIN2", "BOOKTURN"};

// Copies playing as the game sees them: music's from the engine's cue, an
// effect's from its voices.
int instances(Audio& audio, const char* cue) { return audio.playingInstances(cue); }

bool bankInUse(const Audio& audio)
{
    std::uint32_t state = 0;
    FACTSoundBank_GetState(AudioTestAccess::soundBank(audio), &state);
    return (state & FACT_STATE_INUSE) != 0;
}

// Lets the engine (and SDL's silent mixer, which keeps real time) run on.
void runFor(Audio& audio, double seconds)
{
    const auto until = std::chrono::steady_clock::now() + std::chrono::duration<double>(seconds);
    while (std::chrono::steady_clock::now() < until) {
        audio.run();
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
}

void writeText(const std::filesystem::path& path, const std::string& text)
{
    std::ofstream(path, std::ios::binary) << text;
}

void writeFirstBytes(const std::string& from, const std::filesystem::path& to, std::size_t count)
{
    auto bytes = readBytes(from);
    bytes.resize(std::min(count, bytes.size()));
    std::ofstream out(to, std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

// Banks of two short test cues, built by the bank builder for each test.
class TestBanks : public ::testing::Test {
protected:
    void SetUp() override
    {
        const TestBankPaths paths = writeTestBanks(folder);
        owned = std::make_unique<Audio>(paths.waveBank, paths.soundBank);
        ASSERT_EQ(owned->initialize(), S_OK);
    }
    static constexpr double kLoopSeconds = kLoopToneFrames / 22050.0;
    static constexpr double kBlipSeconds = kBlipFrames / 22050.0;
    TempFolder folder{"engine"};
    std::unique_ptr<Audio> owned;
    Audio& audio() { return *owned; }
};

}  // namespace

TEST(GameBanks, LoadAndEveryCueResolvesAndPlays)
{
    Audio audio;
    ASSERT_EQ(audio.initialize(), S_OK);
    ASSERT_NE(AudioTestAccess::waveBank(audio), nullptr);
    ASSERT_NE(AudioTestAccess::soundBank(audio), nullptr);
    EXPECT_TRUE(audio.getSoundOn());

    for (const char* cue : kMusicCues) {
        EXPECT_EQ(AudioTestAccess::effectOf(audio, cue), AudioTestAccess::kNoEffect) << cue << " is the engine's";
        audio.playCue(cue);
        EXPECT_EQ(instances(audio, cue), 1) << cue;
        audio.stopCue(cue);
        EXPECT_EQ(instances(audio, cue), 0) << cue;
    }
    for (const char* cue : kEffectCues) {
        EXPECT_NE(AudioTestAccess::effectOf(audio, cue), AudioTestAccess::kNoEffect) << cue << " plays on its voices";
        audio.playCue(cue);
        EXPECT_EQ(instances(audio, cue), 1) << cue;
    }
    runFor(audio, 0.1);
    for (const char* cue : kEffectCues) {
        audio.stopCue(cue);
        EXPECT_EQ(instances(audio, cue), 0) << cue;
    }
    EXPECT_FALSE(bankInUse(audio));
}

// The committed banks, read section by section: the right cues, music looping
// with one instance, effects playing once, every offset where it belongs.
TEST(GameBanks, HoldTheGamesCuesInAWellFormedLayout)
{
    const BankReport waves = readWaveBank(readBytes(platform::resolvePath("pictures\\Audio\\Win\\wavebank.xwb")));
    for (const auto& p : waves.problems)
        ADD_FAILURE() << "wave bank: " << p;
    const BankReport sounds =
        readSoundBank(readBytes(platform::resolvePath("pictures\\Audio\\Win\\soundbank.xsb")), waves);
    for (const auto& p : sounds.problems)
        ADD_FAILURE() << "sound bank: " << p;

    std::set<std::string> music, effects;
    for (const auto& cue : sounds.cues) {
        (cue.music ? music : effects).insert(cue.name);
        if (cue.music) {
            EXPECT_EQ(cue.maxInstances, 1) << cue.name;
            ASSERT_LT(cue.wave, waves.waves.size());
            EXPECT_GE(waves.waves[cue.wave].frames, 45u * waves.waves[cue.wave].sampleRate) << cue.name;
        }
    }
    EXPECT_EQ(music, std::set<std::string>(std::begin(kMusicCues), std::end(kMusicCues)));
    EXPECT_EQ(effects, std::set<std::string>(std::begin(kEffectCues), std::end(kEffectCues)));
}

TEST_F(TestBanks, MusicKeepsLoopingPastItsWaveAndStopsAtOnce)
{
    audio().playCue("LOOPTONE");
    runFor(audio(), 3 * kLoopSeconds);
    EXPECT_EQ(instances(audio(), "LOOPTONE"), 1);
    audio().stopCue("LOOPTONE");
    EXPECT_EQ(instances(audio(), "LOOPTONE"), 0);
    EXPECT_FALSE(bankInUse(audio()));
}

// The control for the test above: a cue that does not loop really does end
// once its wave has played, so the mixer is running in real time.
TEST_F(TestBanks, AnEffectEndsByItself)
{
    audio().playCue("BLIP");
    EXPECT_EQ(instances(audio(), "BLIP"), 1);
    runFor(audio(), kBlipSeconds + 0.5);
    EXPECT_EQ(instances(audio(), "BLIP"), 0);
}

TEST_F(TestBanks, AnEffectPlayedTwiceQuicklyOverlapsItself)
{
    audio().playCue("BLIP");
    audio().playCue("BLIP");
    EXPECT_EQ(instances(audio(), "BLIP"), 2);
    audio().stopCue("BLIP");
    EXPECT_EQ(instances(audio(), "BLIP"), 0);
}

TEST_F(TestBanks, PlayingMusicAgainLeavesTheRunningCopyUndisturbed)
{
    FACTSoundBank* bank = AudioTestAccess::soundBank(audio());
    FACTCue* first = nullptr;
    FACTSoundBank_Play(bank, FACTSoundBank_GetCueIndex(bank, "LOOPTONE"), 0, 0, &first);
    ASSERT_NE(first, nullptr);
    runFor(audio(), 0.05);

    audio().playCue("LOOPTONE");
    runFor(audio(), 0.05);
    std::uint32_t state = 0;
    FACTCue_GetState(first, &state);
    EXPECT_TRUE(state & FACT_STATE_PLAYING);
    EXPECT_FALSE(state & (FACT_STATE_STOPPING | FACT_STATE_STOPPED));
    EXPECT_EQ(instances(audio(), "LOOPTONE"), 1);

    audio().stopCue("LOOPTONE");
    FACTCue_GetState(first, &state);
    EXPECT_TRUE(state & FACT_STATE_STOPPED);
    FACTCue_Destroy(first);
}

TEST_F(TestBanks, AnUnknownNameDoesNothing)
{
    audio().playCue("NOSUCHCUE");
    audio().playCue("looptone");  // names are matched exactly
    audio().playCue("");
    audio().stopCue("NOSUCHCUE");
    runFor(audio(), 0.02);
    EXPECT_FALSE(bankInUse(audio()));
    EXPECT_EQ(instances(audio(), "LOOPTONE"), 0);
}

TEST(AudioWithoutBanks, CallsBeforeInitializeDoNothing)
{
    Audio audio;
    audio.playCue("BALLAD3");
    audio.stopCue("BALLAD3");
    audio.run();
    audio.setSoundOn(false);
    EXPECT_FALSE(audio.getSoundOn());
}

// The player's volumes reach the engine's Music and Default categories once
// there is an engine; chosen before it starts, they wait for it.
TEST_F(TestBanks, VolumesGoToTheMusicAndEffectsCategories)
{
    EXPECT_TRUE(audio().setMusicVolume(40));
    EXPECT_TRUE(audio().setEffectsVolume(0));
    EXPECT_EQ(audio().getMusicVolume(), 40);
    EXPECT_TRUE(audio().setMusicVolume(250));
    EXPECT_EQ(audio().getMusicVolume(), 100) << "kept within 0 to 100";
    audio().playCue("LOOPTONE");
    runFor(audio(), 0.02);
    EXPECT_EQ(instances(audio(), "LOOPTONE"), 1) << "a silent category still plays its cues";

    Audio later;
    EXPECT_FALSE(later.setEffectsVolume(-5)) << "no engine yet";
    EXPECT_EQ(later.getEffectsVolume(), 0);
}

TEST(AudioFiles, MissingOrCorruptBanksAreMediaFileProblems)
{
    const TempFolder folder("files");
    const TestBankPaths good = writeTestBanks(folder);
    const std::string missing = (folder / "missing.bin").string();
    writeText(folder / "garbage.bin", "this is not a bank of any kind, just some text of a reasonable length......"
                                      "..................................................................");
    writeText(folder / "empty.bin", "");
    writeFirstBytes(good.waveBank, folder / "short.xwb", 100);
    writeFirstBytes(good.waveBank, folder / "cut.xwb", readBytes(good.waveBank).size() - 10);
    writeFirstBytes(good.soundBank, folder / "cut.xsb", readBytes(good.soundBank).size() / 2);
    auto badTool = readBytes(good.soundBank);
    badTool[6] = 42;  // a tool version the engine refuses
    std::ofstream(folder / "tool.xsb", std::ios::binary)
        .write(reinterpret_cast<const char*>(badTool.data()), static_cast<std::streamsize>(badTool.size()));
    std::filesystem::create_directory(folder / "folder.xwb");
    ASSERT_EQ(mkfifo((folder / "pipe.xsb").c_str(), 0600), 0);  // opening it to read would wait for a writer

    struct Case {
        const char* what;
        std::string waveBank;
        std::string soundBank;
    };
    const std::string garbage = (folder / "garbage.bin").string(), empty = (folder / "empty.bin").string();
    const Case cases[] = {
        {"missing wave bank", missing, good.soundBank},
        {"garbage wave bank", garbage, good.soundBank},
        {"empty wave bank", empty, good.soundBank},
        {"wave bank cut inside its header", (folder / "short.xwb").string(), good.soundBank},
        {"wave bank cut inside its wave data", (folder / "cut.xwb").string(), good.soundBank},
        {"wave bank given as the sound bank", good.waveBank, good.waveBank},
        {"missing sound bank", good.waveBank, missing},
        {"garbage sound bank", good.waveBank, garbage},
        {"empty sound bank", good.waveBank, empty},
        {"sound bank cut in half", good.waveBank, (folder / "cut.xsb").string()},
        {"sound bank the engine refuses", good.waveBank, (folder / "tool.xsb").string()},
        {"wave bank that is a folder", (folder / "folder.xwb").string(), good.soundBank},
        {"sound bank that is a pipe", good.waveBank, (folder / "pipe.xsb").string()},
    };
    for (const Case& c : cases) {
        Audio audio(c.waveBank, c.soundBank);
        EXPECT_EQ(audio.initialize(), kMediaFileNotFound) << c.what;
        EXPECT_EQ(AudioTestAccess::soundBank(audio), nullptr) << c.what;
        audio.playCue("BLIP");  // and nothing breaks afterwards
        audio.run();
    }
    for (const char* odd : {"folder.xwb", "pipe.xsb"}) {
        const bool wave = std::string(odd).ends_with(".xwb");
        Audio audio(wave ? (folder / odd).string() : good.waveBank, wave ? good.soundBank : (folder / odd).string());
        testing::internal::CaptureStderr();
        EXPECT_EQ(audio.initialize(), kMediaFileNotFound) << odd;
        const std::string said = testing::internal::GetCapturedStderr();
        EXPECT_NE(said.find(std::string(odd) + " is refused: not a plain file"), std::string::npos) << said;
    }
}

TEST(AudioFiles, AMissingSoundBankFailsEvenThoughTheWaveBankLoaded)
{
    const TempFolder folder("no-sound-bank");
    const TestBankPaths good = writeTestBanks(folder);
    Audio audio(good.waveBank, good.soundBank + ".gone");
    EXPECT_EQ(audio.initialize(), kMediaFileNotFound);
    EXPECT_NE(AudioTestAccess::waveBank(audio), nullptr);
    EXPECT_EQ(AudioTestAccess::soundBank(audio), nullptr);
}

// With no usable sound output the engine starts on SDL's silent driver.
// This switches the whole test program to that driver, which it uses anyway.
TEST(AudioOutput, NoUsableOutputFallsBackToSilence)
{
    const char* before = std::getenv("SDL_AUDIODRIVER");
    const std::string saved = before ? before : "";
    setenv("SDL_AUDIODRIVER", "no-such-driver", 1);
    const TempFolder folder("fallback");
    const TestBankPaths good = writeTestBanks(folder);
    {
        Audio audio(good.waveBank, good.soundBank);
        EXPECT_EQ(audio.initialize(), S_OK);
        EXPECT_STREQ(platform::currentAudioDriver(), "dummy");
        audio.playCue("BLIP");
        EXPECT_EQ(instances(audio, "BLIP"), 1);
    }
    if (before)
        setenv("SDL_AUDIODRIVER", saved.c_str(), 1);
    else
        unsetenv("SDL_AUDIODRIVER");
}

// An MS-ADPCM block opens with one predictor byte per channel, which the
// engine uses to look up a coefficient pair without checking it. A wave with
// a bad one anywhere is never played; the bank still loads and every other
// cue plays.
TEST(AudioFiles, AWaveWithADamagedBlockIsNotPlayed)
{
    for (const char* damaged : {"BLIP", "LOOPTONE"}) {
        const TempFolder folder("damaged-wave");
        const TestBankPaths paths = writeTestBanks(folder);
        auto waveBank = readBytes(paths.waveBank);
        const auto soundBank = readBytes(paths.soundBank);
        const auto waves = readBankWaves(waveBank.data(), waveBank.size());
        for (const BankSound& sound : readBankSounds(soundBank.data(), soundBank.size()))
            if (sound.name == damaged) {
                const BankWave& wave = waves.at(sound.wave);
                ASSERT_TRUE(wave.adpcm);
                ASSERT_GE(wave.bytes / wave.blockAlign, 3u);
                waveBank.at(wave.offset + 2 * wave.blockAlign) = 7;  // the third block's
            }
        writeBytes(paths.waveBank, waveBank);

        Audio audio(paths.waveBank, paths.soundBank);
        ASSERT_EQ(audio.initialize(), S_OK) << damaged;
        const char* intact = std::string(damaged) == "BLIP" ? "LOOPTONE" : "BLIP";
        testing::internal::CaptureStderr();
        audio.playCue(damaged);
        audio.playCue(damaged);
        const std::string said = testing::internal::GetCapturedStderr();
        EXPECT_EQ(instances(audio, damaged), 0);
        const std::string line = std::string("the sound \"") + damaged + "\" is not played";
        EXPECT_NE(said.find(line), std::string::npos) << said;
        EXPECT_EQ(said.find(line), said.rfind(line)) << "named once: " << said;
        audio.playCue(intact);
        EXPECT_EQ(instances(audio, intact), 1) << intact;
        audio.run();
    }
}
