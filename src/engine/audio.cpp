#include "audio.h"

#include "audio_output.h"
#include "bank_check.h"
#include "effect_voices.h"
#include "files.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

namespace {

constexpr const char* kWaveBankFile = "pictures\\Audio\\Win\\wavebank.xwb";
constexpr const char* kSoundBankFile = "pictures\\Audio\\Win\\soundbank.xsb";
constexpr std::uint32_t kLookAheadMs = 250;
const HRESULT kMediaFileNotFound = HRESULT_FROM_WIN32(ERROR_FILE_NOT_FOUND);
// The categories FACT makes when there is no global settings file; the
// banks put music in the one and every effect in the other.
constexpr const char* kMusicCategory = "Music";
constexpr const char* kEffectsCategory = "Default";

// Maps a bank file; false, with the reason, if it is missing, cannot be
// read, is not a plain file (a folder, a pipe), is empty or is larger than
// any bank of ours could be. Nothing of it is read yet: the checks read the
// headers and tables, and the mixer a wave's pages when it plays it. The
// engine only reads the banks: a byte-swapped bank, the one kind it would
// write into, is refused by the checks.
bool mapBankFile(const std::string& path, platform::MappedFile& file, std::string& why)
{
    constexpr std::size_t kLargestBank = 256 << 20;
    using Result = platform::MappedFile::Result;
    switch (file.open(path, kLargestBank)) {
    case Result::Mapped:
        return true;
    case Result::CannotOpen:
        why = "missing or cannot be opened";
        break;
    case Result::NotRegular:
        why = "not a plain file";
        break;
    case Result::Empty:
        why = "empty or unreadable";
        break;
    case Result::TooLarge:
        why = "too large for a sound bank";
        break;
    case Result::CannotMap:
        why = "cannot be read";
        break;
    }
    return false;
}

// Ready voices for each effect: enough for the copies that overlap in a
// battle; more are made if ever all are busy.
constexpr std::size_t kReadyVoices = 4;
// The engine's index of the Default category, the one the effects' volume
// setting goes to; effects in any other category are left to the engine.
constexpr std::uint16_t kEffectsCategoryIndex = 1;

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
    // The effects' voices go to the engine's output, so they go first; the
    // engine reads both banks' bytes until it is shut down.
    effects.reset();
    if (xactEngine) {
        FACTAudioEngine_ShutDown(xactEngine);
        FACTAudioEngine_Release(xactEngine);
        xactEngine = nullptr;
    }
    soundBankData.close();
    mapWaveBank.close();
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
    std::string why;
    WaveBankSummary waves;
    if (!mapBankFile(wavePath, mapWaveBank, why) ||
        !checkWaveBank(mapWaveBank.data(), mapWaveBank.size(), why, &waves)) {
        reportBank(wavePath, why);
        return kMediaFileNotFound;
    }
    if (FACTAudioEngine_CreateInMemoryWaveBank(xactEngine, mapWaveBank.data(),
                                               static_cast<std::uint32_t>(mapWaveBank.size()), 0, 0, &waveBank) != 0 ||
        !waveBank) {
        waveBank = nullptr;
        reportBank(wavePath, "the sound engine would not load it");
        return kMediaFileNotFound;
    }

    const std::string soundPath = soundBankPath.empty() ? platform::resolvePath(kSoundBankFile) : soundBankPath;
    if (!mapBankFile(soundPath, soundBankData, why) ||
        !checkSoundBank(soundBankData.data(), soundBankData.size(), why, &waves)) {
        reportBank(soundPath, why);
        return kMediaFileNotFound;
    }
    if (FACTAudioEngine_CreateSoundBank(xactEngine, soundBankData.data(),
                                        static_cast<std::uint32_t>(soundBankData.size()), 0, 0, &soundBank) != 0 ||
        !soundBank) {
        soundBank = nullptr;
        reportBank(soundPath, "the sound engine would not load it");
        return kMediaFileNotFound;
    }
    readyEffects();
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
    // The engine sets a category's volume as its authored one (1) times this.
    if (effects && index == kEffectsCategoryIndex)
        effects->setCategoryVolume(share * share);
    return FACTAudioEngine_SetVolume(xactEngine, index, share * share) == 0;
}

// Every cue by name, in the engine's index order (so a name found twice is
// the engine's first); each effect in the Default category gets its voices.
void Audio::readyEffects()
{
    waves = readBankWaves(mapWaveBank.data(), mapWaveBank.size());
    wavesChecked.assign(waves.size(), Samples::Unchecked);
    effects = std::make_unique<EffectVoices>(mixer, output);
    for (const BankSound& sound : readBankSounds(soundBankData.data(), soundBankData.size())) {
        Cue cue{sound.name, sound.cueIndex, kNoEffect, sound.wave < waves.size() ? sound.wave : kNoWave};
        if (!sound.music && sound.category == kEffectsCategoryIndex && sound.wave < waves.size()) {
            const BankWave& wave = waves[sound.wave];
            cue.effect = effects->add(wave, mapWaveBank.data() + wave.offset, sound.volumeByte, kReadyVoices);
        }
        cues.push_back(std::move(cue));
    }
}

// A wave whose samples would make the engine read out of bounds is not
// played, and named once.
bool Audio::samplesSound(const Cue& cue)
{
    if (cue.wave == kNoWave)
        return true;  // the sound bank check found its wave in the bank
    Samples& checked = wavesChecked[cue.wave];
    if (checked == Samples::Unchecked) {
        const BankWave& wave = waves[cue.wave];
        const bool sound = waveSamplesSound(wave, mapWaveBank.data() + wave.offset);
        checked = sound ? Samples::Sound : Samples::Damaged;
        if (!sound)
            std::fprintf(stderr, "Keelhaven: the sound \"%s\" is not played: its wave in the wave bank is damaged\n",
                         cue.name.c_str());
    }
    return checked == Samples::Sound;
}

const Audio::Cue* Audio::findCue(const char* name) const
{
    for (const Cue& cue : cues)
        if (std::strcmp(cue.name.c_str(), name) == 0)
            return &cue;
    return nullptr;
}

// Creates and starts the retail engine (there is no debug engine to switch
// to), on a mixer and output made here and handed to it, so that the
// effects' voices can go to the same output. With no usable sound output (no
// sound card, no audio server) sound goes to the silent output instead, so
// the game runs without sound rather than not at all. The output is made
// before the engine: the engine, given both, has nothing left to fail on
// while it starts, and one whose start failed half-way could not be shut
// down or released safely.
HRESULT Audio::startEngine()
{
    if (!platform::audioOutputOpens() && !platform::useSilentAudioOutput())
        return E_FAIL;
    for (int attempt = 0;; ++attempt) {
        FAudio* audio = nullptr;
        if (FAudioCreate(&audio, 0, FAUDIO_DEFAULT_PROCESSOR) != 0 || !audio)
            return E_FAIL;
        FAudioMasteringVoice* master = nullptr;
        if (FAudio_CreateMasteringVoice(audio, &master, FAUDIO_DEFAULT_CHANNELS, FAUDIO_DEFAULT_SAMPLERATE, 0, 0,
                                        nullptr) != 0 ||
            !master) {
            FAudio_Release(audio);
            if (attempt > 0 || !platform::useSilentAudioOutput())
                return asFailure(FAUDIO_E_INVALID_CALL);
            continue;
        }
        if (FACTCreateEngine(0, &xactEngine) != 0 || !xactEngine) {
            xactEngine = nullptr;
            FAudioVoice_DestroyVoice(master);
            FAudio_Release(audio);
            return E_FAIL;
        }
        FACTRuntimeParameters params{};
        params.lookAheadTime = kLookAheadMs;
        params.pXAudio2 = audio;
        params.pMasteringVoice = master;
        const std::uint32_t result = FACTAudioEngine_Initialize(xactEngine, &params);
        if (result != 0) {
            // Not reached without a settings file; left as it is, as above.
            xactEngine = nullptr;
            return asFailure(result);
        }
        mixer = audio;
        output = master;
        return S_OK;
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
    const Cue* found = findCue(cue);
    if (!found)
        return;
    cueI = found->index;
    if (!samplesSound(*found))
        return;
    if (found->effect != kNoEffect)
        effects->play(found->effect);  // fails, as the engine would, past its limit of copies
    else
        FACTSoundBank_Play(soundBank, cueI, 0, 0, nullptr);
}

int Audio::playingInstances(const char cue[])
{
    if (!soundBank || !cue)
        return 0;
    const Cue* found = findCue(cue);
    if (!found)
        return 0;
    if (found->effect != kNoEffect)
        return effects->playing(found->effect);
    FACTCueProperties properties{};
    if (FACTSoundBank_GetCueProperties(soundBank, found->index, &properties) != 0)
        return 0;
    return properties.currentInstances;
}

void Audio::stopCue(const char cue[])
{
    if (!soundBank || !cue)
        return;
    const Cue* found = findCue(cue);
    if (!found)
        return;
    cueI = found->index;
    if (found->effect != kNoEffect)
        effects->stop(found->effect);
    else
        FACTSoundBank_Stop(soundBank, cueI, FACT_FLAG_STOP_IMMEDIATE);
}
