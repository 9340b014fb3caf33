#include "bank_check.h"

#include <cstring>

bool checkWaveBank(const std::uint8_t* data, std::size_t size, std::string& why)
{
    if (size < 52 || std::memcmp(data, "WBND", 4) != 0) {
        why = "not a wave bank";
        return false;
    }
    return true;
}

bool checkSoundBank(const std::uint8_t* data, std::size_t size, std::string& why)
{
    if (size < 74 || std::memcmp(data, "SDBK", 4) != 0) {
        why = "not a sound bank";
        return false;
    }
    return true;
}
