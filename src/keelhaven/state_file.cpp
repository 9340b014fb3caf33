#include "keelhaven/state_file.h"

#include <charconv>
#include <cstdio>
#include <sstream>

RecordCheck recordCheckOf(std::string_view record)
{
    std::uint64_t hash = 14695981039346656037ull;
    for (unsigned char c : record) {
        hash ^= c;
        hash *= 1099511628211ull;
    }
    return RecordCheck{hash, record.size()};
}

std::string stateFileText(const std::string& stateName, int nextLevel)
{
    return stateName + "\n" + std::to_string(nextLevel);
}

std::string stateFileText(const std::string& stateName, int nextLevel, const RecordCheck& record)
{
    char hex[17];
    std::snprintf(hex, sizeof(hex), "%016llx", static_cast<unsigned long long>(record.hash));
    return stateFileText(stateName, nextLevel) + "\nrecord " + hex + " " + std::to_string(record.size);
}

namespace {

template <typename T>
bool wholeNumber(const std::string& text, T& value, int base = 10)
{
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value, base);
    return ec == std::errc() && end == text.data() + text.size();
}

}  // namespace

bool readStateFile(const std::string& text, std::string& stateName, int& nextLevel,
                   std::optional<RecordCheck>& record)
{
    std::istringstream in(text);
    std::string word, number, mark, hash, size, extra;
    if (!(in >> word >> number))
        return false;
    int value = 0;
    if (!wholeNumber(number, value))
        return false;
    std::optional<RecordCheck> check;
    if (in >> mark) {
        RecordCheck c;
        if (mark != "record" || !(in >> hash >> size) || (in >> extra) || hash.size() != 16 ||
            hash.find_first_of("+-") != std::string::npos || !wholeNumber(hash, c.hash, 16) ||
            size.find_first_not_of("0123456789") != std::string::npos || !wholeNumber(size, c.size))
            return false;
        check = c;
    }
    stateName = word;
    nextLevel = value;
    record = check;
    return true;
}

bool readStateFile(const std::string& text, std::string& stateName, int& nextLevel)
{
    std::optional<RecordCheck> record;
    return readStateFile(text, stateName, nextLevel, record);
}
