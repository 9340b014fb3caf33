// Which of a set of boxes, worked out in advance, a given box may meet,
// without comparing it with each one. The boxes are entered in coarse bands
// across and down the space they span; two boxes can meet only when they
// share a band both ways. Answers are a superset of the boxes that meet (the
// caller still checks each), in the boxes' own order, so a caller can keep
// the order in which it has always tested them.
#pragma once

#include "entities/axis_box.h"

#include <array>
#include <cstdint>
#include <vector>

class BoxIndex {
public:
    static constexpr size_t MAX_BOXES = 64;  // one bit each
    static constexpr int BANDS = 32;         // each way

    // Indexes boxes, unless they are the ones already indexed. False, and
    // the index is not to be asked, when there are more than MAX_BOXES.
    bool build(const std::vector<AxisBox>& boxes);
    // Bit i set: box may meet boxes[i]. A clear bit is a box that cannotMeet
    // says box does not meet.
    std::uint64_t mayMeet(const AxisBox& box) const;

private:
    void rebuild();
    int bandAcross(float x) const;
    int bandDown(float y) const;

    std::vector<AxisBox> indexed;  // what the bands were worked out from
    bool banded = false;           // false: no usable bands, answer every box
    std::uint64_t all = 0;
    std::uint64_t always = 0;  // boxes only the full test can rule out
    float originX = 0, originY = 0;
    float perBandAcross = 1, perBandDown = 1;  // bands per pixel
    std::array<std::uint64_t, BANDS> across{};
    std::array<std::uint64_t, BANDS> down{};
};
