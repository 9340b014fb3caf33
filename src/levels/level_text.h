// Small pieces for reading the levels' plain-text files: splitting a line
// into tokens and reading whole tokens as numbers, with nothing left over.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace levelText {

// Tokens of `line` separated by spaces and tabs; `out` is cleared first.
void splitTokens(std::string_view line, std::vector<std::string_view>& out);

// The whole token as a finite decimal number ("12", "-3.5", "1e2"); false for
// anything else, including "inf", "nan", "+1", "4o0" and numbers out of range.
bool readFloat(std::string_view token, float& out);

// The whole token as a decimal int ("0", "-2"); false otherwise.
bool readInt(std::string_view token, int& out);

// The token in double quotes for a message: anything but printable ASCII is
// shown as \xNN and a long token is cut short, so a damaged file cannot put
// control bytes or megabytes into the message.
std::string quoted(std::string_view token);

}  // namespace levelText
