#include "manifest.h"

#include "bank_error.h"

#include <charconv>
#include <fstream>
#include <map>
#include <sstream>

namespace banks {
namespace {

constexpr std::size_t kMaxCueNameLength = 63;

bool isPlainCueName(const std::string& name)
{
    for (char c : name) {
        const bool ok = (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '_' ||
                        c == '-';
        if (!ok)
            return false;
    }
    return !name.empty() && name.size() <= kMaxCueNameLength;
}

}  // namespace

std::vector<ManifestCue> parseManifest(const std::string& text, const std::string& sourceName)
{
    std::vector<ManifestCue> cues;
    std::map<std::string, int> firstLine;
    std::istringstream lines(text);
    std::string raw;
    int lineNumber = 0;
    while (std::getline(lines, raw)) {
        ++lineNumber;
        const std::string where = sourceName + ":" + std::to_string(lineNumber) + ": ";
        if (auto hash = raw.find('#'); hash != std::string::npos)
            raw.erase(hash);
        std::istringstream fields(raw);
        std::vector<std::string> words;
        for (std::string w; fields >> w;)
            words.push_back(w);
        if (words.empty())
            continue;
        if (words.size() != 4)
            throw BankError(where + "expected 4 fields (cue name, wave file, loop or once, volume in dB), found " +
                            std::to_string(words.size()));

        ManifestCue cue;
        cue.name = words[0];
        cue.waveFile = words[1];
        cue.source = sourceName;
        cue.line = lineNumber;
        if (!isPlainCueName(cue.name))
            throw BankError(where + "cue name '" + cue.name +
                            "' must be 1 to 63 letters, digits, '_' or '-'");
        if (words[2] == "loop")
            cue.loops = true;
        else if (words[2] != "once")
            throw BankError(where + "play mode must be 'loop' or 'once', not '" + words[2] + "'");
        const std::string& volume = words[3];
        auto [end, ec] = std::from_chars(volume.data(), volume.data() + volume.size(), cue.volumeDb);
        if (ec != std::errc() || end != volume.data() + volume.size())
            throw BankError(where + "volume '" + volume + "' is not a number of dB");
        if (cue.volumeDb < -60.0 || cue.volumeDb > 6.0)
            throw BankError(where + "volume " + volume + " dB is outside -60 to +6 dB");

        auto [it, fresh] = firstLine.emplace(cue.name, lineNumber);
        if (!fresh)
            throw BankError(where + "duplicate cue name '" + cue.name + "' (first given on line " +
                            std::to_string(it->second) + ")");
        cues.push_back(cue);
    }
    if (cues.empty())
        throw BankError(sourceName + ": no cues listed");
    if (cues.size() > 0xFFFE)
        throw BankError(sourceName + ": too many cues");
    return cues;
}

std::vector<ManifestCue> readManifest(const std::filesystem::path& path)
{
    std::ifstream in(path);
    if (!in)
        throw BankError("cannot open manifest " + path.string());
    std::ostringstream text;
    text << in.rdbuf();
    return parseManifest(text.str(), path.string());
}

}  // namespace banks
