// make_banks MANIFEST WAVE_FOLDER OUTPUT_FOLDER [--pcm]
//
// Builds wavebank.xwb and soundbank.xsb in OUTPUT_FOLDER from the cues listed
// in MANIFEST, reading their wave files from WAVE_FOLDER. Waves are stored as
// MS-ADPCM unless --pcm is given.
#include "bank_error.h"
#include "manifest.h"
#include "xact_banks.h"

#include <cstdio>
#include <cstring>
#include <fstream>
#include <string>

namespace {

void writeFile(const std::filesystem::path& path, const std::vector<std::uint8_t>& bytes)
{
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    if (!out)
        throw banks::BankError("cannot write " + path.string());
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc < 4 || argc > 5 || (argc == 5 && std::strcmp(argv[4], "--pcm") != 0)) {
        std::fprintf(stderr, "usage: %s MANIFEST WAVE_FOLDER OUTPUT_FOLDER [--pcm]\n", argv[0]);
        return 2;
    }
    try {
        banks::BankOptions options;
        if (argc == 5)
            options.codec = banks::Codec::Pcm;
        const auto cues = banks::readManifest(argv[1]);
        const auto files = banks::buildBanks(cues, argv[2], options);
        const std::filesystem::path outDir = argv[3];
        std::filesystem::create_directories(outDir);
        writeFile(outDir / "wavebank.xwb", files.waveBank);
        writeFile(outDir / "soundbank.xsb", files.soundBank);
        std::printf("%zu cues: wavebank.xwb %zu bytes, soundbank.xsb %zu bytes\n", cues.size(),
                    files.waveBank.size(), files.soundBank.size());
        return 0;
    } catch (const std::exception& e) {
        std::fprintf(stderr, "make_banks: %s\n", e.what());
        return 1;
    }
}
