// A sound bank ("pictures\Audio\Win\soundbank.xsb") of any bytes, checked
// before the sound engine sees it.
#include "app/bank_check.h"
#include "fuzz_check.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    std::string why;
    const bool ok = checkSoundBank(data, size, why);
    fuzz::require(ok || !why.empty(), "a refused sound bank says why");
    return 0;
}
