// The checks that stand between a bank file and the sound engine: the game's
// own and the builder's banks pass; damaged ones are refused before the
// engine sees them, whatever was changed.
#include "bank_reader.h"
#include "engine/audio.h"
#include "engine/bank_check.h"
#include "files.h"
#include "test_waves.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

namespace {

const HRESULT kMediaFileNotFound = HRESULT_FROM_WIN32(ERROR_FILE_NOT_FOUND);

std::filesystem::path damaged(const char* name)
{
    return std::filesystem::path(__FILE__).parent_path() / "damaged" / name;
}

std::vector<std::uint8_t> gameBank(const char* name)
{
    return readBytes(platform::resolvePath(std::string("pictures\\Audio\\Win\\") + name));
}

// The two wave banks found by fuzzing were the game's own with a byte or so
// changed; they are made again from the game's bank the same way, so the
// test follows the bank when it is rebuilt (../shared/repro/README.md).
const char* const kDamagedWaveBanks[] = {"wavebank-entry-table-offset.xwb", "wavebank-zero-channels.xwb"};

std::vector<std::uint8_t> damagedWaveBank(const std::string& name)
{
    std::vector<std::uint8_t> b = gameBank("wavebank.xwb");
    if (name == "wavebank-entry-table-offset.xwb") {
        b.at(0x14) = 0x6C;  // the entry table's offset, 148, made 108
    } else {
        // Every entry's format says 0 channels (bits 2 to 4).
        const std::uint32_t count = b.at(56) | b.at(57) << 8 | b.at(58) << 16 | std::uint32_t{b.at(59)} << 24;
        for (std::size_t i = 0; i < count; ++i)
            b.at(148 + 24 * i + 4) &= static_cast<std::uint8_t>(~0x1Cu);
    }
    return b;
}

bool waveBankPasses(const std::vector<std::uint8_t>& b, WaveBankSummary* summary = nullptr)
{
    std::string why;
    return checkWaveBank(b.data(), b.size(), why, summary);
}

bool soundBankPasses(const std::vector<std::uint8_t>& b, const WaveBankSummary* waves)
{
    std::string why;
    return checkSoundBank(b.data(), b.size(), why, waves);
}

void put32(std::vector<std::uint8_t>& b, std::size_t at, std::uint32_t v)
{
    for (int i = 0; i < 4; ++i)
        b[at + static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(v >> (8 * i));
}

}  // namespace

TEST(BankCheck, PassesTheGamesBanksAndEveryBankTheBuilderWrites)
{
    WaveBankSummary waves;
    const auto waveBank = gameBank("wavebank.xwb");
    ASSERT_TRUE(waveBankPasses(waveBank, &waves));
    EXPECT_FALSE(waves.name.empty());
    EXPECT_GT(waves.waves, 0u);
    EXPECT_TRUE(soundBankPasses(gameBank("soundbank.xsb"), &waves));

    using namespace banks;
    const std::vector<PcmWave> tones = {makeTone(200, 512 * 3, 2), makeTone(440, 1001), makeTone(660, 1024)};
    const std::vector<std::vector<BankCue>> cueSets = {
        {{"THEME", 0, true, -2}, {"COIN2", 1, false, 0}, {"BOOKTURN", 2, false, -3}},
        {{"ONLYFX", 1, false, 0}},
        {{"ONLYMUSIC", 0, true, 0}}};
    for (Codec codec : {Codec::MsAdpcm, Codec::Pcm})
        for (const auto& cues : cueSets) {
            BankOptions options;
            options.codec = codec;
            const BankFiles files = writeBanks(cues, tones, options);
            WaveBankSummary built;
            EXPECT_TRUE(waveBankPasses(files.waveBank, &built)) << cues[0].name;
            EXPECT_TRUE(soundBankPasses(files.soundBank, &built)) << cues[0].name;
        }
}

TEST(BankCheck, RefusesTheDamagedBanksFoundByFuzzing)
{
    WaveBankSummary waves;
    ASSERT_TRUE(waveBankPasses(gameBank("wavebank.xwb"), &waves));
    for (const char* name : {"soundbank-two-bytes-changed.xsb", "soundbank-huge-allocation.xsb"}) {
        EXPECT_FALSE(soundBankPasses(readBytes(damaged(name).string()), &waves)) << name;
        EXPECT_FALSE(soundBankPasses(readBytes(damaged(name).string()), nullptr)) << name;
    }
    for (const char* name : kDamagedWaveBanks) {
        const std::vector<std::uint8_t> bank = damagedWaveBank(name);
        EXPECT_NE(bank, gameBank("wavebank.xwb")) << name;
        EXPECT_FALSE(waveBankPasses(bank)) << name;
    }
}

// Every cut-short copy is refused: nothing the engine reads may lie past the
// end of the buffer it is given.
TEST(BankCheck, RefusesEveryTruncation)
{
    WaveBankSummary waves;
    const auto waveBank = gameBank("wavebank.xwb");
    const auto soundBank = gameBank("soundbank.xsb");
    ASSERT_TRUE(waveBankPasses(waveBank, &waves));
    for (std::size_t length = 0; length < soundBank.size(); ++length) {
        std::string why;
        EXPECT_FALSE(checkSoundBank(soundBank.data(), length, why, &waves)) << length;
    }
    // The wave bank's tables, then a sampling of the sample data.
    for (std::size_t length = 0; length < waveBank.size(); length += length < 4096 ? 1 : 65521) {
        std::string why;
        EXPECT_FALSE(checkWaveBank(waveBank.data(), length, why)) << length;
    }
}

// Whatever single byte of the game's sound bank is changed, the check either
// refuses it or it is still a bank the independent reader (which walks it
// as the engine does) finds whole and consistent with the wave bank.
TEST(BankCheck, EverySoundBankByteChangedIsRefusedOrStillWhole)
{
    WaveBankSummary waves;
    const auto waveBank = gameBank("wavebank.xwb");
    ASSERT_TRUE(waveBankPasses(waveBank, &waves));
    const BankReport waveReport = readWaveBank(waveBank);
    const auto original = gameBank("soundbank.xsb");
    int accepted = 0;
    for (std::size_t at = 0; at < original.size(); ++at)
        for (std::uint8_t change : {std::uint8_t{0x01}, std::uint8_t{0x80}, std::uint8_t{0xFF}}) {
            auto bytes = original;
            bytes[at] ^= change;
            if (!soundBankPasses(bytes, &waves))
                continue;
            ++accepted;
            // The check guards the layout, not whether a changed volume or
            // loop still makes sense.
            for (const std::string& problem : readSoundBank(bytes, waveReport).problems)
                if (problem.find("silent") == std::string::npos && problem.find("loop") == std::string::npos &&
                    problem.find("behaviour") == std::string::npos)
                    ADD_FAILURE() << "byte " << at << " ^ " << int(change) << ": " << problem;
        }
    // Names, their padding, volumes, pitches and fades may change; the
    // tables that say where things are may not.
    EXPECT_LT(accepted, static_cast<int>(original.size()) * 2);
}

TEST(BankCheck, EveryWaveBankTableByteChangedIsRefusedOrStillWhole)
{
    const auto original = gameBank("wavebank.xwb");
    const BankReport before = readWaveBank(original);
    ASSERT_TRUE(before.problems.empty());
    const std::size_t tables = 148 + 24 * before.waves.size();
    for (std::size_t at = 0; at < tables; ++at)
        for (std::uint8_t change : {std::uint8_t{0x01}, std::uint8_t{0x10}, std::uint8_t{0xFF}}) {
            auto bytes = original;
            bytes[at] ^= change;
            if (!waveBankPasses(bytes))
                continue;
            const BankReport report = readWaveBank(bytes);
            EXPECT_TRUE(report.problems.empty()) << "byte " << at << " ^ " << int(change) << ": "
                                                 << report.problems.front();
        }
}

TEST(BankCheck, RefusesWavesTheEngineCannotPlaySafely)
{
    const banks::BankFiles files =
        banks::writeBanks({{"ONE", 0, false, 0}}, {makeTone(440, 1024)}, banks::BankOptions{banks::Codec::Pcm});
    const std::size_t format = 148 + 4;
    const std::uint32_t good = files.waveBank[format] | files.waveBank[format + 1] << 8 |
                               files.waveBank[format + 2] << 16 | static_cast<std::uint32_t>(files.waveBank[format + 3]) << 24;
    struct Case {
        const char* what;
        std::size_t at;
        std::uint32_t value;
    };
    const Case cases[] = {
        {"zero channels", format, good & ~(0x7u << 2)},
        {"zero sample rate", format, good & ~(0x3FFFFu << 5)},
        {"an unknown codec", format, good | 0x1},
        {"a loop past the end", 148 + 16, 5000},
        {"samples past the data", 148 + 8, 1u << 30},
        {"a billion waves", 56, 1u << 30},
        {"an element size too large", 124, 48},
    };
    for (const Case& c : cases) {
        auto bytes = files.waveBank;
        put32(bytes, c.at, c.value);
        std::string why;
        EXPECT_FALSE(checkWaveBank(bytes.data(), bytes.size(), why)) << c.what;
        EXPECT_FALSE(why.empty()) << c.what;
    }

    // A sound bank must play from this wave bank, and only waves it has.
    WaveBankSummary waves;
    ASSERT_TRUE(waveBankPasses(files.waveBank, &waves));
    WaveBankSummary otherName{"SomeOtherBank", waves.waves};
    EXPECT_FALSE(soundBankPasses(files.soundBank, &otherName));
    WaveBankSummary noWaves{waves.name, 0};
    EXPECT_FALSE(soundBankPasses(files.soundBank, &noWaves));
}

// Through the game's sound object: a refused bank is the game's "media
// file not found", and one line on standard error says which file and why.
TEST(BankCheck, ARefusedBankNamesItselfAndTheEngineNeverSeesIt)
{
    const TempFolder folder("refused-banks");
    const TestBankPaths good = writeTestBanks(folder);
    for (const char* name : {"soundbank-two-bytes-changed.xsb", "soundbank-huge-allocation.xsb"}) {
        Audio audio(good.waveBank, damaged(name).string());
        testing::internal::CaptureStderr();
        EXPECT_EQ(audio.initialize(), kMediaFileNotFound) << name;
        const std::string said = testing::internal::GetCapturedStderr();
        EXPECT_NE(said.find(name), std::string::npos) << said;
    }
    for (const char* name : kDamagedWaveBanks) {
        const std::vector<std::uint8_t> bank = damagedWaveBank(name);
        std::ofstream(folder / name, std::ios::binary)
            .write(reinterpret_cast<const char*>(bank.data()), static_cast<std::streamsize>(bank.size()));
        Audio audio((folder / name).string(), good.soundBank);
        testing::internal::CaptureStderr();
        EXPECT_EQ(audio.initialize(), kMediaFileNotFound) << name;
        const std::string said = testing::internal::GetCapturedStderr();
        EXPECT_NE(said.find(name), std::string::npos) << said;
    }
    Audio missing((folder / "nowhere.xwb").string(), good.soundBank);
    testing::internal::CaptureStderr();
    EXPECT_EQ(missing.initialize(), kMediaFileNotFound);
    EXPECT_NE(testing::internal::GetCapturedStderr().find("missing"), std::string::npos);
}
