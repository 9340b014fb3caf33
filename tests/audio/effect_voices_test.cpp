// Effects on voices kept for reuse, through Audio: copies overlap however
// many start at once, a stop ends them all, a finished copy's voice plays the
// next, a copy started again at once after a stop keeps playing, and the
// effects volume reaches every voice at the level the engine would set.
#include "audio_access.h"
#include "engine/audio.h"
#include "engine/effect_voices.h"
#include "test_waves.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cmath>
#include <thread>
#include <vector>

namespace {

void runFor(Audio& audio, double seconds)
{
    const auto until = std::chrono::steady_clock::now() + std::chrono::duration<double>(seconds);
    while (std::chrono::steady_clock::now() < until) {
        audio.run();
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
}

constexpr double kBlipSeconds = kBlipFrames / 22050.0;
constexpr double kLongDb = -6.0;

// The test banks' two cues, and a 4-second effect that outlives any burst
// of starts a test counts.
class EffectVoicesTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        const std::vector<banks::PcmWave> waves = {makeTone(300, 22050 * 4), makeTone(880, kBlipFrames),
                                                   makeTone(100, 512 * 11)};
        const std::vector<banks::BankCue> cues = {
            {"LONGFX", 0, false, kLongDb}, {"BLIP", 1, false, -6.0}, {"THEME", 2, true, 0.0}};
        const banks::BankFiles files = banks::writeBanks(cues, waves);
        const std::string wavePath = (folder / "wavebank.xwb").string(), soundPath = (folder / "soundbank.xsb").string();
        writeBytes(wavePath, files.waveBank);
        writeBytes(soundPath, files.soundBank);
        audio = std::make_unique<Audio>(wavePath, soundPath);
        ASSERT_EQ(audio->initialize(), S_OK);
        effects = AudioTestAccess::effects(*audio);
        ASSERT_NE(effects, nullptr);
    }
    std::size_t effect(const char* cue) const { return AudioTestAccess::effectOf(*audio, cue); }

    TempFolder folder{"effect-voices"};
    std::unique_ptr<Audio> audio;
    const EffectVoices* effects = nullptr;
};

}  // namespace

TEST_F(EffectVoicesTest, ABurstOfStartsOverlapsPastTheReadyVoicesAndOneStopEndsThemAll)
{
    ASSERT_NE(effect("LONGFX"), AudioTestAccess::kNoEffect);
    EXPECT_EQ(effect("THEME"), AudioTestAccess::kNoEffect) << "music stays the engine's";
    const std::size_t ready = effects->voices(effect("LONGFX"));
    EXPECT_GE(ready, 1u);

    const int burst = static_cast<int>(ready) + 8;
    for (int i = 0; i < burst; ++i)
        audio->playCue("LONGFX");
    EXPECT_EQ(audio->playingInstances("LONGFX"), burst) << "every start plays, ready voices or not";
    EXPECT_EQ(effects->voices(effect("LONGFX")), static_cast<std::size_t>(burst));
    EXPECT_EQ(audio->playingInstances("BLIP"), 0) << "each effect counts its own";
    runFor(*audio, 0.05);
    EXPECT_EQ(audio->playingInstances("LONGFX"), burst);

    audio->stopCue("LONGFX");
    EXPECT_EQ(audio->playingInstances("LONGFX"), 0);

    // The same burst again reuses the voices it made.
    for (int i = 0; i < burst; ++i)
        audio->playCue("LONGFX");
    EXPECT_EQ(audio->playingInstances("LONGFX"), burst);
    EXPECT_EQ(effects->voices(effect("LONGFX")), static_cast<std::size_t>(burst));
    audio->stopCue("LONGFX");
    runFor(*audio, 0.05);
    EXPECT_EQ(audio->playingInstances("LONGFX"), 0) << "a flushed copy's late end leaves the count alone";
}

TEST_F(EffectVoicesTest, AFinishedCopysVoicePlaysTheNextOne)
{
    const std::size_t ready = effects->voices(effect("BLIP"));
    for (int round = 0; round < 3; ++round) {
        audio->playCue("BLIP");
        EXPECT_EQ(audio->playingInstances("BLIP"), 1) << round;
        runFor(*audio, kBlipSeconds + 0.3);
        EXPECT_EQ(audio->playingInstances("BLIP"), 0) << "ended by itself, round " << round;
    }
    EXPECT_EQ(effects->voices(effect("BLIP")), ready) << "no voice made for one copy at a time";
}

// The stopped copy's buffer is flushed and its end reported later, on the
// mixer's thread; that late report must not end the copy started since.
TEST_F(EffectVoicesTest, ACopyStartedAgainRightAfterAStopPlaysOn)
{
    audio->playCue("LONGFX");
    for (int i = 0; i < 5; ++i) {
        runFor(*audio, 0.03);
        audio->stopCue("LONGFX");
        audio->playCue("LONGFX");  // on the voice just stopped
        runFor(*audio, 0.05);
        EXPECT_EQ(audio->playingInstances("LONGFX"), 1) << i;
    }
    EXPECT_EQ(effects->voices(effect("LONGFX")), effects->voices(effect("BLIP")));
    audio->stopCue("LONGFX");
}

TEST_F(EffectVoicesTest, TheEffectsVolumeReachesEveryVoiceAtTheEnginesLevel)
{
    const std::size_t longFx = effect("LONGFX");
    const float unity = static_cast<float>(std::pow(10.0, kLongDb / 20.0));
    for (float v : effects->volumes(longFx))
        EXPECT_NEAR(v, unity, unity * 0.01f) << "the sound's own volume at 100";

    audio->playCue("LONGFX");
    ASSERT_TRUE(audio->setEffectsVolume(50));
    audio->playCue("LONGFX");
    for (float v : effects->volumes(longFx))
        EXPECT_NEAR(v, unity * 0.25f, unity * 0.0025f) << "50 plays at a quarter, the copy already playing too";

    ASSERT_TRUE(audio->setMusicVolume(10));
    for (float v : effects->volumes(longFx))
        EXPECT_NEAR(v, unity * 0.25f, unity * 0.0025f) << "the music's volume is not the effects'";

    ASSERT_TRUE(audio->setEffectsVolume(0));
    for (float v : effects->volumes(longFx))
        EXPECT_EQ(v, 0.0f);
    EXPECT_EQ(audio->playingInstances("LONGFX"), 2) << "silent copies still play";
    audio->stopCue("LONGFX");
}

TEST_F(EffectVoicesTest, NoMoreCopiesThanTheEnginesLimit)
{
    for (std::size_t i = 0; i < EffectVoices::kMostCopies + 5; ++i)
        audio->playCue("LONGFX");
    EXPECT_EQ(audio->playingInstances("LONGFX"), static_cast<int>(EffectVoices::kMostCopies));
    audio->stopCue("LONGFX");
    EXPECT_EQ(audio->playingInstances("LONGFX"), 0);
    audio->playCue("LONGFX");
    EXPECT_EQ(audio->playingInstances("LONGFX"), 1) << "and starts again once they stop";
    audio->stopCue("LONGFX");
}
