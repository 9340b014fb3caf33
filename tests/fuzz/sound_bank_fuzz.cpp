// A sound bank ("pictures\Audio\Win\soundbank.xsb") of any bytes, checked
// before the sound engine sees it: alone, and against the wave bank it must
// play from (the game's own name, and as many waves as the input's first
// byte says). A bank the check lets through is walked again here in the
// order the engine reads it (../shared/xact-banks.md, 2.0): every sound a
// plain one or one PlayWave track, in a category that exists, from the one
// wave bank and a wave it has; every cue on a sound; the names ending the file.
#include "engine/bank_check.h"
#include "engine/bank_contents.h"
#include "fuzz_check.h"

#include <set>

namespace {

constexpr std::uint64_t kNone = 0xFFFFFFFFu;

void requireEngineSafe(const fuzz::Fields& f, const WaveBankSummary* waves)
{
    fuzz::require(f.view(0, 4) == "SDBK" && f.le(4, 2) == 46 && f.le(6, 2) == 43 && f.byte(18) == 1,
                  "the sound bank's tag, versions and platform");
    const std::uint64_t simpleCues = f.le(19, 2);
    const std::uint64_t cues = simpleCues + f.le(21, 2);
    const std::uint64_t sounds = f.le(28, 2);
    fuzz::require(f.byte(27) == 1, "one wave bank");
    fuzz::require(f.le(50, 4) == kNone && f.le(54, 4) == kNone && f.le(62, 4) == kNone,
                  "no variations, transitions or hash table");
    std::string bankName;
    fuzz::require(f.paddedName(74, 64, bankName) && f.paddedName(138, 64, bankName) && !bankName.empty(),
                  "terminated bank names");
    fuzz::require(!waves || bankName == waves->name, "it plays from the wave bank it was matched with");

    std::uint64_t at = 202;
    fuzz::require(f.le(70, 4) == at, "the sounds follow the names");
    std::set<std::uint64_t> effects, music;
    for (std::uint64_t i = 0; i < sounds; ++i) {
        const std::uint8_t flags = f.byte(at);
        fuzz::require(flags <= 1, "a plain sound or one with tracks and nothing else");
        fuzz::require(f.le(at + 1, 2) <= 2, "a category that exists without settings (0, 1 or 2)");
        std::uint64_t wave = f.le(at + 9, 2), bank = f.byte(at + 11);
        const std::uint64_t length = flags == 0 ? 12 : 36;
        if (flags == 1) {
            fuzz::require(f.byte(at + 9) == 1 && f.le(at + 11, 4) == at + 19 && f.byte(at + 19) == 1 &&
                              (f.le(at + 20, 4) & 0x1F) == 1,
                          "one track of one PlayWave event");
            wave = f.le(at + 28, 2);
            bank = f.byte(at + 30);
        }
        fuzz::require(f.has(at, length), "a sound inside the file");
        fuzz::require(bank == 0, "a sound plays from wave bank 0");
        fuzz::require(!waves || wave < waves->waves, "a sound plays a wave its wave bank has");
        (flags == 0 ? effects : music).insert(at);
        at += length;
    }
    for (std::uint64_t i = 0; i < cues; ++i) {
        const bool simple = i < simpleCues;
        fuzz::require(f.has(at, simple ? 5 : 15) && f.byte(at) == 4, "a cue on one sound, inside the file");
        fuzz::require((simple ? effects : music).count(f.le(at + 1, 4)) == 1,
                      "a simple cue plays an effect, a complex one music");
        at += simple ? 5 : 15;
    }
    fuzz::require(f.le(66, 4) == at && f.has(at, 6 * cues), "the cue name index follows the cues");
    std::uint64_t name = at + 6 * cues;
    for (std::uint64_t i = 0; i < cues; ++i) {
        fuzz::require(f.le(at + 6 * i, 4) == name, "the name index points at the names in order");
        const std::string_view rest = f.view(name, f.size() - name);
        const std::size_t nul = rest.find('\0');
        fuzz::require(nul != std::string_view::npos && nul > 0, "a cue name that ends in the file");
        name += nul + 1;
    }
    fuzz::require(cues > 0 && name == f.size(), "the names end the file");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const fuzz::Fields f(data, size);
    std::string why;
    const bool alone = checkSoundBank(data, size, why);
    fuzz::require(alone || !why.empty(), "a refused sound bank says why");
    if (alone)
        requireEngineSafe(f, nullptr);
    if (size == 0)
        return 0;
    const WaveBankSummary waves{"KeelhavenWaves", data[0]};
    why.clear();
    const bool matched = checkSoundBank(data, size, why, &waves);
    fuzz::require(matched || !why.empty(), "a refused sound bank says why");
    fuzz::require(!matched || alone, "a bank that agrees with its wave bank is whole on its own");
    if (matched) {
        requireEngineSafe(f, &waves);
        // The cues Audio finds by name: one for each, named, on a wave there is.
        const std::vector<BankSound> sounds = readBankSounds(data, size);
        fuzz::require(sounds.size() == f.le(19, 2) + f.le(21, 2), "a cue read for each cue");
        for (std::size_t i = 0; i < sounds.size(); ++i)
            fuzz::require(sounds[i].cueIndex == i && !sounds[i].name.empty() && sounds[i].wave < waves.waves &&
                              sounds[i].category <= 2,
                          "a cue named, in its place, on a wave of the wave bank");
    }
    return 0;
}
