// A high-score file ("saveFiles\HighScores.txt") of any bytes.
#include "app/high_scores.h"
#include "fuzz_check.h"

#include <sstream>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    std::istringstream in(fuzz::text(data, size));
    std::vector<int> scores;
    std::vector<std::string> names;
    readHighScores(in, scores, names);
    fuzz::require(scores.size() == highScoreNS::COUNT && names.size() == highScoreNS::COUNT, "ten rows");
    for (std::size_t i = 0; i < scores.size(); ++i) {
        fuzz::require(i == 0 || scores[i - 1] >= scores[i], "highest first");
        fuzz::require(names[i].size() <= highScoreNS::NAME_LENGTH, "names of at most three characters");
    }
    // The table written and read again is the same table.
    std::istringstream back(highScoreText(scores, names));
    std::vector<int> scoresAgain;
    std::vector<std::string> namesAgain;
    fuzz::require(readHighScores(back, scoresAgain, namesAgain), "a written table reads back whole");
    fuzz::require(scoresAgain == scores && namesAgain == names, "the high-score round trip");
    return 0;
}
