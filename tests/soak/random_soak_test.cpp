// The whole game under a random player for tens of thousands of frames: it
// must neither crash nor grow. KEELHAVEN_SOAK_SEED picks another seed and
// KEELHAVEN_SOAK_FRAMES another length (a failing seed is printed, so the
// same run can be made again).
#include "support/random_soak.h"
#include "support/save_folder.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

namespace {

#if defined(__SANITIZE_ADDRESS__)
constexpr long DEFAULT_FRAMES = 6000;  // the sanitizers make each frame several times slower
#else
constexpr long DEFAULT_FRAMES = 12000;
#endif
constexpr std::uint64_t DEFAULT_SEED = 20261209;

long long fromEnvironment(const char* name, long long fallback)
{
    const char* value = std::getenv(name);
    return value != nullptr && *value != '\0' ? std::strtoll(value, nullptr, 0) : fallback;
}

}  // namespace

TEST(RandomSoak, TheGameSurvivesARandomPlayerWithoutGrowing)
{
    testsupport::SaveFolder saves;  // "save" typed into the console writes here
    const auto seed = static_cast<std::uint64_t>(fromEnvironment("KEELHAVEN_SOAK_SEED", DEFAULT_SEED));
    const long frames = static_cast<long>(fromEnvironment("KEELHAVEN_SOAK_FRAMES", DEFAULT_FRAMES));
    const long warmUp = frames / 4;
    std::printf("soak: seed %llu, %ld frames (KEELHAVEN_SOAK_SEED, KEELHAVEN_SOAK_FRAMES)\n",
                static_cast<unsigned long long>(seed), frames);
    SCOPED_TRACE("seed " + std::to_string(seed));

    testsupport::SoakFigures f;
    try {
        f = testsupport::runSoak(seed, frames, warmUp, frames / 5);
    } catch (const std::exception& e) {
        FAIL() << "the game threw: " << e.what();
    } catch (...) {
        FAIL() << "the game threw";
    }

    testsupport::printSoakFigures("soak", f);

    // The player got about: menus, levels and the console all had a turn.
    EXPECT_GT(f.distinctStates, 5);
    EXPECT_GT(f.commands, 0);
    EXPECT_GT(f.deviceLosses, 0);
    // Flat after the warm-up, with room for levels first set up late and
    // for the sanitizer's quarantine of freed memory.
    EXPECT_LT(f.residentKbAtEnd, f.residentKbAfterWarmUp + f.residentKbAfterWarmUp / 2 + 64 * 1024);
    EXPECT_LE(f.liveObjectsAtEnd, f.liveObjectsAfterWarmUp + f.liveObjectsAfterWarmUp / 2 + 64);
}
