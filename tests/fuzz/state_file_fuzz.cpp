// The state file ("saveFiles\StateSave.txt") of any bytes. What the reader
// takes must be what the file says, word for word: the state name, then a
// whole number that fits an int (docs/save-files.md), and nothing after
// what the format holds.
#include "fuzz_check.h"
#include "keelhaven/state_file.h"

#include <climits>

namespace {

// The word as a decimal int: an optional minus and digits, nothing else.
bool decimalInt(const std::string& word, int& value)
{
    const std::size_t first = !word.empty() && word[0] == '-' ? 1 : 0;
    if (word.size() == first)
        return false;
    long long v = 0;
    for (std::size_t i = first; i < word.size(); ++i) {
        if (word[i] < '0' || word[i] > '9')
            return false;
        v = v * 10 + (word[i] - '0');
        if (v > static_cast<long long>(INT_MAX) + 1)
            return false;
    }
    v = first ? -v : v;
    if (v > INT_MAX || v < INT_MIN)
        return false;
    value = static_cast<int>(v);
    return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string file = fuzz::text(data, size);
    const std::vector<std::string> words = fuzz::words(file);
    std::string stateName;
    int next = 0;
    if (!readStateFile(file, stateName, next)) {
        // A state file just as the writer would write it is never refused.
        int number = 0;
        fuzz::require(!(words.size() == 2 && decimalInt(words[1], number)) ||
                          fuzz::words(stateFileText(words[0], number)) != words,
                      "a name and a number are refused");
        return 0;
    }
    // Whatever the format holds, one word more is damage.
    std::string ignored;
    int ignoredNext = 0;
    fuzz::require(!readStateFile(file + "\nx", ignored, ignoredNext), "a word after the state file's last is refused");
    int number = 0;
    fuzz::require(words.size() >= 2 && words[0] == stateName, "the state name is the first word");
    fuzz::require(decimalInt(words[1], number) && number == next, "the next level is the second word, a whole int");

    const std::string written = stateFileText(stateName, next);
    // What was read, written again, reads back the same.
    std::string again;
    int nextAgain = 0;
    fuzz::require(readStateFile(written, again, nextAgain), "the written state file reads");
    fuzz::require(again == stateName && nextAgain == next, "the state file round trip");
    return 0;
}
