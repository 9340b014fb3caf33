// The one error the bank builder raises: a message for whoever runs it.
#pragma once

#include <stdexcept>
#include <string>

namespace banks {

class BankError : public std::runtime_error {
public:
    explicit BankError(const std::string& message) : std::runtime_error(message) {}
};

}  // namespace banks
