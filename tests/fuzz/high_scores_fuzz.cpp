// A high-score file ("saveFiles\HighScores.txt") of any bytes. The table
// read must be the file's: ten rows highest first, each score one the file
// gives on lines 1 to 10 (or 0 for a line that does not read), names of up
// to three printable characters and no spaces (docs/save-files.md); and it
// must come back whole through the game's own writer.
#include "fuzz_check.h"
#include "keelhaven/high_scores.h"

#include <algorithm>
#include <charconv>
#include <sstream>

namespace {

// The file's first `count` lines, without their line ends.
std::vector<std::string> fileLines(const std::string& file, std::size_t count)
{
    std::vector<std::string> lines;
    std::size_t at = 0;
    while (lines.size() < count && at < file.size()) {
        std::size_t end = file.find('\n', at);
        if (end == std::string::npos)
            end = file.size();
        lines.push_back(file.substr(at, end - at));
        at = end + 1;
    }
    lines.resize(count);
    return lines;
}

// The score a line holds, blanks around it allowed.
bool lineScore(const std::string& line, int& score)
{
    const char* blanks = " \t\r\v\f";
    const std::size_t first = line.find_first_not_of(blanks);
    if (first == std::string::npos)
        return false;
    const std::size_t last = line.find_last_not_of(blanks) + 1;
    const auto [end, ec] = std::from_chars(line.data() + first, line.data() + last, score);
    return ec == std::errc() && end == line.data() + last;
}

// The scores are the file's first ten lines, sorted; with none that reads,
// the default table. (The reader cuts a line past 64 characters short; no
// real score line is that long, so such files are left out of this check.)
void requireScoresOfFile(const std::string& file, const std::vector<int>& scores,
                         const std::vector<std::string>& names)
{
    const std::vector<std::string> lines = fileLines(file, highScoreNS::COUNT);
    if (std::any_of(lines.begin(), lines.end(), [](const std::string& l) { return l.size() > 64; }))
        return;
    std::vector<int> expected;
    bool any = false;
    for (const std::string& line : lines) {
        int score = 0;
        any = lineScore(line, score) || any;
        expected.push_back(score);
    }
    if (!any) {
        std::vector<std::string> defaultNames;
        defaultHighScores(expected, defaultNames);
        fuzz::require(names == defaultNames, "no readable score gives the default names");
    }
    std::sort(expected.rbegin(), expected.rend());
    fuzz::require(scores == expected, "the scores are the file's first ten lines");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string file = fuzz::text(data, size);
    std::istringstream in(file);
    std::vector<int> scores;
    std::vector<std::string> names;
    readHighScores(in, scores, names);
    fuzz::require(scores.size() == highScoreNS::COUNT && names.size() == highScoreNS::COUNT, "ten rows");
    for (std::size_t i = 0; i < scores.size(); ++i) {
        fuzz::require(i == 0 || scores[i - 1] >= scores[i], "highest first");
        fuzz::require(names[i].size() <= highScoreNS::NAME_LENGTH, "names of at most three characters");
        for (char c : names[i])
            fuzz::require(c > ' ' && c <= '~', "names of printable characters and no spaces");
    }

    // The table written and read again is the same table.
    std::istringstream back(highScoreText(scores, names));
    std::vector<int> scoresAgain;
    std::vector<std::string> namesAgain;
    fuzz::require(readHighScores(back, scoresAgain, namesAgain), "a written table reads back whole");
    fuzz::require(scoresAgain == scores && namesAgain == names, "the high-score round trip");

    requireScoresOfFile(file, scores, names);
    return 0;
}
