// Test seam: input pushed into SDL's queue exactly as devices would put it
// there, so tests exercise the same translation as a real keyboard or mouse.
#include "keymap.h"
#include "sdl_internal.h"
#include "testing.h"

#include <cstdlib>
#include <cstring>
#include <string>

namespace platform::testing {
namespace {

Uint32 windowId()
{
    HWND hwnd = mainWindow();
    return hwnd && hwnd->window ? SDL_GetWindowID(hwnd->window) : 0;
}

void pushKey(UCHAR vk, bool down, bool repeat)
{
    if (!ensureSdl())
        return;
    SDL_Scancode sc = scancodeFromVirtualKey(vk);
    if (sc == SDL_SCANCODE_UNKNOWN)
        return;
    // Keep SDL's idea of the modifiers in step, as a real keyboard would.
    Uint16 mods = static_cast<Uint16>(SDL_GetModState());
    Uint16 bit = vk == VK_MENU ? KMOD_LALT : vk == VK_SHIFT ? KMOD_LSHIFT : vk == VK_CONTROL ? KMOD_LCTRL : 0;
    if (down)
        mods = static_cast<Uint16>(mods | bit);
    else
        mods = static_cast<Uint16>(mods & ~bit);
    SDL_SetModState(static_cast<SDL_Keymod>(mods));

    SDL_Event e;
    SDL_zero(e);
    e.type = down ? SDL_KEYDOWN : SDL_KEYUP;
    e.key.windowID = windowId();
    e.key.state = down ? SDL_PRESSED : SDL_RELEASED;
    e.key.repeat = repeat ? 1 : 0;
    e.key.keysym.scancode = sc;
    e.key.keysym.sym = SDL_GetKeyFromScancode(sc);
    e.key.keysym.mod = mods;
    SDL_PushEvent(&e);
}

}  // namespace

void keyDown(UCHAR vk, bool repeat) { pushKey(vk, true, repeat); }
void keyUp(UCHAR vk) { pushKey(vk, false, false); }

void typeText(const std::string& utf8)
{
    if (!ensureSdl())
        return;
    for (size_t pos = 0; pos < utf8.size();) {
        SDL_Event e;
        SDL_zero(e);
        e.type = SDL_TEXTINPUT;
        e.text.windowID = windowId();
        // Whole characters only, a few to an event.
        size_t n = 0;
        while (pos + n < utf8.size() && n < 24) {
            ++n;
            while (pos + n < utf8.size() && (static_cast<unsigned char>(utf8[pos + n]) & 0xC0) == 0x80)
                ++n;
        }
        std::memcpy(e.text.text, utf8.data() + pos, n);
        SDL_PushEvent(&e);
        pos += n;
    }
}

void mouseMove(int x, int y, int dx, int dy)
{
    if (!ensureSdl())
        return;
    SDL_Event e;
    SDL_zero(e);
    e.type = SDL_MOUSEMOTION;
    e.motion.windowID = windowId();
    e.motion.x = x;
    e.motion.y = y;
    e.motion.xrel = dx;
    e.motion.yrel = dy;
    SDL_PushEvent(&e);
}

void mouseButton(int button, bool down, int x, int y)
{
    if (!ensureSdl())
        return;
    SDL_Event e;
    SDL_zero(e);
    e.type = down ? SDL_MOUSEBUTTONDOWN : SDL_MOUSEBUTTONUP;
    e.button.windowID = windowId();
    e.button.button = static_cast<Uint8>(button);
    e.button.state = down ? SDL_PRESSED : SDL_RELEASED;
    e.button.clicks = 1;
    e.button.x = x;
    e.button.y = y;
    SDL_PushEvent(&e);
}

void mouseWheel(float notches, int x, int y)
{
    if (!ensureSdl())
        return;
    SDL_Event e;
    SDL_zero(e);
    e.type = SDL_MOUSEWHEEL;
    e.wheel.windowID = windowId();
    e.wheel.y = static_cast<Sint32>(notches);
    e.wheel.preciseY = notches;
    e.wheel.direction = SDL_MOUSEWHEEL_NORMAL;
    e.wheel.mouseX = x;
    e.wheel.mouseY = y;
    SDL_PushEvent(&e);
}

void closeWindow()
{
    if (!ensureSdl())
        return;
    SDL_Event e;
    SDL_zero(e);
    e.type = SDL_WINDOWEVENT;
    e.window.windowID = windowId();
    e.window.event = SDL_WINDOWEVENT_CLOSE;
    SDL_PushEvent(&e);
}

}  // namespace platform::testing

namespace platform {

// KEELHAVEN_TYPE_KEYS: keys a script types into the real game, one a frame
// from the first frame shown on, through the same path as the tests' input:
// ` is the console key, | is Enter, anything else is typed text. With
// KEELHAVEN_QUIT_AFTER_FRAMES it lets a headless script reach any state
// ("`LEVEL1|" opens a level).
void typeScriptedKeyAfterFrame()
{
    static const std::string script = [] {
        const char* keys = std::getenv("KEELHAVEN_TYPE_KEYS");
        return std::string(keys ? keys : "");
    }();
    static size_t next = 0;
    if (next >= script.size())
        return;
    const char c = script[next++];
    if (c == '`' || c == '|') {
        const UCHAR vk = c == '`' ? VK_OEM_3 : VK_RETURN;
        testing::keyDown(vk);
        testing::keyUp(vk);
    } else {
        testing::typeText(std::string(1, c));
    }
}

}  // namespace platform
