// The one door through which the world reaches the game: every window
// message PeekMessageA hands over (keys, text, the mouse, closing), every
// raw mouse record, every pad state XInputGetState reports, and every
// reading of the clock. A tap set here sees each read as it happens, in the
// order the game makes them, and may answer it instead of the real source:
// a recorder notes what the game read, a player feeds back what was noted,
// and the game's code is the same either way.
#pragma once

#include "win32_window.h"
#include "xinput.h"

#include <cstdint>

namespace platform {

class InputTap {
public:
    virtual ~InputTap() = default;
    // PeekMessageA removing a message: `got` says whether the queue had one
    // (in `msg`); the answer says whether the game gets one, now in `msg`.
    // A frame runs after each false.
    virtual bool message(MSG& msg, bool got) = 0;
    // GetRawInputData for a WM_INPUT: `result` is what the real call gave.
    virtual UINT rawInput(RAWINPUT& raw, UINT result) = 0;
    // XInputGetState for pad `userIndex`: `result` and `state` as read.
    virtual DWORD padState(DWORD userIndex, XINPUT_STATE& state, DWORD result) = 0;
    // QueryPerformanceCounter and QueryPerformanceFrequency.
    virtual std::int64_t clock(std::int64_t ticks) = 0;
    virtual std::int64_t clockFrequency(std::int64_t perSecond) = 0;
    // Whether Sleep really waits: a player keeps its own time.
    virtual bool sleeps() const { return true; }
};

// Null (the default) lets every read through untouched. Not owned.
void setInputTap(InputTap* tap);
InputTap* inputTap();

}  // namespace platform
