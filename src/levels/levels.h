// The 31 levels. They share one implementation (Level); what sets each apart
// is its number, which picks its map, its data file and its rules.
#pragma once

#include "levels/level.h"

#include <memory>

template <int N>
class NumberedLevel : public Level {
public:
    static_assert(N >= 1 && N <= levelNS::LEVEL_COUNT);
    explicit NumberedLevel(Voyage& voyage) : Level(N, voyage) {}
};

// clang-format off
class Level1 : public NumberedLevel<1> { using NumberedLevel::NumberedLevel; };
class Level2 : public NumberedLevel<2> { using NumberedLevel::NumberedLevel; };
class Level3 : public NumberedLevel<3> { using NumberedLevel::NumberedLevel; };
class Level4 : public NumberedLevel<4> { using NumberedLevel::NumberedLevel; };
class Level5 : public NumberedLevel<5> { using NumberedLevel::NumberedLevel; };
class Level6 : public NumberedLevel<6> { using NumberedLevel::NumberedLevel; };
class Level7 : public NumberedLevel<7> { using NumberedLevel::NumberedLevel; };
class Level8 : public NumberedLevel<8> { using NumberedLevel::NumberedLevel; };
class Level9 : public NumberedLevel<9> { using NumberedLevel::NumberedLevel; };
class Level10 : public NumberedLevel<10> { using NumberedLevel::NumberedLevel; };
class Level11 : public NumberedLevel<11> { using NumberedLevel::NumberedLevel; };
class Level12 : public NumberedLevel<12> { using NumberedLevel::NumberedLevel; };
class Level13 : public NumberedLevel<13> { using NumberedLevel::NumberedLevel; };
class Level14 : public NumberedLevel<14> { using NumberedLevel::NumberedLevel; };
class Level15 : public NumberedLevel<15> { using NumberedLevel::NumberedLevel; };
class Level16 : public NumberedLevel<16> { using NumberedLevel::NumberedLevel; };
class Level17 : public NumberedLevel<17> { using NumberedLevel::NumberedLevel; };
class Level18 : public NumberedLevel<18> { using NumberedLevel::NumberedLevel; };
class Level19 : public NumberedLevel<19> { using NumberedLevel::NumberedLevel; };
class Level20 : public NumberedLevel<20> { using NumberedLevel::NumberedLevel; };
class Level21 : public NumberedLevel<21> { using NumberedLevel::NumberedLevel; };
class Level22 : public NumberedLevel<22> { using NumberedLevel::NumberedLevel; };
class Level23 : public NumberedLevel<23> { using NumberedLevel::NumberedLevel; };
class Level24 : public NumberedLevel<24> { using NumberedLevel::NumberedLevel; };
class Level25 : public NumberedLevel<25> { using NumberedLevel::NumberedLevel; };
class Level26 : public NumberedLevel<26> { using NumberedLevel::NumberedLevel; };
class Level27 : public NumberedLevel<27> { using NumberedLevel::NumberedLevel; };
class Level28 : public NumberedLevel<28> { using NumberedLevel::NumberedLevel; };
class Level29 : public NumberedLevel<29> { using NumberedLevel::NumberedLevel; };
class Level30 : public NumberedLevel<30> { using NumberedLevel::NumberedLevel; };
class Level31 : public NumberedLevel<31> { using NumberedLevel::NumberedLevel; };
// clang-format on

// Level `number` (1 to 31) of its own class.
std::unique_ptr<Level> createLevel(int number, Voyage& voyage);
