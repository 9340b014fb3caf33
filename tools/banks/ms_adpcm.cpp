#include "ms_adpcm.h"

#include "bank_error.h"

#include <algorithm>
#include <array>
#include <cstdlib>
#include <limits>

namespace banks {
namespace {

using namespace msadpcm;

// The decoder's running state for one channel; the encoder mirrors it exactly
// so that its choices are judged on what will actually be heard.
struct ChannelState {
    int predictor = 0;
    int delta = 16;
    int sample1 = 0;
    int sample2 = 0;

    int predict() const { return (sample1 * kCoefficient1[predictor] + sample2 * kCoefficient2[predictor]) / 256; }

    // Applies one code as the decoder does and returns the decoded sample.
    int apply(int code)
    {
        const int signedCode = code >= 8 ? code - 16 : code;
        const int decoded = std::clamp(predict() + signedCode * delta, -32768, 32767);
        sample2 = sample1;
        sample1 = decoded;
        delta = static_cast<std::int16_t>(kAdaptation[code] * delta / 256);
        if (delta < 16)
            delta = 16;
        return decoded;
    }

    // The code that brings the next sample closest to target, kept small
    // enough that the step size never overflows the decoder's 16 bits.
    int chooseCode(int target) const
    {
        const int error = target - predict();
        int q = error >= 0 ? (error + delta / 2) / delta : -((-error + delta / 2) / delta);
        q = std::clamp(q, -8, 7);
        while (q != 0 && kAdaptation[q & 15] * delta / 256 > std::numeric_limits<std::int16_t>::max())
            q += q > 0 ? -1 : 1;
        return q & 15;
    }
};

struct ChannelBlock {
    ChannelState start;
    std::vector<std::uint8_t> codes;  // one per sample after the first two
};

// Tries every predictor and a few starting step sizes and keeps the encoding
// of this block with the least squared error.
ChannelBlock encodeChannelBlock(const std::vector<int>& x)
{
    int initialGuess = 0;
    const std::size_t probe = std::min<std::size_t>(x.size(), 18);
    for (std::size_t i = 2; i < probe; ++i)
        initialGuess += std::abs(x[i] - x[i - 1]);
    initialGuess = std::max(16, initialGuess / std::max<int>(1, static_cast<int>(probe) - 2) / 2);
    const std::array<int, 4> deltas = {16, std::max(16, initialGuess / 2), initialGuess,
                                       std::min(8192, initialGuess * 2)};

    ChannelBlock best;
    long long bestError = std::numeric_limits<long long>::max();
    for (int predictor = 0; predictor < 7; ++predictor) {
        for (int delta : deltas) {
            ChannelBlock trial;
            trial.start.predictor = predictor;
            trial.start.delta = delta;
            trial.start.sample2 = x[0];
            trial.start.sample1 = x[1];
            ChannelState state = trial.start;
            long long error = 0;
            for (std::size_t i = 2; i < x.size() && error < bestError; ++i) {
                const int code = state.chooseCode(x[i]);
                const long long diff = state.apply(code) - x[i];
                error += diff * diff;
                trial.codes.push_back(static_cast<std::uint8_t>(code));
            }
            if (error < bestError) {
                bestError = error;
                best = std::move(trial);
            }
        }
    }
    return best;
}

void putS16(std::vector<std::uint8_t>& out, int v)
{
    out.push_back(static_cast<std::uint8_t>(v & 0xFF));
    out.push_back(static_cast<std::uint8_t>((v >> 8) & 0xFF));
}

}  // namespace

std::vector<std::uint8_t> encodeMsAdpcm(const PcmWave& wave, int samplesPerBlock)
{
    if (samplesPerBlock < 32 || samplesPerBlock > 542 || samplesPerBlock % 2 != 0)
        throw BankError("ADPCM samples per block must be even and between 32 and 542");
    if (wave.channels < 1 || wave.channels > 2)
        throw BankError("ADPCM waves must be mono or stereo");

    const std::size_t channels = static_cast<std::size_t>(wave.channels);
    const std::size_t frames = wave.frames();
    const std::size_t spb = static_cast<std::size_t>(samplesPerBlock);
    const std::size_t blocks = (frames + spb - 1) / spb;

    std::vector<std::uint8_t> out;
    out.reserve(blocks * channels * static_cast<std::size_t>(msAdpcmBlockBytesPerChannel(samplesPerBlock)));
    std::vector<int> x(spb);
    for (std::size_t b = 0; b < blocks; ++b) {
        std::vector<ChannelBlock> perChannel;
        for (std::size_t c = 0; c < channels; ++c) {
            for (std::size_t i = 0; i < spb; ++i) {
                const std::size_t frame = b * spb + i;
                x[i] = frame < frames ? wave.samples[frame * channels + c] : 0;
            }
            perChannel.push_back(encodeChannelBlock(x));
        }
        // Preamble: predictors, deltas, sample1s, sample2s, channel by channel.
        for (const auto& ch : perChannel)
            out.push_back(static_cast<std::uint8_t>(ch.start.predictor));
        for (const auto& ch : perChannel)
            putS16(out, ch.start.delta);
        for (const auto& ch : perChannel)
            putS16(out, ch.start.sample1);
        for (const auto& ch : perChannel)
            putS16(out, ch.start.sample2);
        // Codes: mono packs two samples a byte, high nibble first; stereo packs
        // one frame a byte, left in the high nibble.
        const std::size_t codeCount = spb - 2;
        if (channels == 1) {
            for (std::size_t i = 0; i < codeCount; i += 2)
                out.push_back(static_cast<std::uint8_t>(perChannel[0].codes[i] << 4 | perChannel[0].codes[i + 1]));
        } else {
            for (std::size_t i = 0; i < codeCount; ++i)
                out.push_back(static_cast<std::uint8_t>(perChannel[0].codes[i] << 4 | perChannel[1].codes[i]));
        }
    }
    return out;
}

}  // namespace banks
