// The bank builder on its own: the manifest, the ADPCM encoder and the byte
// layout of the banks it writes.
#include "bank_error.h"
#include "bank_reader.h"
#include "manifest.h"
#include "ms_adpcm.h"
#include "test_waves.h"
#include "xact_banks.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <fstream>

using namespace banks;

namespace {

// Expects fn to throw BankError whose message holds every one of the parts.
template <typename Fn>
void expectRefused(Fn fn, std::initializer_list<std::string> parts)
{
    try {
        fn();
        ADD_FAILURE() << "not refused";
    } catch (const BankError& e) {
        const std::string message = e.what();
        for (const auto& part : parts)
            EXPECT_NE(message.find(part), std::string::npos) << "message: " << message << "\nlacks: " << part;
    }
}

// Decodes MS-ADPCM as the format is documented, independently of the encoder.
std::vector<int> decodeMsAdpcm(const std::vector<std::uint8_t>& data, int channels, int samplesPerBlock)
{
    static const int adapt[16] = {230, 230, 230, 230, 307, 409, 512, 614, 768, 614, 512, 409, 307, 230, 230, 230};
    static const int c1[7] = {256, 512, 0, 192, 240, 460, 392};
    static const int c2[7] = {0, -256, 0, 64, 0, -208, -232};
    const std::size_t blockBytes = static_cast<std::size_t>((samplesPerBlock / 2 + 6) * channels);
    std::vector<int> out;
    for (std::size_t at = 0; at + blockBytes <= data.size(); at += blockBytes) {
        const std::uint8_t* p = data.data() + at;
        auto s16 = [](const std::uint8_t* q) { return static_cast<int>(static_cast<std::int16_t>(q[0] | q[1] << 8)); };
        int pred[2], delta[2], s1[2], s2[2];
        for (int c = 0; c < channels; ++c) {
            pred[c] = p[c];
            delta[c] = s16(p + channels + 2 * c);
            s1[c] = s16(p + 3 * channels + 2 * c);
            s2[c] = s16(p + 5 * channels + 2 * c);
        }
        for (int c = 0; c < channels; ++c)
            out.push_back(s2[c]);
        for (int c = 0; c < channels; ++c)
            out.push_back(s1[c]);
        auto nibble = [&](int c, int code) {
            const int signedCode = code >= 8 ? code - 16 : code;
            int v = (s1[c] * c1[pred[c]] + s2[c] * c2[pred[c]]) / 256 + signedCode * delta[c];
            v = std::clamp(v, -32768, 32767);
            s2[c] = s1[c];
            s1[c] = v;
            delta[c] = std::max(16, static_cast<int>(static_cast<std::int16_t>(adapt[code] * delta[c] / 256)));
            out.push_back(v);
        };
        for (const std::uint8_t* q = p + 7 * channels; q < p + blockBytes; ++q) {
            nibble(0, *q >> 4);
            nibble(channels == 2 ? 1 : 0, *q & 15);
        }
    }
    return out;
}

double snrDb(const std::vector<std::int16_t>& original, const std::vector<int>& decoded)
{
    double signal = 0, noise = 0;
    for (std::size_t i = 0; i < original.size(); ++i) {
        signal += double(original[i]) * original[i];
        noise += double(original[i] - decoded[i]) * (original[i] - decoded[i]);
    }
    return 10.0 * std::log10(signal / std::max(noise, 1.0));
}

}  // namespace

TEST(Manifest, ReadsCuesSkippingCommentsAndBlankLines)
{
    const auto cues = parseManifest("# music\nBALLAD3  music/ballad3.wav loop -2.5\n\n"
                                    "COIN2 effects/coin2.wav once 0   # chime\n",
                                    "sounds.txt");
    ASSERT_EQ(cues.size(), 2u);
    EXPECT_EQ(cues[0].name, "BALLAD3");
    EXPECT_EQ(cues[0].waveFile, "music/ballad3.wav");
    EXPECT_TRUE(cues[0].loops);
    EXPECT_DOUBLE_EQ(cues[0].volumeDb, -2.5);
    EXPECT_EQ(cues[0].line, 2);
    EXPECT_EQ(cues[1].name, "COIN2");
    EXPECT_FALSE(cues[1].loops);
    EXPECT_EQ(cues[1].line, 4);
}

TEST(Manifest, RefusesADuplicateCueNameSayingWhere)
{
    expectRefused([] { parseManifest("COIN2 a.wav once 0\nBOOKTURN b.wav once 0\nCOIN2 c.wav once 0\n", "m.txt"); },
                  {"m.txt:3", "duplicate cue name 'COIN2'", "line 1"});
}

TEST(Manifest, RefusesMalformedLines)
{
    expectRefused([] { parseManifest("COIN2 a.wav once\n", "m.txt"); }, {"m.txt:1", "expected 4 fields"});
    expectRefused([] { parseManifest("COIN2 a.wav twice 0\n", "m.txt"); }, {"'loop' or 'once'", "twice"});
    expectRefused([] { parseManifest("COIN2 a.wav once loud\n", "m.txt"); }, {"volume 'loud'"});
    expectRefused([] { parseManifest("COIN2 a.wav once 12\n", "m.txt"); }, {"outside"});
    expectRefused([] { parseManifest("COIN$ a.wav once 0\n", "m.txt"); }, {"cue name 'COIN$'"});
    expectRefused([] { parseManifest("# nothing\n", "m.txt"); }, {"no cues"});
}

TEST(Manifest, BuildRefusesAMissingWaveFileNamingIt)
{
    const TempFolder folder("missing-wave");
    writeWavFile(folder / "coin2.wav", makeTone(440, 1000));
    const auto cues = parseManifest("COIN2 coin2.wav once 0\nBOOKTURN bookturn.wav once 0\n", "m.txt");
    expectRefused([&] { buildBanks(cues, folder); }, {"m.txt:2", "BOOKTURN", "bookturn.wav", "not found"});
}

TEST(Manifest, BuildSharesAWaveUsedByTwoCues)
{
    const TempFolder folder("shared-wave");
    writeWavFile(folder / "tone.wav", makeTone(440, 2048));
    const auto cues = parseManifest("A tone.wav once 0\nB tone.wav loop 0\n", "m.txt");
    const BankFiles files = buildBanks(cues, folder);
    const BankReport waves = readWaveBank(files.waveBank);
    EXPECT_TRUE(waves.problems.empty());
    ASSERT_EQ(waves.waves.size(), 1u);
    const BankReport sounds = readSoundBank(files.soundBank, waves);
    EXPECT_TRUE(sounds.problems.empty());
}

TEST(WavFile, RoundTripsAndRefusesWhatItCannotRead)
{
    const TempFolder folder("wav");
    const PcmWave tone = makeTone(300, 777, 2);
    writeWavFile(folder / "t.wav", tone);
    const PcmWave back = readWavFile(folder / "t.wav");
    EXPECT_EQ(back.channels, 2);
    EXPECT_EQ(back.sampleRate, 22050);
    EXPECT_EQ(back.samples, tone.samples);

    std::ofstream(folder / "junk.wav") << "not a wave at all";
    expectRefused([&] { readWavFile(folder / "junk.wav"); }, {"junk.wav", "RIFF"});
}

TEST(MsAdpcm, DecodesCloseToTheOriginalInMonoAndStereo)
{
    for (int channels : {1, 2}) {
        PcmWave tone = makeTone(523.25, 512 * 8, channels, 0.6);
        // Add a second partial and a step so more than one predictor gets used.
        for (std::size_t i = 0; i < tone.samples.size(); ++i)
            tone.samples[i] = static_cast<std::int16_t>(tone.samples[i] / 2 + (i % 3000 < 1500 ? 4000 : -4000));
        const auto encoded = encodeMsAdpcm(tone, 512);
        ASSERT_EQ(encoded.size(), 8u * 262u * static_cast<std::size_t>(channels));
        const auto decoded = decodeMsAdpcm(encoded, channels, 512);
        ASSERT_EQ(decoded.size(), tone.samples.size());
        EXPECT_GT(snrDb(tone.samples, decoded), 30.0) << channels << " channel(s)";
    }
}

TEST(MsAdpcm, PadsThePartialLastBlockWithSilence)
{
    const PcmWave tone = makeTone(440, 600);
    const auto decoded = decodeMsAdpcm(encodeMsAdpcm(tone, 128), 1, 128);
    ASSERT_EQ(decoded.size(), 640u);
    for (std::size_t i = 610; i < decoded.size(); ++i)
        EXPECT_LT(std::abs(decoded[i]), 200) << i;
}

TEST(VolumeByte, MatchesTheEnginesDecibelScale)
{
    EXPECT_EQ(volumeByte(0.0), 180);
    EXPECT_EQ(volumeByte(-3.0), 151);
    EXPECT_EQ(volumeByte(-6.0), 127);
    EXPECT_EQ(volumeByte(-12.0), 90);
    EXPECT_EQ(volumeByte(6.0), 255);
    EXPECT_GE(volumeByte(-200.0), 1);  // never the silent 0
}

// Every offset the builder writes points where its section starts, for both
// codecs and a mix of effects and music given in mixed order.
TEST(BankLayout, EveryOffsetPointsAtItsSection)
{
    const std::vector<PcmWave> waves = {makeTone(200, 512 * 3, 2), makeTone(440, 1001), makeTone(660, 1024),
                                        makeTone(100, 512 * 2)};
    const std::vector<BankCue> cues = {{"THEME", 0, true, -2},   {"COIN2", 1, false, 0},
                                       {"BOOKTURN", 2, false, -3}, {"DIRGE", 3, true, 0},
                                       {"ECHO", 1, false, -12}};
    for (Codec codec : {Codec::MsAdpcm, Codec::Pcm}) {
        BankOptions options;
        options.codec = codec;
        const BankFiles files = writeBanks(cues, waves, options);
        const BankReport waveReport = readWaveBank(files.waveBank);
        for (const auto& p : waveReport.problems)
            ADD_FAILURE() << "wave bank: " << p;
        EXPECT_EQ(waveReport.bankName, options.waveBankName);
        ASSERT_EQ(waveReport.waves.size(), 4u);
        EXPECT_EQ(waveReport.waves[0].channels, 2u);
        EXPECT_TRUE(waveReport.waves[0].loops);
        EXPECT_FALSE(waveReport.waves[1].loops);
        EXPECT_EQ(waveReport.waves[1].frames, codec == Codec::Pcm ? 1001u : 1024u);

        const BankReport soundReport = readSoundBank(files.soundBank, waveReport);
        for (const auto& p : soundReport.problems)
            ADD_FAILURE() << "sound bank: " << p;
        // Effects come first as simple cues, then the music as complex ones.
        std::vector<std::string> names;
        for (const auto& c : soundReport.cues)
            names.push_back(c.name);
        EXPECT_EQ(names, (std::vector<std::string>{"COIN2", "BOOKTURN", "ECHO", "THEME", "DIRGE"}));
        ASSERT_EQ(soundReport.cues.size(), 5u);
        EXPECT_EQ(soundReport.cues[2].wave, 1);
        EXPECT_TRUE(soundReport.cues[3].music);
        EXPECT_EQ(soundReport.cues[3].maxInstances, 1);
        EXPECT_EQ(soundReport.cues[4].wave, 3);
    }
}

TEST(BankLayout, OnlyEffectsOrOnlyMusicLeaveTheOtherTableOut)
{
    for (bool loops : {false, true}) {
        const BankFiles files = writeBanks({{"ONE", 0, loops, 0}}, {makeTone(440, 1024)});
        const BankReport waveReport = readWaveBank(files.waveBank);
        const BankReport soundReport = readSoundBank(files.soundBank, waveReport);
        EXPECT_TRUE(waveReport.problems.empty());
        for (const auto& p : soundReport.problems)
            ADD_FAILURE() << p;
    }
}

TEST(BankLayout, RefusesALoopingAdpcmWaveThatIsNotWholeBlocks)
{
    expectRefused([] { writeBanks({{"THEME", 0, true, 0}}, {makeTone(440, 1000)}); },
                  {"looping", "512", "1000 samples"});
    EXPECT_NO_THROW(writeBanks({{"THEME", 0, true, 0}}, {makeTone(440, 1000)}, BankOptions{Codec::Pcm}));
}
