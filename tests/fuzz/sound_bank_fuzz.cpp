// A sound bank ("pictures\Audio\Win\soundbank.xsb") of any bytes, checked
// before the sound engine sees it: alone, and against the wave bank it must
// play from (the game's own name, and as many waves as the input's first
// byte says).
#include "app/bank_check.h"
#include "fuzz_check.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    std::string why;
    const bool alone = checkSoundBank(data, size, why);
    fuzz::require(alone || !why.empty(), "a refused sound bank says why");
    if (size == 0)
        return 0;
    const WaveBankSummary waves{"KeelhavenWaves", data[0]};
    why.clear();
    const bool matched = checkSoundBank(data, size, why, &waves);
    fuzz::require(matched || !why.empty(), "a refused sound bank says why");
    fuzz::require(!matched || alone, "a bank that agrees with its wave bank is whole on its own");
    return 0;
}
