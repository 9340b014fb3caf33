// Which of a set of boxes, worked out in advance, a given box may meet,
// without comparing it with each one. The boxes are entered in coarse bands
// across and down the space they span; two boxes can meet only when they
// share a band both ways. Answers are a superset of the boxes that meet (the
// caller still checks each), in the boxes' own order, so a caller can keep
// the order in which it has always tested them.
//
// Boxes that all move together by a little (the map scrolling under them)
// keep their bands: each box is entered with room to spare, and the index
// follows the move instead of starting again.
#pragma once

#include "entities/axis_box.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <vector>

class BoxIndex {
    // Four coordinates, worked on side by side: two across, then two down.
    using Quad = float __attribute__((vector_size(16)));
    using Bands = int __attribute__((vector_size(16)));

public:
    static constexpr size_t MAX_BOXES = 64;  // one bit each
    static constexpr int BANDS = 32;         // each way

    // Indexes boxes, unless they are the ones already indexed, moved
    // together or not at all. False, and the index is not to be asked, when
    // there are more than MAX_BOXES.
    bool build(const std::vector<AxisBox>& boxes);
    // Bit i set: box may meet boxes[i]. A clear bit is a box that cannotMeet
    // says box does not meet.
    std::uint64_t mayMeet(const AxisBox& box) const
    {
        if (box.kind == BoxKind::Inactive)
            return 0;
        if (box.kind == BoxKind::Other || !banded)
            return all;
        return entered(bandsOf(span(sidesOf(box)), shiftedOrigin)) | always;
    }

private:
    static Quad sidesOf(const AxisBox& box)
    {
        static_assert(offsetof(AxisBox, bottom) == offsetof(AxisBox, left) + 3 * sizeof(float));
        Quad sides;  // left, right, top, bottom
        std::memcpy(&sides, &box.left, sizeof sides);
        return sides;
    }
    // The smaller and larger side each way: a box the wrong way round (a
    // negative scale) still meets what overlaps it. (Written as two
    // comparisons, the compiler makes each one instruction; with a NaN side,
    // which meets nothing, which side is taken does not matter.)
    static Quad span(Quad sides)
    {
        const Quad swapped = __builtin_shufflevector(sides, sides, 1, 0, 3, 2);
        const Quad lo = sides < swapped ? sides : swapped, hi = swapped < sides ? sides : swapped;
        return __builtin_shufflevector(lo, hi, 0, 5, 2, 7);
    }
    // The bands of four coordinates: monotone, so a coordinate two boxes both
    // cover falls in a band both are entered in. NaN goes to the last band,
    // which is harmless: a NaN side meets nothing.
    Bands bandsOf(Quad v, Quad from) const
    {
        const Quad last{BANDS - 1, BANDS - 1, BANDS - 1, BANDS - 1}, zero{};
        Quad t = (v - from) * perBand;
        t = t < last ? t : last;
        t = t > zero ? t : zero;
        return __builtin_convertvector(t, Bands);
    }
    // The boxes entered in a band from k[0] to k[1] across and from k[2]
    // to k[3] down: those that start at or before the last and end at or
    // after the first, both ways.
    std::uint64_t entered(Bands k) const
    {
        return startAcross[static_cast<size_t>(k[1])] & endAcross[static_cast<size_t>(k[0])] &
               startDown[static_cast<size_t>(k[3])] & endDown[static_cast<size_t>(k[2])];
    }
    bool follows(const std::vector<AxisBox>& boxes);
    void rebuild();

    std::vector<AxisBox> indexed;  // what the bands were worked out from
    std::vector<AxisBox> latest;   // the boxes last built with
    bool banded = false;           // false: no usable bands, answer every box
    bool followable = false;       // small enough sides to follow a move
    size_t firstBox = 0;           // the first of kind Box, whose move the others must share
    std::uint64_t all = 0;
    std::uint64_t always = 0;   // boxes only the full test can rule out
    Quad origin{0, 0, 0, 0};    // the bands' left twice, then their top twice
    Quad shiftedOrigin{0, 0, 0, 0};  // origin moved as far as the boxes have moved since
    Quad perBand{1, 1, 1, 1};   // bands per pixel: across twice, then down twice
    // Bit i of start*[k]: box i's first band is k or before; of end*[k]: its
    // last band is k or after.
    std::array<std::uint64_t, BANDS> startAcross{}, endAcross{}, startDown{}, endDown{};
};
