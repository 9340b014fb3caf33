#include "mapped_file.h"

#include <utility>

#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

namespace platform {

MappedFile::~MappedFile() { close(); }

MappedFile::MappedFile(MappedFile&& other) noexcept
    : data_(std::exchange(other.data_, nullptr)), size_(std::exchange(other.size_, 0))
{
}

MappedFile& MappedFile::operator=(MappedFile&& other) noexcept
{
    if (this != &other) {
        close();
        data_ = std::exchange(other.data_, nullptr);
        size_ = std::exchange(other.size_, 0);
    }
    return *this;
}

void MappedFile::close()
{
    if (data_)
        munmap(const_cast<std::uint8_t*>(data_), size_);
    data_ = nullptr;
    size_ = 0;
}

MappedFile::Result MappedFile::open(const std::string& path, std::size_t largest)
{
    close();
    // Non-blocking, so that opening a pipe does not wait for its writer; the
    // flag means nothing for the regular files that are mapped.
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY);
    if (fd < 0)
        return Result::CannotOpen;
    struct stat st {};
    Result result = Result::Mapped;
    if (fstat(fd, &st) != 0)
        result = Result::CannotOpen;
    else if (!S_ISREG(st.st_mode))
        result = Result::NotRegular;
    else if (st.st_size <= 0)
        result = Result::Empty;
    else if (static_cast<std::uint64_t>(st.st_size) > largest)
        result = Result::TooLarge;
    if (result == Result::Mapped) {
        const auto length = static_cast<std::size_t>(st.st_size);
        void* at = mmap(nullptr, length, PROT_READ, MAP_PRIVATE, fd, 0);
        if (at == MAP_FAILED) {
            result = Result::CannotMap;
        } else {
            data_ = static_cast<const std::uint8_t*>(at);
            size_ = length;
        }
    }
    ::close(fd);  // the mapping keeps the file
    return result;
}

}  // namespace platform
