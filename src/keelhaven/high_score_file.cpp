#include "keelhaven/high_score_file.h"

#include "files.h"
#include "keelhaven/high_scores.h"
#include "player_file.h"
#include "replace_file.h"

#include <cstdio>
#include <filesystem>
#include <sstream>

namespace {

void report(const std::string& problem) { std::fprintf(stderr, "Keelhaven: %s\n", problem.c_str()); }

// A name beside `path` that nothing has yet: "HighScores.damaged.txt", then
// "HighScores.damaged-2.txt" and on.
std::filesystem::path setAsideName(const std::filesystem::path& path)
{
    const std::filesystem::path folder = path.parent_path();
    const std::string stem = path.stem().string(), extension = path.extension().string();
    std::error_code ec;
    for (int n = 1;; ++n) {
        const std::string suffix = n == 1 ? ".damaged" : ".damaged-" + std::to_string(n);
        std::filesystem::path candidate = folder / (stem + suffix + extension);
        if (!std::filesystem::exists(candidate, ec) && !ec)
            return candidate;
        if (ec || n > 999)
            return {};
    }
}

}  // namespace

bool loadHighScoreFile(std::vector<int>& scores, std::vector<std::string>& names)
{
    const std::string path = platform::resolveSavePath(highScoreNS::FILE_NAME);
    std::string text, reason;
    switch (platform::readPlayerFile(path, text, reason)) {
    case platform::PlayerFileRead::Read: {
        std::istringstream in(text);
        if (readHighScores(in, scores, names))
            return true;
        report("the high-score table " + path + " is damaged: it is set aside when a game next ends");
        return false;
    }
    case platform::PlayerFileRead::Refused:
        defaultHighScores(scores, names);  // the file is left as it is until a game ends
        report("the high-score table " + reason + ": it is set aside when a game next ends");
        return false;
    case platform::PlayerFileRead::Missing:
        break;
    }
    defaultHighScores(scores, names);
    std::string problem;
    if (!platform::checkSaveDirectory(problem) || !platform::replaceFile(path, highScoreText(scores, names), problem))
        report("the high-score table is kept in memory only: " + problem);
    return true;
}

bool writeHighScoreFile(const std::vector<int>& scores, const std::vector<std::string>& names, bool& damaged,
                        std::string& notice)
{
    const std::string path = platform::resolveSavePath(highScoreNS::FILE_NAME);
    std::string problem;
    if (!platform::checkSaveDirectory(problem)) {
        report("the high-score table is kept in memory only: " + problem);
        notice = "Your score is kept until the game closes but was not written: " + problem;
        return false;
    }
    std::string setAside;
    if (damaged) {
        std::error_code ec;
        const std::filesystem::path aside = setAsideName(path);
        if (!aside.empty())
            std::filesystem::rename(path, aside, ec);
        if (aside.empty() || (ec && std::filesystem::exists(path))) {
            report("the damaged high-score table " + path + " could not be set aside, so it is left as it is");
            notice = "The high-score file is damaged and could not be set aside, so your score was "
                     "not written to it";
            return false;
        }
        damaged = false;
        if (!ec) {
            setAside = aside.filename().string();
            report("the damaged high-score table was set aside as " + aside.string());
        }
    }
    if (!platform::replaceFile(path, highScoreText(scores, names), problem)) {
        report("the high-score table is kept in memory only: " + problem);
        notice = "Your score is kept until the game closes but was not written: " + problem;
        return false;
    }
    if (!setAside.empty())
        notice = "The high-score file was damaged; it was kept as " + setAside + " and a new one begun";
    return true;
}
