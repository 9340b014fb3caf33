// A kept texel file of any bytes, for one fixed picture. What the reader
// takes must be exactly that picture's header followed by its texels, whose
// checksum is right: writing the header again from what was read gives the
// file back byte for byte.
#include "fuzz_check.h"
#include "texel_file.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view file(reinterpret_cast<const char*>(data), size);
    platform::TexelSource source;
    source.path = "/p.png";
    source.size = 100;
    source.modified = 7;
    source.colorKey = 0xFF00FF00u;
    platform::TexelHeader header;
    std::string_view texels;
    std::string why;
    const bool ok = platform::readTexelFile(file, source, header, texels, why);
    fuzz::require(ok || !why.empty(), "a refused texel file says why");
    if (!ok)
        return 0;
    fuzz::require(header.width >= 1 && header.height >= 1, "a picture has texels");
    fuzz::require(texels.size() == static_cast<std::size_t>(header.width) * header.height * 4,
                  "the file holds exactly its texels");
    const bool noInk = header.inkLeft == 0 && header.inkTop == 0 && header.inkWidth == 0 && header.inkHeight == 0;
    fuzz::require(noInk || (header.inkWidth >= 1 && header.inkHeight >= 1 &&
                            header.inkLeft + header.inkWidth <= header.width &&
                            header.inkTop + header.inkHeight <= header.height),
                  "the ink lies inside the picture");
    fuzz::require(platform::texelChecksum(texels.data(), header.width, header.height,
                                          static_cast<std::size_t>(header.width) * 4) == header.checksum,
                  "the texels' checksum");
    fuzz::require(platform::texelFileHeader(source, header) + std::string(texels) == file,
                  "the header written again gives the file back");
    return 0;
}
