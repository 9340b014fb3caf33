#include "levels/level_text.h"

#include <charconv>
#include <cmath>
#include <system_error>

namespace levelText {

void splitTokens(std::string_view line, std::vector<std::string_view>& out)
{
    out.clear();
    size_t i = 0;
    while (i < line.size()) {
        while (i < line.size() && (line[i] == ' ' || line[i] == '\t')) ++i;
        const size_t start = i;
        while (i < line.size() && line[i] != ' ' && line[i] != '\t') ++i;
        if (i > start)
            out.push_back(line.substr(start, i - start));
    }
}

bool readFloat(std::string_view token, float& out)
{
    float value = 0;
    const char* end = token.data() + token.size();
    auto [ptr, ec] = std::from_chars(token.data(), end, value, std::chars_format::general);
    if (ec != std::errc() || ptr != end || !std::isfinite(value))
        return false;
    out = value;
    return true;
}

bool readInt(std::string_view token, int& out)
{
    int value = 0;
    const char* end = token.data() + token.size();
    auto [ptr, ec] = std::from_chars(token.data(), end, value);
    if (ec != std::errc() || ptr != end)
        return false;
    out = value;
    return true;
}

std::string quoted(std::string_view token)
{
    constexpr size_t MAX_SHOWN = 40;
    static const char HEX[] = "0123456789ABCDEF";
    std::string text = "\"";
    for (size_t i = 0; i < token.size() && i < MAX_SHOWN; ++i) {
        const unsigned char c = static_cast<unsigned char>(token[i]);
        if (c >= 0x20 && c < 0x7F) {
            text += static_cast<char>(c);
        } else {
            text += "\\x";
            text += HEX[c >> 4];
            text += HEX[c & 0xF];
        }
    }
    if (token.size() > MAX_SHOWN)
        text += "...";
    text += '"';
    return text;
}

}  // namespace levelText
