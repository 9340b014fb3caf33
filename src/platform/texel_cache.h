// The texel files of large pictures (see texel_file.h) in the cache folder
// (files.h, cacheDirectory): found, read straight into the memory the
// texture is made in, and written once a picture has been decoded. Nothing
// here is ever fatal: a file that cannot be used or written only means the
// picture is decoded as usual.
#pragma once

#include "texel_file.h"

#include <cstddef>
#include <string>

namespace platform {

// Pictures of at least this many texels are kept: the ones whose decoding
// the player waits for (the logo sheet at the start).
constexpr long long KEEP_TEXELS_FROM = 1'000'000;

// The picture at `path` with colour key `colorKey` as a texel file names it,
// and where its texel file is; false when there is no cache folder or the
// picture cannot be looked at.
bool findTexelFile(const std::string& path, std::uint32_t colorKey, TexelSource& source, std::string& texelPath);

// A texel file opened for reading; only a plain file of a size a texel file
// can have is read.
class TexelFileReader {
public:
    TexelFileReader() = default;
    ~TexelFileReader();
    TexelFileReader(const TexelFileReader&) = delete;
    TexelFileReader& operator=(const TexelFileReader&) = delete;

    // Opens `texelPath` and reads its header; false if it is missing or
    // does not stand for `source`.
    bool open(const std::string& texelPath, const TexelSource& source);
    const TexelHeader& header() const { return head; }
    // Reads the texels into rows `pitch` bytes apart and checks them; false
    // (and what was read is to be thrown away) if they are not whole.
    bool readTexels(void* rows, std::size_t pitch);

private:
    int fd = -1;
    TexelHeader head;
};

// Writes the texel file for `source`, the cache folder made if need be,
// through the write-then-rename helper; false, with why, if it cannot.
bool writeTexelFile(const std::string& texelPath, const TexelSource& source, TexelHeader header,
                    const void* rows, std::size_t pitch, std::string& why);

}  // namespace platform
