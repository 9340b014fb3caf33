#include "texel_cache.h"

#include "files.h"
#include "replace_file.h"

#include <cerrno>
#include <cstdio>
#include <filesystem>
#include <string_view>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace platform {
namespace {

// Reads exactly `size` bytes at `offset`; false on an error or a short file.
bool readAt(int fd, void* into, std::size_t size, off_t offset)
{
    auto* to = static_cast<char*>(into);
    while (size > 0) {
        const ssize_t n = ::pread(fd, to, size, offset);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        to += n;
        size -= static_cast<std::size_t>(n);
        offset += n;
    }
    return true;
}

std::string hexName(std::uint64_t hash)
{
    char name[17];
    std::snprintf(name, sizeof name, "%016llx", static_cast<unsigned long long>(hash));
    return name;
}

}  // namespace

bool findTexelFile(const std::string& path, std::uint32_t colorKey, TexelSource& source, std::string& texelPath)
{
    const std::string folder = cacheDirectory();
    struct stat st {};
    if (folder.empty() || ::stat(path.c_str(), &st) != 0 || !S_ISREG(st.st_mode))
        return false;
    source.path = path;
    source.size = static_cast<std::uint64_t>(st.st_size);
    source.modified = static_cast<std::int64_t>(st.st_mtim.tv_sec) * 1'000'000'000 + st.st_mtim.tv_nsec;
    source.colorKey = colorKey;
    // The name only spreads pictures over files; the header says which
    // picture a file is of.
    std::uint64_t hash = 0xCBF29CE484222325u;
    for (unsigned char c : path + '\n' + hexName(colorKey))
        hash = (hash ^ c) * 0x100000001B3u;
    texelPath = folder + "pictures/" + hexName(hash) + ".texels";
    return true;
}

TexelFileReader::~TexelFileReader()
{
    if (fd >= 0)
        ::close(fd);
}

bool TexelFileReader::open(const std::string& texelPath, const TexelSource& source)
{
    // Non-blocking, so a pipe put in the cache folder cannot hold the start.
    fd = ::open(texelPath.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
    struct stat st {};
    if (fd < 0 || ::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode) || st.st_size <= 0)
        return false;
    const auto fileSize = static_cast<std::uint64_t>(st.st_size);
    std::string start(static_cast<std::size_t>(std::min<std::uint64_t>(fileSize, TEXEL_HEADER_MOST)), '\0');
    std::string why;
    return readAt(fd, start.data(), start.size(), 0) && readTexelHeader(start, fileSize, source, head, why);
}

bool TexelFileReader::readTexels(void* rows, std::size_t pitch)
{
    const std::size_t rowBytes = static_cast<std::size_t>(head.width) * 4;
    auto* row = static_cast<char*>(rows);
    if (pitch == rowBytes) {
        if (!readAt(fd, row, rowBytes * static_cast<std::size_t>(head.height), static_cast<off_t>(head.headerBytes)))
            return false;
    } else {
        for (int y = 0; y < head.height; ++y)
            if (!readAt(fd, row + pitch * static_cast<std::size_t>(y), rowBytes,
                        static_cast<off_t>(head.headerBytes + rowBytes * static_cast<std::size_t>(y))))
                return false;
    }
    return texelChecksum(rows, head.width, head.height, pitch) == head.checksum;
}

bool writeTexelFile(const std::string& texelPath, const TexelSource& source, TexelHeader header,
                    const void* rows, std::size_t pitch, std::string& why)
{
    std::error_code ec;
    std::filesystem::create_directories(std::filesystem::path(texelPath).parent_path(), ec);
    header.checksum = texelChecksum(rows, header.width, header.height, pitch);
    std::string file = texelFileHeader(source, header);
    const std::size_t rowBytes = static_cast<std::size_t>(header.width) * 4;
    file.reserve(file.size() + rowBytes * static_cast<std::size_t>(header.height));
    for (int y = 0; y < header.height; ++y)
        file.append(static_cast<const char*>(rows) + pitch * static_cast<std::size_t>(y), rowBytes);
    return replaceFile(texelPath, file, why);
}

}  // namespace platform
