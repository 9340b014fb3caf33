#include "keelhaven/high_scores.h"

#include <algorithm>
#include <charconv>
#include <numeric>
#include <string_view>

namespace {

constexpr size_t LONGEST_LINE_KEPT = 64;  // more than any score or name needs

// One line without its end (LF or CR LF); a very long line is cut short and
// the rest of it skipped, so a damaged file never fills memory.
bool readLine(std::istream& in, std::string& line)
{
    line.clear();
    if (!in.good())
        return false;
    bool any = false;
    for (int c = in.get(); c != std::char_traits<char>::eof(); c = in.get()) {
        any = true;
        if (c == '\n')
            break;
        if (line.size() < LONGEST_LINE_KEPT)
            line += static_cast<char>(c);
    }
    if (!line.empty() && line.back() == '\r')
        line.pop_back();
    return any;
}

std::string_view trimmed(std::string_view s)
{
    const char* blanks = " \t\r\v\f";
    const size_t first = s.find_first_not_of(blanks);
    if (first == std::string_view::npos)
        return {};
    return s.substr(first, s.find_last_not_of(blanks) - first + 1);
}

bool readScore(std::string_view text, int& score)
{
    text = trimmed(text);
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), score);
    return !text.empty() && ec == std::errc() && end == text.data() + text.size();
}

// Highest first; rows with equal scores keep their order.
void sortRows(std::vector<int>& scores, std::vector<std::string>& names)
{
    std::vector<size_t> order(scores.size());
    std::iota(order.begin(), order.end(), size_t{0});
    std::stable_sort(order.begin(), order.end(), [&](size_t a, size_t b) { return scores[a] > scores[b]; });
    std::vector<int> sortedScores;
    std::vector<std::string> sortedNames;
    for (size_t i : order) {
        sortedScores.push_back(scores[i]);
        sortedNames.push_back(std::move(names[i]));
    }
    scores = std::move(sortedScores);
    names = std::move(sortedNames);
}

}  // namespace

void defaultHighScores(std::vector<int>& scores, std::vector<std::string>& names)
{
    scores = {1000};
    for (int k = 0; k < highScoreNS::COUNT - 1; ++k)
        scores.push_back(999 - 111 * k);
    names = {"DUS", "KME", "REK", "EEL", "HAV", "ENS", "DUS", "KME", "REK", "EEL"};
}

std::string highScoreName(const std::string& typed)
{
    std::string name;
    for (char c : typed) {
        if (name.size() == highScoreNS::NAME_LENGTH)
            break;
        if (c > ' ' && c <= '~')
            name += c;
    }
    return name;
}

bool readHighScores(std::istream& in, std::vector<int>& scores, std::vector<std::string>& names)
{
    std::vector<std::string> lines;
    std::string line;
    while (lines.size() < 2 * highScoreNS::COUNT && readLine(in, line))
        lines.push_back(line);
    bool whole = lines.size() == 2 * highScoreNS::COUNT;
    lines.resize(2 * highScoreNS::COUNT);

    scores.assign(highScoreNS::COUNT, 0);
    names.assign(highScoreNS::COUNT, "");
    bool anyScore = false;
    for (int i = 0; i < highScoreNS::COUNT; ++i) {
        if (!readScore(lines[static_cast<size_t>(i)], scores[static_cast<size_t>(i)])) {
            whole = false;
            continue;
        }
        anyScore = true;
        names[static_cast<size_t>(i)] = highScoreName(lines[static_cast<size_t>(highScoreNS::COUNT + i)]);
    }
    if (!anyScore) {
        defaultHighScores(scores, names);
        return false;
    }
    sortRows(scores, names);
    return whole;
}

std::string highScoreText(const std::vector<int>& scores, const std::vector<std::string>& names)
{
    std::string text;
    for (int score : scores)
        text += std::to_string(score) + "\n";
    for (const std::string& name : names)
        text += name + "\n";
    return text;
}

bool enterHighScore(std::vector<int>& scores, std::vector<std::string>& names, int score, const std::string& name)
{
    scores.resize(highScoreNS::COUNT, 0);
    names.resize(highScoreNS::COUNT);
    sortRows(scores, names);
    if (score <= scores.back())
        return false;
    const auto at = std::find_if(scores.begin(), scores.end(), [score](int s) { return s <= score; });
    const auto row = at - scores.begin();
    scores.insert(at, score);
    names.insert(names.begin() + row, highScoreName(name));
    scores.pop_back();
    names.pop_back();
    return true;
}
