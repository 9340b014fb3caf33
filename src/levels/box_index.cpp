#include "levels/box_index.h"

#include <algorithm>
#include <cmath>
#include <cstring>

namespace {

constexpr float MIN_BAND = 64;  // pixels
// Each box is entered this much wider every way, so that it can move by up
// to TOLERANCE from where the index has it, plus the rounding of the sums
// that follow it, and still be found: far more room than that rounding on
// sides no larger than LARGEST.
constexpr float SLACK = 2;            // pixels
constexpr float TOLERANCE = 0.5f;     // pixels
constexpr float LARGEST = 65536;      // pixels, any side or move that is followed

static_assert(sizeof(AxisBox) == sizeof(BoxKind) + 4 * sizeof(float), "compared byte for byte: no padding");

bool sameBoxes(const std::vector<AxisBox>& a, const std::vector<AxisBox>& b)
{
    // Bit for bit, so that boxes with NaN sides compare equal to themselves.
    return a.size() == b.size() && (a.empty() || std::memcmp(a.data(), b.data(), a.size() * sizeof(AxisBox)) == 0);
}

// False for NaN as well.
bool within(float v, float limit) { return std::fabs(v) <= limit; }

bool sidesWithin(const AxisBox& b, float limit)
{
    return within(b.left, limit) && within(b.right, limit) && within(b.top, limit) && within(b.bottom, limit);
}

}  // namespace

bool BoxIndex::build(const std::vector<AxisBox>& boxes)
{
    if (boxes.size() > MAX_BOXES)
        return false;
    if (!follows(boxes)) {
        indexed = boxes;
        rebuild();
    }
    return true;
}

// Are boxes those indexed, as they were at the last build or all moved by
// the same amount (to within TOLERANCE)? Then the index takes up the move.
bool BoxIndex::follows(const std::vector<AxisBox>& boxes)
{
    if (sameBoxes(boxes, latest))
        return true;
    if (!followable || boxes.size() != indexed.size() || firstBox >= indexed.size())
        return false;  // (the last: nothing banded to follow)
    const AxisBox &then = indexed[firstBox], &now = boxes[firstBox];
    if (now.kind != BoxKind::Box)
        return false;
    const float across = now.left - then.left, down = now.top - then.top;
    if (!within(across, LARGEST) || !within(down, LARGEST))
        return false;
    const Quad move{across, across, down, down};
    const Quad limit{TOLERANCE, TOLERANCE, TOLERANCE, TOLERANCE};
    Bands near{-1, -1, -1, -1};  // every side so far within TOLERANCE (false for NaN)
    for (size_t i = 0; i < boxes.size(); ++i) {
        if (boxes[i].kind != indexed[i].kind)
            return false;
        if (boxes[i].kind != BoxKind::Box)
            continue;
        const Quad off = sidesOf(boxes[i]) - (sidesOf(indexed[i]) + move);
        near &= off <= limit && off >= -limit;
    }
    if ((near[0] & near[1] & near[2] & near[3]) == 0)
        return false;
    shiftedOrigin = origin + move;
    std::copy(boxes.begin(), boxes.end(), latest.begin());  // the same size
    return true;
}

void BoxIndex::rebuild()
{
    latest = indexed;
    const size_t n = indexed.size();
    all = n == MAX_BOXES ? ~std::uint64_t{0} : (std::uint64_t{1} << n) - 1;
    always = 0;
    followable = true;
    firstBox = static_cast<size_t>(std::find_if(indexed.begin(), indexed.end(),
                                                [](const AxisBox& b) { return b.kind == BoxKind::Box; }) -
                                   indexed.begin());
    for (auto* bands : {&startAcross, &endAcross, &startDown, &endDown})
        bands->fill(0);

    // A box as entered: its span each way with room to spare.
    auto withRoom = [](const AxisBox& b) { return span(sidesOf(b)) + Quad{-SLACK, SLACK, -SLACK, SLACK}; };
    // The bands span the boxes as entered.
    float left = INFINITY, right = -INFINITY, top = INFINITY, bottom = -INFINITY;
    for (const AxisBox& b : indexed) {
        if (b.kind != BoxKind::Box)
            continue;
        followable = followable && sidesWithin(b, LARGEST);
        const Quad e = withRoom(b);
        left = std::min(left, e[0]);
        right = std::max(right, e[1]);
        top = std::min(top, e[2]);
        bottom = std::max(bottom, e[3]);
    }
    // Bands narrower than a ship would only be more to look through.
    const float perBandAcross = std::min(BANDS / (right - left), 1 / MIN_BAND);
    const float perBandDown = std::min(BANDS / (bottom - top), 1 / MIN_BAND);
    origin = Quad{left, left, top, top};
    shiftedOrigin = origin;
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
        const Bands k = bandsOf(withRoom(b), origin);
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
