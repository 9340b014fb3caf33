// The message queue: SDL's events turned into the Win32 messages the game's
// window procedure reads, with their parameters packed as Windows packs them.
#include "input_tap.h"
#include "keymap.h"
#include "sdl_internal.h"

#include <array>
#include <deque>

namespace {

std::deque<MSG> queue;
WPARAM mouseKeyFlags = 0;  // MK_* of the buttons now held
bool rawMouseRegistered = false;

constexpr size_t RAW_SLOTS = 64;
std::array<RAWINPUT, RAW_SLOTS> rawRecords{};
LPARAM nextRawHandle = 1;

void post(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    MSG msg{};
    msg.hwnd = hwnd;
    msg.message = message;
    msg.wParam = wParam;
    msg.lParam = lParam;
    msg.time = SDL_GetTicks();
    queue.push_back(msg);
}

bool altHeld(Uint16 mod) { return (mod & KMOD_ALT) != 0; }

void translateKey(HWND hwnd, const SDL_KeyboardEvent& key)
{
    UCHAR vk = platform::virtualKeyFromScancode(key.keysym.scancode);
    if (vk == 0)
        return;
    bool down = key.type == SDL_KEYDOWN;
    // Alt held turns key messages into their system variants, Alt itself too.
    bool system = altHeld(key.keysym.mod) || (vk == VK_MENU && down);
    auto scan = static_cast<LPARAM>(key.keysym.scancode & 0xFF);
    LPARAM lParam = 1 | (scan << 16);
    if (system)
        lParam |= LPARAM{1} << 29;
    if (down && key.repeat)
        lParam |= LPARAM{1} << 30;
    if (!down)
        lParam |= (LPARAM{1} << 30) | (LPARAM{1} << 31);
    UINT message = down ? (system ? WM_SYSKEYDOWN : WM_KEYDOWN) : (system ? WM_SYSKEYUP : WM_KEYUP);
    post(hwnd, message, vk, lParam);

    // Keys whose characters SDL never sends as text: Windows types them.
    if (down && !system) {
        switch (vk) {
        case VK_BACK:
        case VK_RETURN:
        case VK_ESCAPE:
        case VK_TAB: post(hwnd, WM_CHAR, vk, lParam); break;
        default: break;
        }
    }
}

void translateText(HWND hwnd, const char* utf8)
{
    if (altHeld(static_cast<Uint16>(SDL_GetModState())))
        return;  // Alt+letter is a system character the game never reads
    const auto* p = reinterpret_cast<const unsigned char*>(utf8);
    while (*p) {
        unsigned code = 0;
        int extra = 0;
        if (*p < 0x80) {
            code = *p;
        } else if ((*p & 0xE0) == 0xC0) {
            code = *p & 0x1F;
            extra = 1;
        } else if ((*p & 0xF0) == 0xE0) {
            code = *p & 0x0F;
            extra = 2;
        } else {
            code = *p & 0x07;
            extra = 3;
        }
        ++p;
        for (int i = 0; i < extra && (*p & 0xC0) == 0x80; ++i, ++p)
            code = (code << 6) | (*p & 0x3F);
        // The game's text is single-byte: Latin-1 passes, the rest is '?'.
        post(hwnd, WM_CHAR, code < 256 ? code : '?', 1);
    }
}

// SDL reports window pixels; the game's client area is its picture, so
// positions are passed on in picture pixels (negative or past the edge in
// the bars). The raw motion of WM_INPUT stays in the mouse's own units.
LPARAM pictureLParam(HWND hwnd, int wx, int wy)
{
    const platform::PicturePoint p = platform::windowPointToPicture(hwnd, wx, wy);
    return MAKELPARAM(p.x, p.y);
}

WPARAM buttonFlag(Uint8 button)
{
    switch (button) {
    case SDL_BUTTON_LEFT: return MK_LBUTTON;
    case SDL_BUTTON_MIDDLE: return MK_MBUTTON;
    case SDL_BUTTON_RIGHT: return MK_RBUTTON;
    case SDL_BUTTON_X1: return MK_XBUTTON1;
    case SDL_BUTTON_X2: return MK_XBUTTON2;
    default: return 0;
    }
}

WPARAM keyFlags()
{
    WPARAM flags = mouseKeyFlags;
    SDL_Keymod mod = SDL_GetModState();
    if (mod & KMOD_SHIFT)
        flags |= MK_SHIFT;
    if (mod & KMOD_CTRL)
        flags |= MK_CONTROL;
    return flags;
}

void translateButton(HWND hwnd, const SDL_MouseButtonEvent& b)
{
    bool down = b.type == SDL_MOUSEBUTTONDOWN;
    WPARAM flag = buttonFlag(b.button);
    if (flag == 0)
        return;
    if (down)
        mouseKeyFlags |= flag;
    else
        mouseKeyFlags &= ~flag;
    LPARAM pos = pictureLParam(hwnd, b.x, b.y);
    switch (b.button) {
    case SDL_BUTTON_LEFT: post(hwnd, down ? WM_LBUTTONDOWN : WM_LBUTTONUP, keyFlags(), pos); break;
    case SDL_BUTTON_MIDDLE: post(hwnd, down ? WM_MBUTTONDOWN : WM_MBUTTONUP, keyFlags(), pos); break;
    case SDL_BUTTON_RIGHT: post(hwnd, down ? WM_RBUTTONDOWN : WM_RBUTTONUP, keyFlags(), pos); break;
    default: {
        WPARAM which = (b.button == SDL_BUTTON_X1) ? 1 : 2;  // XBUTTON1, XBUTTON2
        post(hwnd, down ? WM_XBUTTONDOWN : WM_XBUTTONUP, keyFlags() | (which << 16), pos);
    }
    }
}

void translateMotion(HWND hwnd, const SDL_MouseMotionEvent& m)
{
    if (rawMouseRegistered) {
        LPARAM handle = nextRawHandle++;
        RAWINPUT& raw = rawRecords[static_cast<size_t>(handle) % RAW_SLOTS];
        raw = RAWINPUT{};
        raw.header.dwType = RIM_TYPEMOUSE;
        raw.header.dwSize = sizeof(RAWINPUT);
        raw.data.mouse.lLastX = m.xrel;
        raw.data.mouse.lLastY = m.yrel;
        post(hwnd, WM_INPUT, 0, handle);
    }
    post(hwnd, WM_MOUSEMOVE, keyFlags(), pictureLParam(hwnd, m.x, m.y));
}

void translateWheel(HWND hwnd, const SDL_MouseWheelEvent& w)
{
    float notches = w.preciseY;
    if (w.direction == SDL_MOUSEWHEEL_FLIPPED)
        notches = -notches;
    int delta = static_cast<int>(notches * WHEEL_DELTA);
    if (delta == 0)
        return;
    WPARAM wParam = (keyFlags() & 0xFFFF) | ((static_cast<WPARAM>(delta) & 0xFFFF) << 16);
    post(hwnd, WM_MOUSEWHEEL, wParam, pictureLParam(hwnd, w.mouseX, w.mouseY));
}

void translate(const SDL_Event& e)
{
    HWND hwnd = platform::mainWindow();
    switch (e.type) {
    case SDL_QUIT:
        if (hwnd)
            post(hwnd, WM_CLOSE, 0, 0);
        break;
    case SDL_WINDOWEVENT:
        if (e.window.event == SDL_WINDOWEVENT_CLOSE && hwnd)
            post(hwnd, WM_CLOSE, 0, 0);
        break;
    case SDL_KEYDOWN:
    case SDL_KEYUP: translateKey(hwnd, e.key); break;
    case SDL_TEXTINPUT: translateText(hwnd, e.text.text); break;
    case SDL_MOUSEMOTION: translateMotion(hwnd, e.motion); break;
    case SDL_MOUSEBUTTONDOWN:
    case SDL_MOUSEBUTTONUP: translateButton(hwnd, e.button); break;
    case SDL_MOUSEWHEEL: translateWheel(hwnd, e.wheel); break;
    case SDL_JOYDEVICEADDED:
    case SDL_JOYDEVICEREMOVED: platform::controllersChanged(); break;
    case SDL_CONTROLLERDEVICEADDED:
    case SDL_CONTROLLERDEVICEREMOVED:
        platform::controllersChanged();
        post(hwnd, WM_DEVICECHANGE, 7 /* DBT_DEVNODES_CHANGED */, 0);
        break;
    case SDL_RENDER_DEVICE_RESET: platform::notifyRenderDeviceReset(); break;
    // Only what was drawn into the back buffer is gone, and every frame
    // draws all of it again: the textures themselves are still good.
    case SDL_RENDER_TARGETS_RESET: break;
    default: break;
    }
}

}  // namespace

BOOL PeekMessageA(MSG* msg, HWND, UINT, UINT, UINT removeMsg)
{
    if (queue.empty() && SDL_WasInit(SDL_INIT_EVENTS)) {
        SDL_Event e;
        while (SDL_PollEvent(&e))
            translate(e);
    }
    platform::InputTap* tap = platform::inputTap();
    if (tap != nullptr && msg != nullptr && (removeMsg & PM_REMOVE)) {
        MSG next{};
        const bool got = !queue.empty();
        if (got) {
            next = queue.front();
            queue.pop_front();
        }
        if (!tap->message(next, got))
            return FALSE;
        *msg = next;
        return TRUE;
    }
    if (queue.empty())
        return FALSE;
    if (msg)
        *msg = queue.front();
    if (removeMsg & PM_REMOVE)
        queue.pop_front();
    return TRUE;
}

BOOL TranslateMessage(const MSG* msg)
{
    // Characters are already queued beside their key messages.
    return msg && (msg->message == WM_KEYDOWN || msg->message == WM_SYSKEYDOWN) ? TRUE : FALSE;
}

LRESULT DispatchMessageA(const MSG* msg)
{
    // A message can outlive its window in the queue: the handle is only
    // looked at once it is known to be live.
    if (msg == nullptr || !IsWindow(msg->hwnd) || msg->hwnd->proc == nullptr)
        return 0;
    return msg->hwnd->proc(msg->hwnd, msg->message, msg->wParam, msg->lParam);
}

LRESULT DefWindowProcA(HWND hwnd, UINT msg, WPARAM, LPARAM)
{
    if (msg == WM_CLOSE)
        DestroyWindow(hwnd);
    return 0;
}

void PostQuitMessage(int exitCode)
{
    post(nullptr, WM_QUIT, static_cast<WPARAM>(exitCode), 0);
}

BOOL RegisterRawInputDevices(const RAWINPUTDEVICE* devices, UINT count, UINT size)
{
    if (devices == nullptr || size != sizeof(RAWINPUTDEVICE))
        return FALSE;
    for (UINT i = 0; i < count; ++i) {
        if (devices[i].usUsagePage == 1 && devices[i].usUsage == 2)
            rawMouseRegistered = true;
    }
    return TRUE;
}

namespace {

UINT readRawInput(HRAWINPUT rawInput, UINT command, void* data, UINT* size, UINT headerSize)
{
    if (command != RID_INPUT || size == nullptr || headerSize != sizeof(RAWINPUTHEADER) || rawInput <= 0 ||
        rawInput >= nextRawHandle || nextRawHandle - rawInput > static_cast<LPARAM>(RAW_SLOTS))
        return static_cast<UINT>(-1);
    if (data == nullptr) {
        *size = sizeof(RAWINPUT);
        return 0;
    }
    if (*size < sizeof(RAWINPUT))
        return static_cast<UINT>(-1);
    *static_cast<RAWINPUT*>(data) = rawRecords[static_cast<size_t>(rawInput) % RAW_SLOTS];
    return sizeof(RAWINPUT);
}

}  // namespace

UINT GetRawInputData(HRAWINPUT rawInput, UINT command, void* data, UINT* size, UINT headerSize)
{
    const UINT result = readRawInput(rawInput, command, data, size, headerSize);
    platform::InputTap* tap = platform::inputTap();
    // Only whole records are the game's input; size queries are not.
    if (tap == nullptr || data == nullptr || size == nullptr || *size < sizeof(RAWINPUT))
        return result;
    return tap->rawInput(*static_cast<RAWINPUT*>(data), result);
}
