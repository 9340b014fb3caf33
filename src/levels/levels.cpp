#include "levels/levels.h"

#include <array>
#include <utility>

namespace {

using Factory = std::unique_ptr<Level> (*)(Graphics*, Game*, Input*, Audio*, Ship*, Keelhaven*);

template <typename L>
std::unique_ptr<Level> make(Graphics* g, Game* gm, Input* i, Audio* a, Ship* s, Keelhaven* k)
{
    return std::make_unique<L>(g, gm, i, a, s, k);
}

constexpr std::array<Factory, levelNS::LEVEL_COUNT> factories = {
    make<Level1>,  make<Level2>,  make<Level3>,  make<Level4>,  make<Level5>,  make<Level6>,  make<Level7>,
    make<Level8>,  make<Level9>,  make<Level10>, make<Level11>, make<Level12>, make<Level13>, make<Level14>,
    make<Level15>, make<Level16>, make<Level17>, make<Level18>, make<Level19>, make<Level20>, make<Level21>,
    make<Level22>, make<Level23>, make<Level24>, make<Level25>, make<Level26>, make<Level27>, make<Level28>,
    make<Level29>, make<Level30>, make<Level31>,
};

}  // namespace

std::unique_ptr<Level> createLevel(int number, Graphics* graphics, Game* game, Input* input, Audio* audio, Ship* ship,
                                   Keelhaven* keelhaven)
{
    if (number < 1 || number > levelNS::LEVEL_COUNT)
        return nullptr;
    return factories[static_cast<size_t>(number - 1)](graphics, game, input, audio, ship, keelhaven);
}
