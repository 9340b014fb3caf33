#include "keelhaven/demo_timeline.h"

#include "engine/game.h"

#include <algorithm>
#include <cctype>
#include <optional>

namespace {

std::uint8_t arrowBit(WPARAM key)
{
    switch (key) {
    case VK_LEFT: return DemoFrame::LEFT;
    case VK_RIGHT: return DemoFrame::RIGHT;
    case VK_UP: return DemoFrame::UP;
    case VK_DOWN: return DemoFrame::DOWN;
    default: return 0;
    }
}

}  // namespace

bool demoTimelineFromJournal(const Journal& journal, DemoTimeline& timeline, std::string& error)
{
    timeline = DemoTimeline{};
    int consoleToggles = 0;
    std::string typed;
    std::uint8_t held = 0;
    bool inLevel = false;
    bool consoleClosedThisFrame = false;
    std::int64_t perSecond = 0;
    std::optional<std::int64_t> lastTicks;
    bool awaitingClock = false;

    for (const JournalRead& r : journal.reads) {
        if (r.kind == JournalRead::Kind::Frequency)
            perSecond = r.value;
        // A frame reads the clock first: its time is since the last reading.
        if (r.kind == JournalRead::Kind::Clock) {
            if (awaitingClock && lastTicks && perSecond > 0) {
                const double seconds = static_cast<double>(r.value - *lastTicks) / static_cast<double>(perSecond);
                timeline.frames.back().seconds = std::clamp(static_cast<float>(seconds), 0.0f, gameNS::MAX_FRAME_TIME);
            }
            awaitingClock = false;
            lastTicks = r.value;
        }
        if (r.kind != JournalRead::Kind::Message)
            continue;
        if (!r.got) {
            // A frame runs: in the level, it is one of the demo's.
            if (inLevel) {
                timeline.frames.push_back({held, 0});
                awaitingClock = true;
            }
            if (consoleClosedThisFrame) {
                inLevel = true;
                consoleClosedThisFrame = false;
            }
            continue;
        }
        const bool down = r.message == WM_KEYDOWN || r.message == WM_SYSKEYDOWN;
        const bool up = r.message == WM_KEYUP || r.message == WM_SYSKEYUP;
        if (!inLevel) {
            if (down && r.wParam == gameNS::CONSOLE_KEY && ++consoleToggles == 2)
                consoleClosedThisFrame = true;
            if (r.message == WM_CHAR && consoleToggles == 1 && std::isprint(static_cast<int>(r.wParam)) != 0)
                typed += static_cast<char>(r.wParam);
            continue;
        }
        if (down || up) {
            const std::uint8_t bit = arrowBit(r.wParam);
            if (bit == 0) {
                error = "a key other than the arrows is pressed in the level";
                return false;
            }
            held = down ? (held | bit) : (held & ~bit);
        }
    }
    // "LEVEL7" as typed, in either case.
    std::string upper = typed;
    std::transform(upper.begin(), upper.end(), upper.begin(), [](unsigned char c) { return std::toupper(c); });
    if (upper.rfind("LEVEL", 0) != 0 || upper.size() < 6 || upper.size() > 7 ||
        !std::all_of(upper.begin() + 5, upper.end(), [](unsigned char c) { return std::isdigit(c) != 0; })) {
        error = "the recording does not go to a level from the console";
        return false;
    }
    timeline.level = std::stoi(upper.substr(5));
    if (timeline.level < 1 || timeline.level > 31 || timeline.frames.empty()) {
        error = "the recording shows no level";
        return false;
    }
    return true;
}
