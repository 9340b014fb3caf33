// What one collision test costs: nanoseconds per rotated-box test (with the
// boxes recomputed, as after every move, and with the cached boxes), per
// plain box test and per circle test, the median of several runs.
#include "entities/entity.h"
#include "render/texture_manager.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <vector>

namespace {

constexpr int RUNS = 9;
constexpr int ITERATIONS = 1'000'000;

void place(Entity& e, TextureManager& tm, int type, float cx, float cy, float degrees)
{
    Graphics* noGraphics = nullptr;
    e.initialize(noGraphics, 64, 64, 1, &tm);
    e.setCollisionType(type);
    e.setEdge(RECT{-32, -32, 32, 32});
    e.setRadius(32);
    e.setX(cx - 32);
    e.setY(cy - 32);
    e.setDegrees(degrees);
}

// Median nanoseconds per call of `step` (which runs one test).
template <typename Step>
double medianNs(Step step)
{
    std::vector<double> perCall;
    volatile int sink = 0;
    for (int run = 0; run < RUNS; ++run) {
        int hits = 0;
        const auto start = std::chrono::steady_clock::now();
        for (int i = 0; i < ITERATIONS; ++i)
            hits += step(i);
        const auto end = std::chrono::steady_clock::now();
        sink = sink + hits;
        perCall.push_back(std::chrono::duration<double, std::nano>(end - start).count() / ITERATIONS);
    }
    std::sort(perCall.begin(), perCall.end());
    return perCall[perCall.size() / 2];
}

}  // namespace

int main()
{
    TextureManager none;
    Entity a, b;
    D3DXVECTOR2 v;

    // Near-touching shapes, so that the tests run to the end rather than
    // stopping at the first separated axis. Alternate a hit and a near miss.
    place(a, none, entityNS::ROTATED_BOX, 300, 300, 30);
    place(b, none, entityNS::ROTATED_BOX, 370, 310, -20);
    const double rotatedFresh = medianNs([&](int i) {
        b.setX(338.0f + static_cast<float>(i & 1) * 2.0f);
        a.setBoxComputed(false);
        b.setBoxComputed(false);
        return a.testCollision(b, v) ? 1 : 0;
    });
    const double rotatedCached = medianNs([&](int) { return a.testCollision(b, v) ? 1 : 0; });

    place(a, none, entityNS::CIRCLE, 300, 300, 0);
    place(b, none, entityNS::CIRCLE, 360, 320, 0);
    const double circles = medianNs([&](int i) {
        b.setX(328.0f + static_cast<float>(i & 1) * 8.0f);
        return a.testCollision(b, v) ? 1 : 0;
    });

    // Plain boxes: what every ship, marker, tile and pickup in a level uses.
    place(a, none, entityNS::BOX, 300, 300, 0);
    place(b, none, entityNS::BOX, 360, 320, 0);
    const double boxes = medianNs([&](int i) {
        b.setX(332.0f + static_cast<float>(i & 1) * 2.0f);
        return a.testCollision(b, v) ? 1 : 0;
    });

    place(a, none, entityNS::ROTATED_BOX, 300, 300, 30);
    place(b, none, entityNS::CIRCLE, 350, 320, 0);
    const double boxCircle = medianNs([&](int i) {
        b.setX(318.0f + static_cast<float>(i & 1) * 8.0f);
        a.setBoxComputed(false);
        return a.testCollision(b, v) ? 1 : 0;
    });

    std::printf("collision tests, median of %d runs of %d calls\n", RUNS, ITERATIONS);
    std::printf("  rotated box vs rotated box (boxes recomputed): %6.1f ns\n", rotatedFresh);
    std::printf("  rotated box vs rotated box (boxes cached):     %6.1f ns\n", rotatedCached);
    std::printf("  rotated box vs circle (box recomputed):        %6.1f ns\n", boxCircle);
    std::printf("  box vs box:                                    %6.1f ns\n", boxes);
    std::printf("  circle vs circle:                              %6.1f ns\n", circles);
    return 0;
}
