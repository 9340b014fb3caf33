// make_banks MANIFEST WAVE_FOLDER OUTPUT_FOLDER [--pcm]
//
// Builds wavebank.xwb and soundbank.xsb in OUTPUT_FOLDER from the cues listed
// in MANIFEST, reading their wave files from WAVE_FOLDER. Waves are stored as
// MS-ADPCM unless --pcm is given.
#include "bank_error.h"
#include "manifest.h"
#include "replace_file.h"
#include "xact_banks.h"

#include <cstdio>
#include <cstring>
#include <string>

namespace {

std::string_view bytesOf(const std::vector<std::uint8_t>& bytes)
{
    return {reinterpret_cast<const char*>(bytes.data()), bytes.size()};
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
        // Both banks are replaced together or not at all: a full disk never
        // leaves a half-written bank, nor a new sound bank beside an old
        // wave bank.
        std::string error;
        if (!platform::replaceFiles({{(outDir / "wavebank.xwb").string(), bytesOf(files.waveBank)},
                                     {(outDir / "soundbank.xsb").string(), bytesOf(files.soundBank)}},
                                    error))
            throw banks::BankError(error);
        std::printf("%zu cues: wavebank.xwb %zu bytes, soundbank.xsb %zu bytes\n", cues.size(),
                    files.waveBank.size(), files.soundBank.size());
        return 0;
    } catch (const std::exception& e) {
        std::fprintf(stderr, "make_banks: %s\n", e.what());
        return 1;
    }
}
