#include "levels/box_index.h"

#include <algorithm>
#include <cmath>
#include <cstring>

namespace {

constexpr float MIN_BAND = 64;  // pixels

// The band of a coordinate: monotone in v, so a coordinate two boxes both
// cover falls in a band both are entered in. NaN goes to band 0, which is
// harmless: a NaN side meets nothing.
int bandOf(float v, float origin, float perBand)
{
    const float t = (v - origin) * perBand;
    if (!(t >= 0))
        return 0;
    if (t >= static_cast<float>(BoxIndex::BANDS - 1))
        return BoxIndex::BANDS - 1;
    return static_cast<int>(t);
}

// A box's extent one way, smallest first. A box whose sides are the wrong
// way round (a negative scale) still meets what overlaps its extent.
struct Extent {
    float lo, hi;
};
Extent extent(float a, float b) { return Extent{std::min(a, b), std::max(a, b)}; }

std::uint64_t bandsBetween(const std::array<std::uint64_t, BoxIndex::BANDS>& bands, int first, int last)
{
    std::uint64_t m = 0;
    for (int b = first; b <= last; ++b)
        m |= bands[static_cast<size_t>(b)];
    return m;
}

static_assert(sizeof(AxisBox) == sizeof(BoxKind) + 4 * sizeof(float), "compared byte for byte: no padding");

bool sameBoxes(const std::vector<AxisBox>& a, const std::vector<AxisBox>& b)
{
    // Bit for bit, so that boxes with NaN sides compare equal to themselves.
    return a.size() == b.size() && (a.empty() || std::memcmp(a.data(), b.data(), a.size() * sizeof(AxisBox)) == 0);
}

}  // namespace

int BoxIndex::bandAcross(float x) const { return bandOf(x, originX, perBandAcross); }
int BoxIndex::bandDown(float y) const { return bandOf(y, originY, perBandDown); }

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
    across.fill(0);
    down.fill(0);

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
    originX = left;
    originY = top;
    // Bands narrower than a ship would only be more to look through.
    perBandAcross = std::min(BANDS / (right - left), 1 / MIN_BAND);
    perBandDown = std::min(BANDS / (bottom - top), 1 / MIN_BAND);
    banded = std::isfinite(originX) && std::isfinite(originY) && std::isfinite(perBandAcross) &&
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
        for (int k = bandAcross(x.lo), last = bandAcross(x.hi); k <= last; ++k)
            across[static_cast<size_t>(k)] |= bit;
        for (int k = bandDown(y.lo), last = bandDown(y.hi); k <= last; ++k)
            down[static_cast<size_t>(k)] |= bit;
    }
}

std::uint64_t BoxIndex::mayMeet(const AxisBox& box) const
{
    if (box.kind == BoxKind::Inactive)
        return 0;
    if (box.kind == BoxKind::Other || !banded)
        return all;
    const Extent x = extent(box.left, box.right), y = extent(box.top, box.bottom);
    return (bandsBetween(across, bandAcross(x.lo), bandAcross(x.hi)) &
            bandsBetween(down, bandDown(y.lo), bandDown(y.hi))) |
           always;
}
