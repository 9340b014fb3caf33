// Every test program runs headless: SDL's dummy video and audio drivers, the
// software renderer, and saves kept out of the user's real data directory.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include <unistd.h>

int main(int argc, char** argv)
{
    setenv("SDL_VIDEODRIVER", "dummy", 0);
    setenv("SDL_AUDIODRIVER", "dummy", 0);
    std::string saves =
        (std::filesystem::temp_directory_path() / ("keelhaven-test-saves-" + std::to_string(getpid()))).string();
    const bool ownSaves =
        setenv("KEELHAVEN_SAVE_DIR", saves.c_str(), 0) == 0 && saves == std::getenv("KEELHAVEN_SAVE_DIR");
    ::testing::InitGoogleTest(&argc, argv);
    const int result = RUN_ALL_TESTS();
    if (ownSaves) {
        std::error_code ec;
        std::filesystem::remove_all(saves, ec);
    }
    return result;
}
