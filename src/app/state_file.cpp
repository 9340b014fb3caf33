#include "app/state_file.h"

#include <charconv>
#include <sstream>

std::string stateFileText(const std::string& stateName, int nextLevel)
{
    return stateName + "\n" + std::to_string(nextLevel);
}

bool readStateFile(const std::string& text, std::string& stateName, int& nextLevel)
{
    std::istringstream in(text);
    std::string word, number, extra;
    if (!(in >> word >> number) || (in >> extra))
        return false;
    int value = 0;
    const auto [end, ec] = std::from_chars(number.data(), number.data() + number.size(), value);
    if (ec != std::errc() || end != number.data() + number.size())
        return false;
    stateName = word;
    nextLevel = value;
    return true;
}
