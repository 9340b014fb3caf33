// A picture file (PNG or JPEG) of any bytes, looked at before decoding.
#include "fuzz_check.h"
#include "picture_check.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    std::string why;
    const bool ok = platform::checkPictureBytes({reinterpret_cast<const char*>(data), size}, why);
    fuzz::require(ok || !why.empty(), "a refused picture says why");
    return 0;
}
