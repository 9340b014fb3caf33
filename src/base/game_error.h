// The one exception type of the game: fatal errors end the program with a
// message box; warnings are reported the same way by the entry point.
#pragma once

#include <exception>
#include <string>

namespace gameErrorNS {
constexpr int FATAL_ERROR = -1;
constexpr int WARNING = 1;
}  // namespace gameErrorNS
using gameErrorNS::FATAL_ERROR;
using gameErrorNS::WARNING;

class GameError : public std::exception {
public:
    GameError(int code, const std::string& text) : errorCode(code), message(text) {}
    GameError(int code, const char* text) : errorCode(code), message(text ? text : "") {}
    GameError(const GameError&) = default;
    GameError& operator=(const GameError&) = default;
    ~GameError() override = default;

    const char* what() const noexcept override { return message.c_str(); }
    int getErrorCode() const noexcept { return errorCode; }
    const char* getMessage() const noexcept { return message.c_str(); }

private:
    int errorCode;
    std::string message;
};
