// The whole game played by a seeded random player, headless, on the fake
// clock: keys, pad buttons, the mouse, console commands and junk typed into
// it, Alt+Enter, and lost devices, all through the same event path as real
// devices. Quit is taken as asked: the game object is deleted and a new one
// made, and the run goes on. Used by the soak test and the soak benchmark,
// so it needs no test framework.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace testsupport {

struct SoakFigures {
    long frames = 0;
    long quits = 0;  // games ended by their Quit item, each replaced by a new one
    long keyPresses = 0;
    long padChanges = 0;
    long commands = 0;  // lines entered in the console
    long altEnters = 0;
    long deviceLosses = 0;
    long statesEntered = 0;  // times the current state changed
    int distinctStates = 0;
    std::size_t residentKbAfterWarmUp = 0;
    std::size_t residentKbAtEnd = 0;
    std::size_t peakResidentKb = 0;
    int liveObjectsAfterWarmUp = 0;  // the most seen in the warm-up
    int liveObjectsAtEnd = 0;        // the most seen after it
};

// Plays `frames` frames from `seed`; the first `warmUpFrames` fill caches and
// visit screens before memory is measured. `progressEvery` > 0 prints a line
// that often. Throws what the game throws.
SoakFigures runSoak(std::uint64_t seed, long frames, long warmUpFrames, long progressEvery = 0);

// Prints what a run did and its memory, each line starting with `label`.
void printSoakFigures(const char* label, const SoakFigures& f);

// The resident set and its peak, in kilobytes, from /proc/self/status.
std::size_t residentKb();
std::size_t peakResidentKb();

}  // namespace testsupport
