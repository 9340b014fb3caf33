// What the audio tests look at inside Audio: the engine's banks and the
// effects' voices.
#pragma once

#include "engine/audio.h"
#include "engine/effect_voices.h"

struct AudioTestAccess {
    static FACTSoundBank* soundBank(const Audio& a) { return a.soundBank; }
    static FACTWaveBank* waveBank(const Audio& a) { return a.waveBank; }
    static const EffectVoices* effects(const Audio& a) { return a.effects.get(); }
    // The effect a cue plays on, or Audio::kNoEffect (music, or no such cue).
    static std::size_t effectOf(const Audio& a, const char* cue)
    {
        const Audio::Cue* found = a.findCue(cue);
        return found ? found->effect : Audio::kNoEffect;
    }
    static constexpr std::size_t kNoEffect = Audio::kNoEffect;
};
