// make_fuzz_seeds OUTPUT_FOLDER
//
// Writes seed inputs for the harnesses that read files the game writes
// itself (saves, high scores) or that the build makes (sound banks), using
// the same writers, so every seed is a file the game could meet. Run from
// the folder holding the game's data (levels\ for the saves' shapes).
#include "engine/journal.h"
#include "keelhaven/high_scores.h"
#include "keelhaven/settings.h"
#include "keelhaven/state_file.h"
#include "levels/level_data.h"
#include "levels/level_save.h"
#include "xact_banks.h"

#include <cmath>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <numbers>

namespace fs = std::filesystem;

namespace {

void write(const fs::path& path, const std::string& bytes)
{
    fs::create_directories(path.parent_path());
    std::ofstream(path, std::ios::binary) << bytes;
}

void write(const fs::path& path, const std::vector<std::uint8_t>& bytes)
{
    write(path, std::string(bytes.begin(), bytes.end()));
}

// A record for a level laid out as `level`, the ship part way through it.
void writeLevelSave(const fs::path& out, int number)
{
    LevelData level;
    std::string error;
    if (!loadLevelData("levels\\level" + std::to_string(number) + ".txt", level, error)) {
        std::fprintf(stderr, "%s\n", error.c_str());
        return;
    }
    LevelSaveShape shape;
    shape.wide = number >= 21;
    shape.enemies = level.enemyShips.size() + level.enemyShip1s.size();
    shape.markers = level.markers.size();
    shape.pickups = level.coins.size() + level.ammoPickups.size() + level.treasures.size() + level.healthPickups.size();
    if (shape.enemies > 255 || shape.markers > 255 || shape.pickups > 255)
        return;  // the harness's shape bytes cannot say it

    LevelSave save;
    save.mapX = shape.wide ? -130.5f : 0;
    save.backgroundX = save.mapX / 2;
    save.ship = SavedShip{450, 120.25f, 300, 75, 3, 12, 2.5f, 10, 20};
    save.endMarker = Placement{1500, 200};
    for (const EnemyPlacement& e : level.enemyShips)
        save.enemies.push_back(SavedEnemy{e.start.x, e.start.y, 50, true, true, 2, e.vx, e.vy});
    for (const EnemyPlacement& e : level.enemyShip1s)
        save.enemies.push_back(SavedEnemy{e.start.x, e.start.y, 0, false, false, 0, 0, 0});
    save.markers = level.markers;
    for (std::size_t i = 0; i < shape.pickups; ++i)
        save.pickups.push_back(SavedPickup{i % 2 == 0, i % 3 != 0, 65.0f * static_cast<float>(i), 130});

    const std::string prefix{static_cast<char>(shape.wide ? 1 : 0), static_cast<char>(shape.enemies),
                             static_cast<char>(shape.markers), static_cast<char>(shape.pickups)};
    write(out / ("level" + std::to_string(number)), prefix + levelSaveText(save, shape));
}

banks::PcmWave tone(double hz, std::size_t frames)
{
    banks::PcmWave wave;
    wave.channels = 1;
    wave.sampleRate = 22050;
    for (std::size_t i = 0; i < frames; ++i)
        wave.samples.push_back(static_cast<std::int16_t>(
            std::lround(8000.0 * std::sin(2.0 * std::numbers::pi * hz * static_cast<double>(i) / 22050.0))));
    return wave;
}

// A short session with one read of each kind and its end.
std::string seedRecording()
{
    std::string bytes = journalHeaderBytes({"0.1", 42, {{"HighScores.txt", "1000\nDUS\n"}}});
    JournalRead r;
    r.kind = JournalRead::Kind::Frequency;
    r.value = 1000000;
    appendJournalRead(bytes, r);
    r.kind = JournalRead::Kind::Clock;
    r.value = 16667;
    appendJournalRead(bytes, r);
    r = JournalRead{};
    r.got = true;
    r.toWindow = true;
    r.message = WM_KEYDOWN;
    r.wParam = VK_SPACE;
    r.lParam = 1;
    appendJournalRead(bytes, r);
    r = JournalRead{};
    appendJournalRead(bytes, r);
    r.kind = JournalRead::Kind::Pad;
    r.result = ERROR_SUCCESS;
    r.pad.Gamepad.wButtons = XINPUT_GAMEPAD_A;
    appendJournalRead(bytes, r);
    r = JournalRead{};
    r.kind = JournalRead::Kind::Raw;
    r.result = sizeof(RAWINPUT);
    r.raw.data.mouse.lLastX = 3;
    appendJournalRead(bytes, r);
    appendJournalEnd(bytes, {1, 0x1234});
    return bytes;
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s OUTPUT_FOLDER\n", argv[0]);
        return 2;
    }
    const fs::path out = argv[1];

    writeLevelSave(out / "level_save_fuzz", 1);
    writeLevelSave(out / "level_save_fuzz", 12);
    writeLevelSave(out / "level_save_fuzz", 21);

    write(out / "state_file_fuzz" / "level7", stateFileText("LEVEL7", 8));
    write(out / "state_file_fuzz" / "level31", stateFileText("LEVEL31", 31) + "\r\n");

    write(out / "recording_fuzz" / "session", seedRecording());

    std::vector<int> scores;
    std::vector<std::string> names;
    defaultHighScores(scores, names);
    Settings settings;
    write(out / "settings_fuzz" / "default", writeSettings(settings));
    settings.soundOn = false;
    settings.difficulty = Difficulty::Gauntlet;
    settings.fullScreen = true;
    settings.windowX = -40;
    settings.windowY = 25;
    settings.keys.of(Action::Fire) = {'F', VK_RETURN};
    settings.keys.of(Action::SteerUp) = {'W', VK_UP};
    settings.keys.of(Action::Choose) = {VK_SPACE, VK_NUMPAD0 + 5};
    settings.musicVolume = 35;
    settings.padDeadZone = 10;
    write(out / "settings_fuzz" / "chosen", writeSettings(settings));

    write(out / "high_scores_fuzz" / "default", highScoreText(scores, names));
    enterHighScore(scores, names, 5000, "ab c");
    enterHighScore(scores, names, 999, "");
    write(out / "high_scores_fuzz" / "entered", highScoreText(scores, names));

    // Two small banks, one per codec, each with an effect and a looping
    // music cue: the shapes the game's banks have, at a few kilobytes.
    const std::vector<banks::PcmWave> waves = {tone(440, 2048), tone(660, 1500)};
    const std::vector<banks::BankCue> cues = {{"MUSIC", 0, true, -6.0}, {"BLIP", 1, false, 0.0}};
    for (const auto& [codec, name] : {std::pair{banks::Codec::MsAdpcm, "adpcm"}, std::pair{banks::Codec::Pcm, "pcm"}}) {
        banks::BankOptions options;
        options.codec = codec;
        const banks::BankFiles files = banks::writeBanks(cues, waves, options);
        write(out / "wave_bank_fuzz" / name, files.waveBank);
        write(out / "sound_bank_fuzz" / name, files.soundBank);
    }
    return 0;
}
