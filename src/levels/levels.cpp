#include "levels/levels.h"

#include <array>
#include <utility>

namespace {

using Factory = std::unique_ptr<Level> (*)(Voyage&);

template <typename L>
std::unique_ptr<Level> make(Voyage& voyage)
{
    return std::make_unique<L>(voyage);
}

constexpr std::array<Factory, levelNS::LEVEL_COUNT> factories = {
    make<Level1>,  make<Level2>,  make<Level3>,  make<Level4>,  make<Level5>,  make<Level6>,  make<Level7>,
    make<Level8>,  make<Level9>,  make<Level10>, make<Level11>, make<Level12>, make<Level13>, make<Level14>,
    make<Level15>, make<Level16>, make<Level17>, make<Level18>, make<Level19>, make<Level20>, make<Level21>,
    make<Level22>, make<Level23>, make<Level24>, make<Level25>, make<Level26>, make<Level27>, make<Level28>,
    make<Level29>, make<Level30>, make<Level31>,
};

}  // namespace

std::unique_ptr<Level> createLevel(int number, Voyage& voyage)
{
    if (number < 1 || number > levelNS::LEVEL_COUNT)
        return nullptr;
    return factories[static_cast<size_t>(number - 1)](voyage);
}
