#include "levels/box_index.h"

#include <algorithm>
#include <cmath>
#include <cstring>

namespace {

constexpr float MIN_BAND = 64;  // pixels

// A box's extent one way, smallest first: a box whose sides are the wrong
// way round (a negative scale) still meets what overlaps it.
struct Extent {
    float lo, hi;
};
Extent extent(float a, float b) { return Extent{a < b ? a : b, a < b ? b : a}; }

static_assert(sizeof(AxisBox) == sizeof(BoxKind) + 4 * sizeof(float), "compared byte for byte: no padding");

bool sameBoxes(const std::vector<AxisBox>& a, const std::vector<AxisBox>& b)
{
    // Bit for bit, so that boxes with NaN sides compare equal to themselves.
    return a.size() == b.size() && (a.empty() || std::memcmp(a.data(), b.data(), a.size() * sizeof(AxisBox)) == 0);
}

}  // namespace

bool BoxIndex::build(const std::vector<AxisBox>& boxes)
{
    if (boxes.size() > MAX_BOXES)
        return false;
    if (!sameBoxes(boxes, indexed)) {
        indexed = boxes;
        rebuild();
    }
    return true;
}

void BoxIndex::rebuild()
{
    const size_t n = indexed.size();
    all = n == MAX_BOXES ? ~std::uint64_t{0} : (std::uint64_t{1} << n) - 1;
    always = 0;
    for (auto* bands : {&startAcross, &endAcross, &startDown, &endDown})
        bands->fill(0);

    // The bands span the boxes' own sides.
    float left = INFINITY, right = -INFINITY, top = INFINITY, bottom = -INFINITY;
    for (const AxisBox& b : indexed) {
        if (b.kind != BoxKind::Box)
            continue;
        const Extent x = extent(b.left, b.right), y = extent(b.top, b.bottom);
        left = std::min(left, x.lo);
        right = std::max(right, x.hi);
        top = std::min(top, y.lo);
        bottom = std::max(bottom, y.hi);
    }
    // Bands narrower than a ship would only be more to look through.
    const float perBandAcross = std::min(BANDS / (right - left), 1 / MIN_BAND);
    const float perBandDown = std::min(BANDS / (bottom - top), 1 / MIN_BAND);
    origin = Quad{left, left, top, top};
    perBand = Quad{perBandAcross, perBandAcross, perBandDown, perBandDown};
    banded = std::isfinite(left) && std::isfinite(top) && std::isfinite(perBandAcross) &&
             std::isfinite(perBandDown) && perBandAcross > 0 && perBandDown > 0;

    for (size_t i = 0; i < n; ++i) {
        const AxisBox& b = indexed[i];
        const std::uint64_t bit = std::uint64_t{1} << i;
        if (b.kind == BoxKind::Inactive)
            continue;  // meets nothing
        if (b.kind == BoxKind::Other || !banded) {
            always |= bit;
            continue;
        }
        const Extent x = extent(b.left, b.right), y = extent(b.top, b.bottom);
        const Bands k = bandsOf(Quad{x.lo, x.hi, y.lo, y.hi});
        startAcross[static_cast<size_t>(k[0])] |= bit;
        endAcross[static_cast<size_t>(k[1])] |= bit;
        startDown[static_cast<size_t>(k[2])] |= bit;
        endDown[static_cast<size_t>(k[3])] |= bit;
    }
    // Starts carried up the bands, ends carried down.
    for (size_t k = 1; k < BANDS; ++k) {
        startAcross[k] |= startAcross[k - 1];
        startDown[k] |= startDown[k - 1];
        endAcross[BANDS - 1 - k] |= endAcross[BANDS - k];
        endDown[BANDS - 1 - k] |= endDown[BANDS - k];
    }
}
