// What the harnesses share: a check that stops the run with a message, so a
// reader that accepts what it should have refused (or breaks a promise its
// header makes) is a finding like a crash. Each harness re-checks what its
// reader accepted with a plain reading of the format of its own, written
// without looking at the reader's code paths, so a reader that lets a bad
// file through is caught (tools/fuzz/check_planted_faults.sh proves it).
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

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

// Bytes of a file read without trust: any field past the end reads as
// `missing`, so an oracle can read a whole record and test it once.
class Fields {
public:
    Fields(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}
    std::size_t size() const { return size_; }
    bool has(std::uint64_t at, std::uint64_t length) const { return at <= size_ && length <= size_ - at; }
    std::uint64_t le(std::uint64_t at, int bytes) const
    {
        std::uint64_t v = 0;
        for (int i = bytes - 1; i >= 0; --i)
            v = v << 8 | (has(at + static_cast<unsigned>(i), 1) ? data_[at + static_cast<unsigned>(i)] : 0);
        return v;
    }
    std::uint64_t be(std::uint64_t at, int bytes) const
    {
        std::uint64_t v = 0;
        for (int i = 0; i < bytes; ++i)
            v = v << 8 | (has(at + static_cast<unsigned>(i), 1) ? data_[at + static_cast<unsigned>(i)] : 0);
        return v;
    }
    std::uint8_t byte(std::uint64_t at) const { return has(at, 1) ? data_[at] : 0; }
    std::string_view view(std::uint64_t at, std::uint64_t length) const
    {
        if (!has(at, length))
            return {};
        return {reinterpret_cast<const char*>(data_ + at), static_cast<std::size_t>(length)};
    }
    // A NUL-padded name in a field of `length` bytes; false unless the field
    // is in the file and holds a NUL.
    bool paddedName(std::uint64_t at, std::uint64_t length, std::string& name) const
    {
        const std::string_view field = view(at, length);
        const std::size_t nul = field.find('\0');
        if (field.empty() || nul == std::string_view::npos)
            return false;
        name = std::string(field.substr(0, nul));
        return true;
    }

private:
    const std::uint8_t* data_;
    std::size_t size_;
};

// White-space separated words, as the C locale's isspace sees them.
inline std::vector<std::string> words(std::string_view text)
{
    std::vector<std::string> out;
    std::string word;
    for (char c : text) {
        if (c == ' ' || (c >= '\t' && c <= '\r')) {
            if (!word.empty())
                out.push_back(word);
            word.clear();
        } else {
            word += c;
        }
    }
    if (!word.empty())
        out.push_back(word);
    return out;
}

}  // namespace fuzz
