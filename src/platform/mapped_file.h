// A file mapped read-only into memory, so its pages are read from disk only
// when something first touches them. Plain POSIX: no SDL here.
//
// The mapping shows the file as it was opened. A file replaced the usual way
// (a new file renamed over it, as installers and our tools do) keeps the old
// contents mapped; one cut short in place while mapped would fault on the
// pages past its new end, as any mapped reader would.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace platform {

class MappedFile {
public:
    enum class Result {
        Mapped,
        CannotOpen,     // missing, or may not be read
        NotRegular,     // a folder, a pipe, a device...
        Empty,
        TooLarge,       // larger than the caller allows
        CannotMap,
    };

    MappedFile() = default;
    ~MappedFile();
    MappedFile(MappedFile&& other) noexcept;
    MappedFile& operator=(MappedFile&& other) noexcept;
    MappedFile(const MappedFile&) = delete;
    MappedFile& operator=(const MappedFile&) = delete;

    // Maps the regular file at `path`, unmapping any file mapped before.
    // Never waits on a pipe's writer, never reads the file's contents.
    Result open(const std::string& path, std::size_t largest);
    void close();

    const std::uint8_t* data() const { return data_; }
    std::size_t size() const { return size_; }

private:
    const std::uint8_t* data_ = nullptr;
    std::size_t size_ = 0;
};

}  // namespace platform
