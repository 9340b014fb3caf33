// What the harnesses share: a check that stops the run with a message, so a
// reader that accepts what it should have refused (or breaks a promise its
// header makes) is a finding like a crash.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace fuzz {

inline void require(bool ok, const char* what)
{
    if (!ok) {
        std::fprintf(stderr, "fuzz check failed: %s\n", what);
        std::abort();
    }
}

inline std::string text(const std::uint8_t* data, std::size_t size)
{
    return std::string(reinterpret_cast<const char*>(data), size);
}

}  // namespace fuzz
