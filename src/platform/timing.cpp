// The high-resolution counter and Sleep, with the tests' stepped clock.
#include "input_tap.h"
#include "sdl_internal.h"
#include "testing.h"

namespace {
bool fake = false;
std::int64_t fakeTicks = 0;
DWORD slept = 0;
constexpr std::int64_t FAKE_FREQUENCY = 1'000'000;
}  // namespace

namespace platform {
bool fakeClockActive() { return fake; }
}  // namespace platform

namespace platform::testing {

void useFakeClock(bool on)
{
    fake = on;
    fakeTicks = 0;
    slept = 0;
}

void advanceClock(double seconds) { fakeTicks += static_cast<std::int64_t>(seconds * FAKE_FREQUENCY + 0.5); }
std::int64_t clockTicks() { return fakeTicks; }
DWORD totalSleptMilliseconds() { return slept; }

}  // namespace platform::testing

BOOL QueryPerformanceCounter(LARGE_INTEGER* count)
{
    if (count == nullptr)
        return FALSE;
    count->QuadPart = fake ? fakeTicks : static_cast<std::int64_t>(SDL_GetPerformanceCounter());
    if (platform::InputTap* tap = platform::inputTap())
        count->QuadPart = tap->clock(count->QuadPart);
    return TRUE;
}

BOOL QueryPerformanceFrequency(LARGE_INTEGER* frequency)
{
    if (frequency == nullptr)
        return FALSE;
    frequency->QuadPart = fake ? FAKE_FREQUENCY : static_cast<std::int64_t>(SDL_GetPerformanceFrequency());
    if (platform::InputTap* tap = platform::inputTap())
        frequency->QuadPart = tap->clockFrequency(frequency->QuadPart);
    return frequency->QuadPart != 0;
}

void Sleep(DWORD milliseconds)
{
    if (const platform::InputTap* tap = platform::inputTap(); tap != nullptr && !tap->sleeps())
        return;
    if (fake) {
        slept += milliseconds;
        fakeTicks += static_cast<std::int64_t>(milliseconds) * (FAKE_FREQUENCY / 1000);
        return;
    }
    SDL_Delay(milliseconds);
}

// SDL's delay is already as fine as the system allows.
UINT timeBeginPeriod(UINT) { return 0; }
UINT timeEndPeriod(UINT) { return 0; }
