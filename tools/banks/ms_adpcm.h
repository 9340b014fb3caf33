// Microsoft ADPCM encoding, about a quarter the size of 16-bit PCM. The engine
// decodes it with the standard fixed table of seven predictors.
#pragma once

#include "wav_file.h"

#include <cstdint>
#include <vector>

namespace banks {

namespace msadpcm {
inline constexpr int kCoefficient1[7] = {256, 512, 0, 192, 240, 460, 392};
inline constexpr int kCoefficient2[7] = {0, -256, 0, 64, 0, -208, -232};
inline constexpr int kAdaptation[16] = {230, 230, 230, 230, 307, 409, 512, 614,
                                        768, 614, 512, 409, 307, 230, 230, 230};
}  // namespace msadpcm

// Bytes one channel's share of a block takes: a 7-byte preamble holding the
// first two samples, then a nibble for each of the rest.
constexpr int msAdpcmBlockBytesPerChannel(int samplesPerBlock) { return samplesPerBlock / 2 + 6; }

// Encodes the wave in blocks of samplesPerBlock frames (even, 32 to 542); the
// last block is padded with silence. Mono or stereo.
std::vector<std::uint8_t> encodeMsAdpcm(const PcmWave& wave, int samplesPerBlock);

}  // namespace banks
