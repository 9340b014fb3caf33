// XInput over SDL's game controllers: user indices 0..3 are slots that pads
// take in the order SDL finds them and give back when unplugged.
#include "files.h"
#include "input_tap.h"
#include "sdl_internal.h"
#include "testing.h"
#include "xinput.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <map>
#include <system_error>

namespace {

struct Slot {
    SDL_GameController* controller = nullptr;
    SDL_JoystickID id = -1;
    DWORD packet = 0;
    XINPUT_GAMEPAD last{};
    WORD rumbleLeft = 0;
    WORD rumbleRight = 0;
    Uint32 rumbleSentAt = 0;
    bool rumbleSent = false;
};

// SDL's controller buttons and the XInput bits they stand for.
const std::pair<SDL_GameControllerButton, WORD> BUTTON_BITS[] = {
    {SDL_CONTROLLER_BUTTON_DPAD_UP, XINPUT_GAMEPAD_DPAD_UP},
    {SDL_CONTROLLER_BUTTON_DPAD_DOWN, XINPUT_GAMEPAD_DPAD_DOWN},
    {SDL_CONTROLLER_BUTTON_DPAD_LEFT, XINPUT_GAMEPAD_DPAD_LEFT},
    {SDL_CONTROLLER_BUTTON_DPAD_RIGHT, XINPUT_GAMEPAD_DPAD_RIGHT},
    {SDL_CONTROLLER_BUTTON_START, XINPUT_GAMEPAD_START},
    {SDL_CONTROLLER_BUTTON_BACK, XINPUT_GAMEPAD_BACK},
    {SDL_CONTROLLER_BUTTON_LEFTSTICK, XINPUT_GAMEPAD_LEFT_THUMB},
    {SDL_CONTROLLER_BUTTON_RIGHTSTICK, XINPUT_GAMEPAD_RIGHT_THUMB},
    {SDL_CONTROLLER_BUTTON_LEFTSHOULDER, XINPUT_GAMEPAD_LEFT_SHOULDER},
    {SDL_CONTROLLER_BUTTON_RIGHTSHOULDER, XINPUT_GAMEPAD_RIGHT_SHOULDER},
    {SDL_CONTROLLER_BUTTON_A, XINPUT_GAMEPAD_A},
    {SDL_CONTROLLER_BUTTON_B, XINPUT_GAMEPAD_B},
    {SDL_CONTROLLER_BUTTON_X, XINPUT_GAMEPAD_X},
    {SDL_CONTROLLER_BUTTON_Y, XINPUT_GAMEPAD_Y},
};

Slot slots[XUSER_MAX_COUNT];
bool devicesChanged = true;

// SDL rumble runs for a set time; re-sending well inside it keeps a steady
// XInput-style vibration going without flooding the pad every frame.
constexpr Uint32 RUMBLE_DURATION_MS = 2000;
constexpr Uint32 RUMBLE_REFRESH_MS = 1000;

void closeSlot(Slot& s)
{
    if (s.controller)
        SDL_GameControllerClose(s.controller);
    s = Slot{};
}

void syncSlots()
{
    if (!devicesChanged || !SDL_WasInit(SDL_INIT_GAMECONTROLLER))
        return;
    devicesChanged = false;
    for (Slot& s : slots) {
        if (s.controller && !SDL_GameControllerGetAttached(s.controller))
            closeSlot(s);
    }
    for (int i = 0; i < SDL_NumJoysticks(); ++i) {
        if (!SDL_IsGameController(i))
            continue;
        SDL_JoystickID id = SDL_JoystickGetDeviceInstanceID(i);
        bool known = false;
        for (const Slot& s : slots)
            known = known || (s.controller && s.id == id);
        if (known)
            continue;
        for (Slot& s : slots) {
            if (s.controller == nullptr) {
                s.controller = SDL_GameControllerOpen(i);
                s.id = s.controller ? id : -1;
                break;
            }
        }
    }
}

Slot* connectedSlot(DWORD userIndex)
{
    if (userIndex >= XUSER_MAX_COUNT)
        return nullptr;
    syncSlots();
    Slot& s = slots[userIndex];
    if (s.controller && !SDL_GameControllerGetAttached(s.controller)) {
        closeSlot(s);
        devicesChanged = true;
    }
    return s.controller ? &s : nullptr;
}

SHORT invertedAxis(Sint16 v)
{
    // SDL's Y axes grow downward, XInput's upward.
    return static_cast<SHORT>(v == -32768 ? 32767 : -v);
}

BYTE trigger(Sint16 v) { return static_cast<BYTE>(v <= 0 ? 0 : (v * 255) / 32767); }

}  // namespace

namespace platform {
void controllersChanged() { devicesChanged = true; }

int loadControllerMappingsBesideData()
{
    const std::string file = dataDirectory() + "gamecontrollerdb.txt";
    std::error_code ec;
    if (!std::filesystem::is_regular_file(file, ec))
        return 0;
    int added = SDL_GameControllerAddMappingsFromFile(file.c_str());
    if (added < 0)
        std::fprintf(stderr, "Pad layouts in %s not read: %s\n", file.c_str(), SDL_GetError());
    return std::max(added, 0);
}
}  // namespace platform

namespace {

DWORD readPad(DWORD userIndex, XINPUT_STATE* state)
{
    Slot* s = connectedSlot(userIndex);
    if (s == nullptr)
        return ERROR_DEVICE_NOT_CONNECTED;
    XINPUT_GAMEPAD pad{};
    for (const auto& [button, bit] : BUTTON_BITS) {
        if (SDL_GameControllerGetButton(s->controller, button))
            pad.wButtons = static_cast<WORD>(pad.wButtons | bit);
    }
    pad.bLeftTrigger = trigger(SDL_GameControllerGetAxis(s->controller, SDL_CONTROLLER_AXIS_TRIGGERLEFT));
    pad.bRightTrigger = trigger(SDL_GameControllerGetAxis(s->controller, SDL_CONTROLLER_AXIS_TRIGGERRIGHT));
    pad.sThumbLX = SDL_GameControllerGetAxis(s->controller, SDL_CONTROLLER_AXIS_LEFTX);
    pad.sThumbLY = invertedAxis(SDL_GameControllerGetAxis(s->controller, SDL_CONTROLLER_AXIS_LEFTY));
    pad.sThumbRX = SDL_GameControllerGetAxis(s->controller, SDL_CONTROLLER_AXIS_RIGHTX);
    pad.sThumbRY = invertedAxis(SDL_GameControllerGetAxis(s->controller, SDL_CONTROLLER_AXIS_RIGHTY));
    if (std::memcmp(&pad, &s->last, sizeof(pad)) != 0) {
        s->last = pad;
        ++s->packet;
    }
    if (state) {
        state->dwPacketNumber = s->packet;
        state->Gamepad = pad;
    }
    return ERROR_SUCCESS;
}

}  // namespace

DWORD XInputGetState(DWORD userIndex, XINPUT_STATE* state)
{
    platform::InputTap* tap = platform::inputTap();
    if (tap == nullptr)
        return readPad(userIndex, state);
    XINPUT_STATE read{};
    const DWORD result = tap->padState(userIndex, read, readPad(userIndex, &read));
    if (state)
        *state = read;
    return result;
}

DWORD XInputSetState(DWORD userIndex, XINPUT_VIBRATION* vibration)
{
    Slot* s = connectedSlot(userIndex);
    if (s == nullptr)
        return ERROR_DEVICE_NOT_CONNECTED;
    if (vibration == nullptr)
        return ERROR_SUCCESS;
    WORD left = vibration->wLeftMotorSpeed;
    WORD right = vibration->wRightMotorSpeed;
    Uint32 now = SDL_GetTicks();
    bool changed = !s->rumbleSent || left != s->rumbleLeft || right != s->rumbleRight;
    bool running = left != 0 || right != 0;
    if (changed || (running && now - s->rumbleSentAt >= RUMBLE_REFRESH_MS)) {
        // XInput's left motor is the heavy, low-frequency one.
        SDL_GameControllerRumble(s->controller, left, right, running ? RUMBLE_DURATION_MS : 0);
        s->rumbleLeft = left;
        s->rumbleRight = right;
        s->rumbleSentAt = now;
        s->rumbleSent = true;
    }
    return ERROR_SUCCESS;
}

// ---- virtual pads for tests -------------------------------------------------
namespace {
std::map<int, SDL_Joystick*> virtualPads;
int nextPad = 1;
}  // namespace

namespace platform::testing {

int attachPad()
{
    if (!ensureSdl())
        return -1;
    SDL_VirtualJoystickDesc desc;
    SDL_zero(desc);
    desc.version = SDL_VIRTUAL_JOYSTICK_DESC_VERSION;
    desc.type = SDL_JOYSTICK_TYPE_GAMECONTROLLER;
    desc.naxes = SDL_CONTROLLER_AXIS_MAX;
    desc.nbuttons = SDL_CONTROLLER_BUTTON_MAX;
    desc.name = "Keelhaven test pad";
    int deviceIndex = SDL_JoystickAttachVirtualEx(&desc);
    if (deviceIndex < 0)
        return -1;
    SDL_Joystick* joystick = SDL_JoystickOpen(deviceIndex);
    if (joystick == nullptr)
        return -1;
    int pad = nextPad++;
    virtualPads[pad] = joystick;
    devicesChanged = true;
    return pad;
}

void setPadButtons(int pad, WORD xinputButtons)
{
    auto it = virtualPads.find(pad);
    if (it == virtualPads.end())
        return;
    for (const auto& [button, bit] : BUTTON_BITS)
        SDL_JoystickSetVirtualButton(it->second, button, (xinputButtons & bit) ? 1 : 0);
    SDL_JoystickUpdate();
}

void setPadAxis(int pad, int sdlAxis, SHORT value)
{
    auto it = virtualPads.find(pad);
    if (it == virtualPads.end())
        return;
    SDL_JoystickSetVirtualAxis(it->second, sdlAxis, value);
    SDL_JoystickUpdate();
}

void detachPad(int pad)
{
    auto it = virtualPads.find(pad);
    if (it == virtualPads.end())
        return;
    SDL_JoystickID id = SDL_JoystickInstanceID(it->second);
    SDL_JoystickClose(it->second);
    for (int i = 0; i < SDL_NumJoysticks(); ++i) {
        if (SDL_JoystickGetDeviceInstanceID(i) == id) {
            SDL_JoystickDetachVirtual(i);
            break;
        }
    }
    virtualPads.erase(it);
    devicesChanged = true;
}

bool lastRumble(DWORD userIndex, WORD& left, WORD& right)
{
    if (userIndex >= XUSER_MAX_COUNT || !slots[userIndex].rumbleSent)
        return false;
    left = slots[userIndex].rumbleLeft;
    right = slots[userIndex].rumbleRight;
    return true;
}

}  // namespace platform::testing
