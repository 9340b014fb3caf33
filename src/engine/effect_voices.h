// One-shot effects played on source voices that are kept and used again.
// Making a voice (and the engine's cue and sound around it) is most of what
// a cue start costs; handing a voice that has finished the wave's bytes
// again is a small part of it. Each effect keeps a few voices, made when it
// is added, and makes another only when all of its own are busy, so
// overlapping copies still overlap.
//
// The volume is worked out as the engine works it for a cue: the sound's
// volume times its category's, so the player's effects volume applies.
#pragma once

#include "bank_contents.h"

#include <FAudio.h>

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

class EffectVoices {
public:
    // The engine's own limit on copies of one effect playing at once.
    static constexpr std::size_t kMostCopies = 255;

    // Voices go to `master` on `audio`; destroy this before either goes.
    EffectVoices(FAudio* audio, FAudioMasteringVoice* master);
    ~EffectVoices();
    EffectVoices(const EffectVoices&) = delete;
    EffectVoices& operator=(const EffectVoices&) = delete;

    // An effect playing `wave`, whose bytes start at `samples` and must
    // outlive this, at the volume of `volumeByte` (as a sound bank holds it);
    // `ready` voices are made now. Returns the effect's number.
    std::size_t add(const BankWave& wave, const std::uint8_t* samples, std::uint8_t volumeByte, std::size_t ready);

    // Starts another copy; false when none can be had.
    bool play(std::size_t effect);
    // Stops every copy at once.
    void stop(std::size_t effect);
    // Copies playing (those whose wave has not ended yet).
    int playing(std::size_t effect) const;
    // Voices made for the effect so far.
    std::size_t voices(std::size_t effect) const;
    // The volume each of its voices is set to, as the mixer has it.
    std::vector<float> volumes(std::size_t effect) const;

    // The effects category's volume, 0 to 1 (already shaped); copies playing
    // change at once.
    void setCategoryVolume(float volume);

    // The engine's gain for a sound's volume byte (1 for 180).
    static float gainOf(std::uint8_t volumeByte);

private:
    struct Voice;
    struct Effect;

    static void FAUDIOCALL bufferEnded(FAudioVoiceCallback* callback, void* context);
    bool makeVoice(Effect& effect);
    bool start(const Effect& effect, Voice& voice);

    FAudio* audio;
    FAudioMasteringVoice* master;
    std::vector<std::unique_ptr<Effect>> effects;
    std::uintptr_t lastBuffer = 0;  // each buffer handed out is numbered anew
    float categoryVolume = 1.0f;
};
