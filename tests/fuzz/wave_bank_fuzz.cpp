// A wave bank ("pictures\Audio\Win\wavebank.xwb") of any bytes, checked
// before the sound engine sees it. The bytes sit in a buffer of exactly
// their size, so any read past the end is caught.
#include "app/bank_check.h"
#include "fuzz_check.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    std::string why;
    const bool ok = checkWaveBank(data, size, why);
    fuzz::require(ok || !why.empty(), "a refused wave bank says why");
    return 0;
}
