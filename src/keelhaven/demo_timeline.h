// What a recording of a level shows, in a form the title's demo can play
// inside a running game: the level, and for each of its frames the arrow
// keys held and the frame's time. Read from a recording made the way the
// golden runs are (the console takes a fresh game to the level, then only
// the arrow keys are held): the level is the one the console was given,
// and its first frame the one after the console closed.
#pragma once

#include "engine/journal.h"

#include <cstdint>
#include <string>
#include <vector>

struct DemoFrame {
    enum Arrow : std::uint8_t { LEFT = 1, RIGHT = 2, UP = 4, DOWN = 8 };
    std::uint8_t arrows = 0;
    float seconds = 0;
};

struct DemoTimeline {
    int level = 0;
    std::vector<DemoFrame> frames;
};

// False, with the reason, for a recording that is not of that kind: no
// level named at the console, another key held in the level, no frames.
bool demoTimelineFromJournal(const Journal& journal, DemoTimeline& timeline, std::string& error);
