#include "audio.h"

#include "audio_output.h"
#include "bank_check.h"
#include "files.h"

#include <algorithm>
#include <cstdio>
#include <fstream>

namespace {

constexpr const char* kWaveBankFile = "pictures\\Audio\\Win\\wavebank.xwb";
constexpr const char* kSoundBankFile = "pictures\\Audio\\Win\\soundbank.xsb";
constexpr std::uint32_t kLookAheadMs = 250;
const HRESULT kMediaFileNotFound = HRESULT_FROM_WIN32(ERROR_FILE_NOT_FOUND);
// The categories FACT makes when there is no global settings file; the
// banks put music in the one and every effect in the other.
constexpr const char* kMusicCategory = "Music";
constexpr const char* kEffectsCategory = "Default";

// Reads a whole bank file; false, with the reason, if it is missing, cannot
// be read, is empty or is larger than any bank of ours could be.
bool readBankFile(const std::string& path, std::unique_ptr<BYTE[]>& data, std::uint32_t& size, std::string& why)
{
    constexpr std::streamoff kLargestBank = 256 << 20;
    std::ifstream in(path, std::ios::binary | std::ios::ate);
    if (!in) {
        why = "missing or cannot be opened";
        return false;
    }
    const std::streamoff length = in.tellg();
    if (length <= 0 || length > kLargestBank) {
        why = length <= 0 ? "empty or unreadable" : "too large for a sound bank";
        return false;
    }
    size = static_cast<std::uint32_t>(length);
    data = std::make_unique_for_overwrite<BYTE[]>(size);  // filled by the read
    in.seekg(0);
    if (!in.read(reinterpret_cast<char*>(data.get()), length)) {
        why = "cannot be read";
        return false;
    }
    return true;
}

// The message box only says the media was not found; this says which file
// and why.
void reportBank(const std::string& path, const std::string& why)
{
    std::fprintf(stderr, "Keelhaven: the sound bank %s is refused: %s\n", path.c_str(), why.c_str());
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

    // Each bank is checked before the engine is given it; the sound bank
    // must also agree with the wave bank it plays from.
    const std::string wavePath = waveBankPath.empty() ? platform::resolvePath(kWaveBankFile) : waveBankPath;
    std::uint32_t size = 0;
    std::string why;
    WaveBankSummary waves;
    if (!readBankFile(wavePath, mapWaveBank, size, why) || !checkWaveBank(mapWaveBank.get(), size, why, &waves)) {
        reportBank(wavePath, why);
        return kMediaFileNotFound;
    }
    if (FACTAudioEngine_CreateInMemoryWaveBank(xactEngine, mapWaveBank.get(), size, 0, 0, &waveBank) != 0 ||
        !waveBank) {
        waveBank = nullptr;
        reportBank(wavePath, "the sound engine would not load it");
        return kMediaFileNotFound;
    }

    const std::string soundPath = soundBankPath.empty() ? platform::resolvePath(kSoundBankFile) : soundBankPath;
    if (!readBankFile(soundPath, soundBankData, size, why) ||
        !checkSoundBank(soundBankData.get(), size, why, &waves)) {
        reportBank(soundPath, why);
        return kMediaFileNotFound;
    }
    if (FACTAudioEngine_CreateSoundBank(xactEngine, soundBankData.get(), size, 0, 0, &soundBank) != 0 ||
        !soundBank) {
        soundBank = nullptr;
        reportBank(soundPath, "the sound engine would not load it");
        return kMediaFileNotFound;
    }
    applyVolume(kMusicCategory, musicVolume);
    applyVolume(kEffectsCategory, effectsVolume);
    return S_OK;
}

bool Audio::setMusicVolume(int percent)
{
    musicVolume = std::clamp(percent, 0, 100);
    return applyVolume(kMusicCategory, musicVolume);
}

bool Audio::setEffectsVolume(int percent)
{
    effectsVolume = std::clamp(percent, 0, 100);
    return applyVolume(kEffectsCategory, effectsVolume);
}

// Squared, so that the steps of the setting sound even to the ear rather
// than crowding into the top of the range.
bool Audio::applyVolume(const char* category, int percent)
{
    if (!xactEngine)
        return false;
    const std::uint16_t index = FACTAudioEngine_GetCategory(xactEngine, category);
    if (index == FACTCATEGORY_INVALID)
        return false;
    const float share = static_cast<float>(percent) / 100.0f;
    return FACTAudioEngine_SetVolume(xactEngine, index, share * share) == 0;
}

// Creates and starts the retail engine (there is no debug engine to switch
// to). With no usable sound output (no sound card, no audio server) sound
// goes to the silent output instead, so the game runs without sound rather
// than not at all. The output is tried before the engine starts: an engine
// whose start failed half-way has freed part of itself, and shutting it down
// or releasing it touches that freed memory, so such an engine is left as it
// is rather than released.
HRESULT Audio::startEngine()
{
    if (!platform::audioOutputOpens() && !platform::useSilentAudioOutput())
        return E_FAIL;
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
