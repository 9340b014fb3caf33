#include "effect_voices.h"

#include <algorithm>
#include <cmath>
#include <type_traits>

// A voice and what the mixer thread tells us about it. `playing` holds the
// number of the buffer it plays, 0 when idle: the mixer's end-of-buffer call
// clears it only for that very buffer, so the late call for a buffer a stop
// flushed cannot free a voice that has since been started again.
struct EffectVoices::Voice {
    FAudioVoiceCallback callback{};  // first: FAudio hands this back
    FAudioSourceVoice* source = nullptr;
    std::atomic<std::uintptr_t> playing{0};
    float volume = 1.0f;  // as last set on the voice (game thread only)
};

// FAudio's ADPCM format without its open-ended coefficient table, which the
// decoder does not read (it has the standard one).
#pragma pack(push, 1)
struct AdpcmFormat {
    FAudioWaveFormatEx wfx;
    std::uint16_t wSamplesPerBlock;
    std::uint16_t wNumCoef;
};
#pragma pack(pop)
static_assert(sizeof(AdpcmFormat) == sizeof(FAudioADPCMWaveFormat));

struct EffectVoices::Effect {
    AdpcmFormat format{};  // PCM uses its leading plain format
    const std::uint8_t* samples = nullptr;
    std::uint32_t bytes = 0;
    std::uint32_t frames = 0;
    float gain = 1.0f;
    std::vector<std::unique_ptr<Voice>> voices;
};

// On the mixer thread, with the voice's buffers locked (so a stop's flush
// waits for it). Stopping the finished voice spares the mixer a pass over it
// each update; it is started again with its next buffer.
void FAUDIOCALL EffectVoices::bufferEnded(FAudioVoiceCallback* callback, void* context)
{
    static_assert(std::is_standard_layout_v<Voice>);
    auto* voice = reinterpret_cast<EffectVoices::Voice*>(callback);
    auto buffer = reinterpret_cast<std::uintptr_t>(context);
    if (voice->playing.load(std::memory_order_acquire) != buffer)
        return;
    FAudioSourceVoice_Stop(voice->source, 0, FAUDIO_COMMIT_NOW);
    voice->playing.compare_exchange_strong(buffer, 0, std::memory_order_release);
}

EffectVoices::EffectVoices(FAudio* audio, FAudioMasteringVoice* master) : audio(audio), master(master) {}

EffectVoices::~EffectVoices()
{
    // DestroyVoice waits for a mixing pass over the voice to end, so no call
    // reaches a Voice once its source is gone.
    for (auto& effect : effects)
        for (auto& voice : effect->voices)
            FAudioVoice_DestroyVoice(voice->source);
}

// As the engine does: the byte is hundredths of a decibel on its curve, and
// the gain is worked in the same float and double steps, so a copy plays at
// exactly the level the engine would give it.
float EffectVoices::gainOf(std::uint8_t volumeByte)
{
    const auto hundredths = static_cast<float>(3969.0 * std::log10(volumeByte / 28240.0) + 8715.0);
    return static_cast<float>(std::pow(10.0, hundredths / 2000.0));
}

std::size_t EffectVoices::add(const BankWave& wave, const std::uint8_t* samples, std::uint8_t volumeByte,
                              std::size_t ready)
{
    auto effect = std::make_unique<Effect>();
    FAudioWaveFormatEx& f = effect->format.wfx;
    f.nChannels = static_cast<std::uint16_t>(wave.channels);
    f.nSamplesPerSec = wave.sampleRate;
    f.nBlockAlign = static_cast<std::uint16_t>(wave.blockAlign);
    f.wBitsPerSample = 16;
    if (wave.adpcm) {
        f.wFormatTag = FAUDIO_FORMAT_MSADPCM;
        f.cbSize = sizeof(AdpcmFormat) - sizeof(FAudioWaveFormatEx);
        effect->format.wSamplesPerBlock = static_cast<std::uint16_t>((wave.blockAlign / wave.channels - 6) * 2);
        f.nAvgBytesPerSec = wave.sampleRate / effect->format.wSamplesPerBlock * wave.blockAlign;
    } else {
        f.wFormatTag = FAUDIO_FORMAT_PCM;
        f.nAvgBytesPerSec = wave.sampleRate * wave.blockAlign;
    }
    effect->samples = samples;
    effect->bytes = wave.bytes;
    effect->frames = wave.frames;
    effect->gain = gainOf(volumeByte);
    for (std::size_t i = 0; i < ready && makeVoice(*effect); ++i) {
    }
    effects.push_back(std::move(effect));
    return effects.size() - 1;
}

// Made as the engine makes a wave's voice: with a filter (left open) and
// room for pitch changes, so that it mixes exactly as the engine's would.
bool EffectVoices::makeVoice(Effect& effect)
{
    auto voice = std::make_unique<Voice>();
    voice->callback.OnBufferEnd = bufferEnded;
    FAudioSendDescriptor send{0, master};
    FAudioVoiceSends sends{1, &send};
    if (FAudio_CreateSourceVoice(audio, &voice->source, &effect.format.wfx, FAUDIO_VOICE_USEFILTER, 4.0f,
                                 &voice->callback, &sends, nullptr) != 0 ||
        !voice->source)
        return false;
    effect.voices.push_back(std::move(voice));
    return true;
}

bool EffectVoices::start(const Effect& effect, Voice& voice)
{
    const float volume = std::clamp(effect.gain * categoryVolume, 0.0f, FAUDIO_MAX_VOLUME_LEVEL);
    if (voice.volume != volume) {
        FAudioVoice_SetVolume(voice.source, volume, FAUDIO_COMMIT_NOW);
        voice.volume = volume;
    }
    const std::uintptr_t buffer = ++lastBuffer;
    voice.playing.store(buffer, std::memory_order_relaxed);  // before the buffer can end
    FAudioBuffer b{};
    b.Flags = FAUDIO_END_OF_STREAM;
    b.AudioBytes = effect.bytes;
    b.pAudioData = effect.samples;
    b.PlayLength = effect.frames;
    b.pContext = reinterpret_cast<void*>(buffer);
    if (FAudioSourceVoice_SubmitSourceBuffer(voice.source, &b, nullptr) != 0) {
        voice.playing.store(0, std::memory_order_relaxed);
        return false;
    }
    FAudioSourceVoice_Start(voice.source, 0, FAUDIO_COMMIT_NOW);
    return true;
}

bool EffectVoices::play(std::size_t index)
{
    if (index >= effects.size())
        return false;
    Effect& effect = *effects[index];
    for (auto& voice : effect.voices)
        if (voice->playing.load(std::memory_order_acquire) == 0)
            return start(effect, *voice);
    // All busy: one more voice, kept for the next time this many overlap.
    if (effect.voices.size() >= kMostCopies || !makeVoice(effect))
        return false;
    return start(effect, *effect.voices.back());
}

void EffectVoices::stop(std::size_t index)
{
    if (index >= effects.size())
        return;
    for (auto& voice : effects[index]->voices) {
        if (voice->playing.load(std::memory_order_acquire) == 0)
            continue;
        FAudioSourceVoice_Stop(voice->source, 0, FAUDIO_COMMIT_NOW);
        // Waits for an end-of-buffer call in progress; the flushed buffer's
        // own call comes later and finds it no longer playing.
        FAudioSourceVoice_FlushSourceBuffers(voice->source);
        voice->playing.store(0, std::memory_order_release);
    }
}

int EffectVoices::playing(std::size_t index) const
{
    if (index >= effects.size())
        return 0;
    int count = 0;
    for (const auto& voice : effects[index]->voices)
        count += voice->playing.load(std::memory_order_acquire) != 0;
    return count;
}

std::size_t EffectVoices::voices(std::size_t index) const
{
    return index < effects.size() ? effects[index]->voices.size() : 0;
}

std::vector<float> EffectVoices::volumes(std::size_t index) const
{
    std::vector<float> all;
    if (index < effects.size())
        for (const auto& voice : effects[index]->voices) {
            float volume = 0;
            FAudioVoice_GetVolume(voice->source, &volume);
            all.push_back(volume);
        }
    return all;
}

void EffectVoices::setCategoryVolume(float volume)
{
    categoryVolume = volume;
    for (auto& effect : effects)
        for (auto& voice : effect->voices) {
            const float v = std::clamp(effect->gain * categoryVolume, 0.0f, FAUDIO_MAX_VOLUME_LEVEL);
            if (voice->volume != v) {
                FAudioVoice_SetVolume(voice->source, v, FAUDIO_COMMIT_NOW);
                voice->volume = v;
            }
        }
}
