#include "player_file.h"

#include <cerrno>
#include <cstring>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace platform {
namespace {

PlayerFileRead refuse(std::string& reason, const std::string& path, const std::string& why)
{
    reason = path + " " + why;
    return PlayerFileRead::Refused;
}

}  // namespace

PlayerFileRead readPlayerFile(const std::string& path, std::string& text, std::string& reason, std::size_t limit)
{
    text.clear();
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0) {
        if (errno == ENOENT || errno == ENOTDIR)
            return PlayerFileRead::Missing;
        return refuse(reason, path, std::string("cannot be read: ") + std::strerror(errno));
    }
    if (!S_ISREG(st.st_mode))
        return refuse(reason, path, "is not a plain file");
    // Non-blocking, so that a pipe put there after the check cannot hold the
    // open; the type is checked again on what was opened.
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
    if (fd < 0)
        return refuse(reason, path, std::string("cannot be read: ") + std::strerror(errno));
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        ::close(fd);
        return refuse(reason, path, "is not a plain file");
    }
    if (static_cast<unsigned long long>(st.st_size) > limit) {
        ::close(fd);
        return refuse(reason, path, "is larger than " + std::to_string(limit / 1024) + " KiB");
    }
    text.resize(limit + 1);
    std::size_t got = 0;
    while (got < text.size()) {
        const ssize_t n = ::read(fd, text.data() + got, text.size() - got);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0) {
            const int err = errno;
            ::close(fd);
            text.clear();
            return refuse(reason, path, std::string("cannot be read: ") + std::strerror(err));
        }
        if (n == 0)
            break;
        got += static_cast<std::size_t>(n);
    }
    ::close(fd);
    if (got > limit) {  // it grew after the size was checked
        text.clear();
        return refuse(reason, path, "is larger than " + std::to_string(limit / 1024) + " KiB");
    }
    text.resize(got);
    return PlayerFileRead::Read;
}

}  // namespace platform
