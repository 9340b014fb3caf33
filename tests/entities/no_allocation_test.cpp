// The collision tests and the bounce run many times a frame: they must not
// touch the heap. Every allocation in this program is counted.
#include "entity_fixtures.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cstdlib>
#include <new>

namespace {
std::atomic<long> allocations{0};
}

// Replacing the global operators with malloc and free is what the language
// allows; GCC cannot tell a replacement from a mismatched pair and warns.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wmismatched-new-delete"
void* operator new(std::size_t size)
{
    ++allocations;
    if (void* p = std::malloc(size ? size : 1))
        return p;
    throw std::bad_alloc();
}
// The library's array and sized forms come down to these two.
void operator delete(void* p) noexcept { std::free(p); }
void operator delete(void* p, std::size_t) noexcept { std::free(p); }
#pragma GCC diagnostic pop

using namespace entity_fixtures;

TEST(CollisionAllocation, NoTestOrBounceAllocates)
{
    Entity circle, other, box, turned, turned2;
    makeCircle(circle, 100, 100, 20);
    makeCircle(other, 120, 110, 20);
    makeBox(box, entityNS::BOX, 150, 100, 64);
    makeBox(turned, entityNS::ROTATED_BOX, 130, 140, 64, 30);
    makeBox(turned2, entityNS::ROTATED_BOX, 160, 170, 64, 75);
    Entity* all[] = {&circle, &other, &box, &turned, &turned2};

    const long before = allocations.load();
    D3DXVECTOR2 v;
    int hits = 0;
    for (Entity* a : all) {
        for (Entity* b : all) {
            if (a != b && a->testCollision(*b, v)) {
                ++hits;
                a->bounce(v, *b);
                a->bounceFromRest(v, *b);
            }
        }
        a->update(0.016f);
    }
    EXPECT_EQ(allocations.load(), before);
    EXPECT_GT(hits, 4) << "the shapes were meant to overlap";
}
