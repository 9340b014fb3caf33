#include "audio.h"

#include "audio_output.h"
#include "files.h"

#include <cstring>
#include <fstream>

namespace {

constexpr const char* kWaveBankFile = "pictures\\Audio\\Win\\wavebank.xwb";
constexpr const char* kSoundBankFile = "pictures\\Audio\\Win\\soundbank.xsb";
constexpr std::uint32_t kLookAheadMs = 250;
const HRESULT kMediaFileNotFound = HRESULT_FROM_WIN32(ERROR_FILE_NOT_FOUND);

// Reads a whole file; false if it cannot be opened or read, or is empty.
bool readWholeFile(const std::string& path, std::unique_ptr<BYTE[]>& data, std::uint32_t& size)
{
    std::ifstream in(path, std::ios::binary | std::ios::ate);
    if (!in)
        return false;
    const std::streamoff length = in.tellg();
    if (length <= 0 || length > 0x7FFFFFFF)
        return false;
    size = static_cast<std::uint32_t>(length);
    data = std::make_unique<BYTE[]>(size);
    in.seekg(0);
    return static_cast<bool>(in.read(reinterpret_cast<char*>(data.get()), length));
}

std::uint32_t u32At(const BYTE* b, std::uint64_t at)
{
    return static_cast<std::uint32_t>(b[at]) | static_cast<std::uint32_t>(b[at + 1]) << 8 |
           static_cast<std::uint32_t>(b[at + 2]) << 16 | static_cast<std::uint32_t>(b[at + 3]) << 24;
}

bool within(std::uint64_t offset, std::uint64_t length, std::uint64_t size)
{
    return offset <= size && length <= size - offset;
}

// The engine parses banks without checking their bounds, so a truncated or
// damaged file must be turned away before it gets them. These checks cover
// every place the engine reads a wave bank from, and the fixed parts of a
// sound bank.
bool waveBankLooksWhole(const BYTE* b, std::uint32_t size)
{
    constexpr std::uint32_t kHeader = 52, kBankData = 96, kEntry = 24;
    constexpr std::uint32_t kStreaming = 0x1, kNames = 0x00010000, kCompact = 0x00020000, kSeekTables = 0x00080000;
    if (size < kHeader || std::memcmp(b, "WBND", 4) != 0)
        return false;
    for (std::uint32_t segment = 0; segment < 5; ++segment)
        if (!within(u32At(b, 12 + 8 * segment), u32At(b, 16 + 8 * segment), size))
            return false;
    const std::uint32_t bankData = u32At(b, 12), entries = u32At(b, 20), names = u32At(b, 36), waveData = u32At(b, 44);
    if (!within(bankData, kBankData, size))
        return false;
    const std::uint32_t flags = u32At(b, bankData), count = u32At(b, bankData + 4);
    const std::uint32_t entrySize = u32At(b, bankData + 72);
    if ((flags & (kStreaming | kCompact | kSeekTables)) != 0 || entrySize != kEntry)
        return false;
    if (std::memchr(b + bankData + 8, 0, 64) == nullptr)
        return false;  // bank name not terminated
    if (!within(entries, std::uint64_t{kEntry} * count, size))
        return false;
    if ((flags & kNames) != 0 && !within(names, std::uint64_t{64} * count, size))
        return false;
    for (std::uint32_t i = 0; i < count; ++i) {
        const std::uint64_t entry = entries + std::uint64_t{kEntry} * i;
        if (!within(std::uint64_t{waveData} + u32At(b, entry + 8), u32At(b, entry + 12), size))
            return false;
    }
    return true;
}

bool soundBankLooksWhole(const BYTE* b, std::uint32_t size)
{
    constexpr std::uint32_t kHeader = 74, kName = 64;
    if (size < kHeader + kName || std::memcmp(b, "SDBK", 4) != 0)
        return false;
    const std::uint32_t waveBanks = b[27];
    if (!within(kHeader + kName, std::uint64_t{kName} * waveBanks, size))
        return false;
    for (std::uint32_t field = 34; field < kHeader; field += 4) {
        const std::uint32_t offset = u32At(b, field);
        if (offset != 0xFFFFFFFFu && offset >= size)
            return false;
    }
    // Names are read up to their terminating NUL; the last one ends the file.
    return std::memchr(b + kHeader, 0, kName) != nullptr && b[size - 1] == 0;
}

HRESULT asFailure(std::uint32_t engineResult)
{
    const auto hr = static_cast<HRESULT>(engineResult);
    return FAILED(hr) ? hr : E_FAIL;
}

}  // namespace

Audio::Audio() : Audio(std::string(), std::string()) {}

Audio::Audio(std::string waveBankPath, std::string soundBankPath)
    : xactEngine(nullptr),
      waveBank(nullptr),
      soundBank(nullptr),
      cueI(0),
      coInitialized(true),
      soundOn(true),
      waveBankPath(std::move(waveBankPath)),
      soundBankPath(std::move(soundBankPath))
{
}

Audio::~Audio()
{
    // The engine reads both banks' bytes until it is shut down.
    if (xactEngine) {
        FACTAudioEngine_ShutDown(xactEngine);
        FACTAudioEngine_Release(xactEngine);
        xactEngine = nullptr;
    }
    soundBankData.reset();
    mapWaveBank.reset();
}

HRESULT Audio::initialize()
{
    if (!coInitialized)
        return E_FAIL;

    if (HRESULT hr = startEngine(); FAILED(hr))
        return hr;

    const std::string wavePath = waveBankPath.empty() ? platform::resolvePath(kWaveBankFile) : waveBankPath;
    std::uint32_t size = 0;
    if (!readWholeFile(wavePath, mapWaveBank, size) || !waveBankLooksWhole(mapWaveBank.get(), size))
        return kMediaFileNotFound;
    if (FACTAudioEngine_CreateInMemoryWaveBank(xactEngine, mapWaveBank.get(), size, 0, 0, &waveBank) != 0 ||
        !waveBank) {
        waveBank = nullptr;
        return kMediaFileNotFound;
    }

    const std::string soundPath = soundBankPath.empty() ? platform::resolvePath(kSoundBankFile) : soundBankPath;
    if (!readWholeFile(soundPath, soundBankData, size) || !soundBankLooksWhole(soundBankData.get(), size))
        return kMediaFileNotFound;
    if (FACTAudioEngine_CreateSoundBank(xactEngine, soundBankData.get(), size, 0, 0, &soundBank) != 0 ||
        !soundBank) {
        soundBank = nullptr;
        return kMediaFileNotFound;
    }
    return S_OK;
}

// Creates and starts the retail engine (there is no debug engine to switch
// to). If it cannot start because there is no usable sound output, sound goes
// to the silent output instead and the engine is tried once more: the game
// runs without sound rather than not at all.
HRESULT Audio::startEngine()
{
    for (int attempt = 0;; ++attempt) {
        if (FACTCreateEngine(0, &xactEngine) != 0 || !xactEngine) {
            xactEngine = nullptr;
            return E_FAIL;
        }
        FACTRuntimeParameters params{};
        params.lookAheadTime = kLookAheadMs;
        const std::uint32_t result = FACTAudioEngine_Initialize(xactEngine, &params);
        if (result == 0)
            return S_OK;

        FACTAudioEngine_ShutDown(xactEngine);
        FACTAudioEngine_Release(xactEngine);
        xactEngine = nullptr;
        if (attempt > 0 || !platform::useSilentAudioOutput())
            return asFailure(result);
    }
}

void Audio::run()
{
    if (xactEngine)
        FACTAudioEngine_DoWork(xactEngine);
}

void Audio::playCue(const char cue[])
{
    if (!soundBank || !cue)
        return;
    cueI = FACTSoundBank_GetCueIndex(soundBank, cue);
    // The engine does not check the index it is given.
    if (cueI == FACTINDEX_INVALID)
        return;
    FACTSoundBank_Play(soundBank, cueI, 0, 0, nullptr);
}

int Audio::playingInstances(const char cue[])
{
    if (!soundBank || !cue)
        return 0;
    const std::uint16_t index = FACTSoundBank_GetCueIndex(soundBank, cue);
    if (index == FACTINDEX_INVALID)
        return 0;
    FACTCueProperties properties{};
    if (FACTSoundBank_GetCueProperties(soundBank, index, &properties) != 0)
        return 0;
    return properties.currentInstances;
}

void Audio::stopCue(const char cue[])
{
    if (!soundBank || !cue)
        return;
    cueI = FACTSoundBank_GetCueIndex(soundBank, cue);
    if (cueI == FACTINDEX_INVALID)
        return;
    FACTSoundBank_Stop(soundBank, cueI, FACT_FLAG_STOP_IMMEDIATE);
}
