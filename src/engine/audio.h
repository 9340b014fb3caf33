// The game's music and sound effects: the XACT3-style sound engine, one
// in-memory wave bank and one sound bank, and cues played and stopped by name.
// Music goes through the engine's cues; the effects, started many times a
// second in a battle, play on voices kept for them (effect_voices.h), at the
// volume the engine would give them.
#pragma once

#include "bank_contents.h"
#include "mapped_file.h"
#include "win32_types.h"

#include <FACT.h>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

class EffectVoices;

class Audio {
public:
    // Loads the game's banks, "pictures\Audio\Win\wavebank.xwb" and
    // "pictures\Audio\Win\soundbank.xsb".
    Audio();
    // Loads the banks from these real file paths instead (for tools and tests).
    Audio(std::string waveBankPath, std::string soundBankPath);
    virtual ~Audio();

    Audio(const Audio&) = delete;
    Audio& operator=(const Audio&) = delete;

    // S_OK; E_FAIL when the engine cannot be had; the engine's own failure
    // when it cannot start; HRESULT_FROM_WIN32(ERROR_FILE_NOT_FOUND) for any
    // bank file that is missing, unreadable or refused.
    HRESULT initialize();

    // The engine's periodic work; once a frame.
    void run();

    // Starts the named cue. Effects overlap themselves; music already playing
    // is left alone. An unknown name does nothing.
    void playCue(const char cue[]);
    // Stops every instance of the named cue at once.
    void stopCue(const char cue[]);
    // How many copies of the named cue are playing (0 for an unknown name).
    int playingInstances(const char cue[]);

    bool getSoundOn() const { return soundOn; }
    void setSoundOn(bool on) { soundOn = on; }

    // The player's music and effects volumes, 0 to 100, set on the banks'
    // Music and Default categories; kept and applied again once the engine
    // starts. False while there is no engine or it refused the category.
    bool setMusicVolume(int percent);
    bool setEffectsVolume(int percent);
    int getMusicVolume() const { return musicVolume; }
    int getEffectsVolume() const { return effectsVolume; }

private:
    friend struct AudioTestAccess;

    // A cue of the sound bank; effect is its place in the effects' voices,
    // or kNoEffect for one the engine plays.
    static constexpr std::size_t kNoEffect = ~std::size_t{0};
    static constexpr std::size_t kNoWave = ~std::size_t{0};
    struct Cue {
        std::string name;
        std::uint16_t index = 0;
        std::size_t effect = 0;
        std::size_t wave = kNoWave;  // in `waves`
    };
    // Whether a wave's samples can be decoded safely, found out when it is
    // first played (waveSamplesSound).
    enum class Samples : std::uint8_t { Unchecked, Sound, Damaged };

    HRESULT startEngine();
    bool applyVolume(const char* category, int percent);
    void readyEffects();
    const Cue* findCue(const char* name) const;
    bool samplesSound(const Cue& cue);

    FACTAudioEngine* xactEngine;
    FACTWaveBank* waveBank;     // destroyed by the engine's shutdown
    FACTSoundBank* soundBank;   // destroyed by the engine's shutdown
    FAudio* mixer = nullptr;                    // the engine's; it releases it at shutdown
    FAudioMasteringVoice* output = nullptr;     // the engine's; destroyed at its shutdown
    std::unique_ptr<EffectVoices> effects;      // gone before the engine shuts down
    std::vector<Cue> cues;
    std::vector<BankWave> waves;
    std::vector<Samples> wavesChecked;  // one for each of `waves`
    std::uint16_t cueI;         // index of the cue last played or stopped
    platform::MappedFile mapWaveBank;    // the wave-bank file; voices play straight out of it
    platform::MappedFile soundBankData;  // the sound-bank file, read until shutdown
    // Whether the system services the engine needs were set up by this object.
    // Nothing needs setting up on this platform, so it is always true.
    bool coInitialized;
    bool soundOn;
    int musicVolume = 100;
    int effectsVolume = 100;

    std::string waveBankPath;   // empty: the game's own bank, found at initialize
    std::string soundBankPath;
};
