#include "keelhaven/replay_session.h"

#include "engine/game_window.h"
#include "engine/journal_taps.h"
#include "files.h"
#include "input_tap.h"
#include "keelhaven/keelhaven.h"
#include "keelhaven/state_digest.h"
#include "player_file.h"
#include "replace_file.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <iterator>

namespace fs = std::filesystem;

namespace {

// The files of the save folder a session can read, by their names there.
// settings.ini: the keys, the difficulty and sound change how a session plays.
constexpr const char* SAVED_FILES[] = {"StateSave.txt", "KeelhavenSave.txt", "HighScores.txt", "settings.ini"};
constexpr std::uintmax_t MAX_RECORDING_BYTES = 1ull << 30;

void fail(const std::string& text) { std::fprintf(stderr, "Keelhaven: %s\n", text.c_str()); }

bool isSavedFileName(const std::string& name)
{
    return std::any_of(std::begin(SAVED_FILES), std::end(SAVED_FILES), [&](const char* n) { return name == n; });
}

// A folder of its own under the system's temporary folder, removed when done.
class ScratchFolder {
public:
    ScratchFolder()
    {
        std::string pattern = (fs::temp_directory_path() / "keelhaven-replay-XXXXXX").string();
        if (mkdtemp(pattern.data()) != nullptr)
            path = pattern;
    }
    ~ScratchFolder()
    {
        std::error_code ec;
        if (!path.empty())
            fs::remove_all(path, ec);
    }
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;
    std::string path;
};

JournalEnd sessionEnd(Keelhaven& game) { return {game.getFramesRun(), stateDigest(game)}; }

std::string endText(const JournalEnd& end)
{
    return std::to_string(end.frames) + " frames, state digest " + digestText(end.digest);
}

}  // namespace

std::uint64_t levelFilesChecksum()
{
    std::vector<fs::path> files;
    std::error_code ec;
    for (const auto& entry : fs::directory_iterator(platform::dataDirectory() + "levels", ec))
        if (entry.is_regular_file(ec))
            files.push_back(entry.path());
    std::sort(files.begin(), files.end());
    std::uint64_t hash = 0xcbf29ce484222325ULL;
    auto add = [&hash](const std::string& bytes) {
        for (char c : bytes) {
            hash ^= static_cast<unsigned char>(c);
            hash *= 0x100000001b3ULL;
        }
    };
    for (const fs::path& file : files) {
        std::ifstream in(file, std::ios::binary);
        add(file.filename().string());
        add(std::string(std::istreambuf_iterator<char>(in), {}));
    }
    return hash;
}

JournalHeader currentJournalHeader()
{
    JournalHeader header;
    header.gameVersion = KEELHAVEN_VERSION;
    header.levelsChecksum = levelFilesChecksum();
    for (const char* name : SAVED_FILES) {
        std::string bytes, reason;
        const std::string path = platform::resolveSavePath(std::string("saveFiles\\") + name);
        if (platform::readPlayerFile(path, bytes, reason) == platform::PlayerFileRead::Read)
            header.savedFiles.emplace_back(name, std::move(bytes));
    }
    return header;
}

bool loadRecording(const std::string& path, Journal& journal, std::string& error)
{
    std::error_code ec;
    if (!fs::is_regular_file(path, ec)) {
        error = "Cannot read the recording " + path + ": " + (fs::exists(path, ec) ? "not a file" : "no such file");
        return false;
    }
    if (fs::file_size(path, ec) > MAX_RECORDING_BYTES) {
        error = "The recording " + path + " is larger than any this game makes";
        return false;
    }
    std::ifstream in(path, std::ios::binary);
    const std::string bytes(std::istreambuf_iterator<char>(in), {});
    if (!in.good() && !in.eof()) {
        error = "Cannot read the recording " + path;
        return false;
    }
    std::string why;
    if (!readJournal(bytes, journal, why)) {
        error = "The recording " + path + " is refused: " + why;
        return false;
    }
    if (journal.header.gameVersion != KEELHAVEN_VERSION) {
        error = "The recording " + path + " was made by Keelhaven " + journal.header.gameVersion.substr(0, 40) +
                "; this is " + KEELHAVEN_VERSION;
        return false;
    }
    if (journal.header.levelsChecksum != levelFilesChecksum()) {
        error = "The recording " + path + " was made with other level files than these";
        return false;
    }
    for (const auto& [name, contents] : journal.header.savedFiles) {
        if (!isSavedFileName(name)) {
            error = "The recording " + path + " holds a file no save folder has: " + name.substr(0, 40);
            return false;
        }
    }
    return true;
}

int playRecording(const std::string& path)
{
    std::optional<JournalEnd> ended;
    const int code = playRecording(path, [] { return std::make_unique<Keelhaven>(); }, ended);
    if (ended)
        std::printf("recorded %s\n", endText(*ended).c_str());
    std::fflush(stdout);
    return code;
}

int playRecording(const std::string& path, const GameMaker& makeGame, std::optional<JournalEnd>& ended)
{
    JournalRecorder recorder(path);
    std::string problem;
    if (!recorder.open(currentJournalHeader(), problem)) {
        fail(problem);
        return 1;
    }
    std::unique_ptr<Keelhaven> owned = makeGame();
    Keelhaven* game = owned.get();
    recorder.endOfSession = [game] { return sessionEnd(*game); };
    platform::setInputTap(&recorder);
    const int code = playGame(owned.release(), nullptr, SW_SHOWNORMAL);
    platform::setInputTap(nullptr);
    if (!recorder.good())
        fail("the recording is incomplete: " + recorder.problem());
    ended = recorder.end();
    return code;
}

int playReplay(const std::string& path, bool fast)
{
    std::optional<JournalEnd> ended;
    const int code = playReplay(path, fast, ended);
    if (ended)
        std::printf("replayed %s\n", endText(*ended).c_str());
    std::fflush(stdout);
    return code;
}

int playReplay(const std::string& path, bool fast, std::optional<JournalEnd>& ended)
{
    return playReplay(path, fast, [] { return std::make_unique<Keelhaven>(); }, ended);
}

int playReplay(const std::string& path, bool fast, const GameMaker& makeGame, std::optional<JournalEnd>& ended)
{
    Journal journal;
    std::string error;
    if (!loadRecording(path, journal, error)) {
        fail(error);
        return 1;
    }
    ScratchFolder scratch;
    if (scratch.path.empty()) {
        fail("no scratch folder for the replay's saves could be made");
        return 1;
    }
    for (const auto& [name, contents] : journal.header.savedFiles) {
        std::ofstream out(fs::path(scratch.path) / name, std::ios::binary);
        out << contents;
        if (!out) {
            fail("the replay's saves could not be set out in " + scratch.path);
            return 1;
        }
    }
    const char* before = std::getenv("KEELHAVEN_SAVE_DIR");
    const std::optional<std::string> playersFolder = before ? std::optional<std::string>(before) : std::nullopt;
    setenv("KEELHAVEN_SAVE_DIR", scratch.path.c_str(), 1);

    // Made only now: the game reads the high-score table as it is made.
    std::unique_ptr<Keelhaven> owned = makeGame();
    Keelhaven* game = owned.get();
    JournalPlayer player(journal, [game] { return game->getHwnd(); }, fast);
    player.endOfSession = [game] { return sessionEnd(*game); };
    player.liveEscape = [game] { game->backToWindow(); };
    platform::setInputTap(&player);
    const int code = playGame(owned.release(), nullptr, SW_SHOWNORMAL);
    platform::setInputTap(nullptr);
    if (playersFolder)
        setenv("KEELHAVEN_SAVE_DIR", playersFolder->c_str(), 1);
    else
        unsetenv("KEELHAVEN_SAVE_DIR");
    ended = player.end();
    if (!ended)
        return code != 0 ? code : 1;
    if (player.diverged()) {
        fail("the replay left the recording at read " + std::to_string(player.divergedAtRead() + 1) +
             ": it was made by other rules");
        return 1;
    }
    if (!player.stoppedEarly() && journal.end &&
        (journal.end->frames != player.end()->frames || journal.end->digest != player.end()->digest)) {
        fail("the replay ended unlike the recording: recorded " + endText(*journal.end));
        return 1;
    }
    return code;
}

std::string writeCrashRecording(const std::string& journalBytes, std::string& error)
{
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    char stamp[32];
    std::strftime(stamp, sizeof(stamp), "%Y-%m-%d-%H%M%S", &local);
    const std::string path = platform::saveDirectory() + "crash-" + stamp + ".khreplay";
    if (!platform::replaceFile(path, journalBytes, error))
        return {};
    return path;
}

int playKeepingCrashRecording(const GameMaker& makeGame, HINSTANCE instance, int cmdShow)
{
    JournalRecorder keeper(currentJournalHeader(), replayNS::CRASH_JOURNAL_SECONDS);
    platform::setInputTap(&keeper);
    const int code = playGame(makeGame().release(), instance, cmdShow, [&keeper](const std::string&) {
        if (keeper.outgrewLimit()) {
            fail("no recording of this session was kept: it ran longer than " +
                 std::to_string(static_cast<int>(replayNS::CRASH_JOURNAL_SECONDS / 60)) + " minutes");
            return;
        }
        std::string problem;
        const std::string path = writeCrashRecording(keeper.kept(), problem);
        if (path.empty())
            fail("the recording of this session could not be written: " + problem);
        else
            fail("the recording of this session is " + path + " (keelhaven --replay " + path + ")");
    });
    platform::setInputTap(nullptr);
    return code;
}
