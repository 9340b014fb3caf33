#include "engine/input.h"

#include <algorithm>
#include <cstring>

Input::Input()
{
    std::memset(keysDown, 0, sizeof(keysDown));
    std::memset(keysPressed, 0, sizeof(keysPressed));
    std::memset(keysRepeated, 0, sizeof(keysRepeated));
    std::memset(controllers, 0, sizeof(controllers));
}

Input::~Input()
{
    if (mouseCaptured)
        ReleaseCapture();
}

void Input::initialize(HWND hwnd, bool capture)
{
    mouseCaptured = capture;
    rawDevice.usUsagePage = 1;  // generic desktop
    rawDevice.usUsage = 2;      // mouse
    rawDevice.dwFlags = RIDEV_INPUTSINK;
    rawDevice.hwndTarget = hwnd;
    RegisterRawInputDevices(&rawDevice, 1, sizeof(rawDevice));
    if (mouseCaptured)
        SetCapture(hwnd);
    std::memset(controllers, 0, sizeof(controllers));
    checkControllers();
}

void Input::keyDown(WPARAM wParam, bool repeat)
{
    if (wParam >= inputNS::KEYS_ARRAY_LEN)
        return;
    keysDown[wParam] = true;
    // Never a new press, even after clearAll forgot the key was held: the
    // screens clear input as they hand over, and the key is still down.
    if (repeat) {
        keysRepeated[wParam] = true;
        return;
    }
    keysPressed[wParam] = true;
}

void Input::keyUp(WPARAM wParam)
{
    if (wParam < inputNS::KEYS_ARRAY_LEN)
        keysDown[wParam] = false;
}

void Input::keyIn(WPARAM wParam)
{
    if (newLine) {
        textIn.clear();
        newLine = false;
    }
    if (wParam == '\b') {
        if (!textIn.empty())
            textIn.pop_back();
        return;
    }
    textIn += static_cast<char>(wParam);
    charIn = static_cast<char>(wParam);
    if (wParam == '\r')
        newLine = true;
}

bool Input::anyKeyPressed() const
{
    for (bool pressed : keysPressed)
        if (pressed)
            return true;
    return false;
}

void Input::mouseIn(LPARAM lParam)
{
    mouseX = GET_X_LPARAM(lParam);
    mouseY = GET_Y_LPARAM(lParam);
}

void Input::mouseRawIn(LPARAM lParam)
{
    RAWINPUT raw{};
    UINT size = sizeof(raw);
    if (GetRawInputData(lParam, RID_INPUT, &raw, &size, sizeof(RAWINPUTHEADER)) == static_cast<UINT>(-1))
        return;
    if (raw.header.dwType == RIM_TYPEMOUSE) {
        mouseRawX = raw.data.mouse.lLastX;
        mouseRawY = raw.data.mouse.lLastY;
    }
}

void Input::mouseWheelIn(WPARAM wParam)
{
    mouseWheel = GET_WHEEL_DELTA_WPARAM(wParam);
}

bool Input::isActionDown(Action action) const
{
    return std::any_of(bindings.of(action).begin(), bindings.of(action).end(),
                       [this](UCHAR vk) { return vk != 0 && keysDown[vk]; });
}

bool Input::wasActionPressed(Action action) const
{
    return std::any_of(bindings.of(action).begin(), bindings.of(action).end(),
                       [this](UCHAR vk) { return vk != 0 && keysPressed[vk]; });
}

void Input::clearActionPress(Action action)
{
    for (UCHAR vk : bindings.of(action))
        if (vk != 0)
            keysPressed[vk] = false;
}

// Run on every WM_DEVICECHANGE: a pad plugged in is read from this frame on,
// one pulled out is let go at once.
void Input::checkControllers()
{
    for (DWORD i = 0; i < MAX_CONTROLLERS; ++i) {
        const bool was = controllers[i].connected;
        controllers[i].connected = XInputGetState(i, &controllers[i].state) == ERROR_SUCCESS;
        if (controllers[i].connected)
            stickAsDPad(controllers[i].state.Gamepad);
        else
            controllers[i].state = XINPUT_STATE{};  // a pad gone holds no button
        padRemoved = padRemoved || (was && !controllers[i].connected);
    }
}

void Input::readControllers()
{
    padRemoved = false;
    for (DWORD i = 0; i < MAX_CONTROLLERS; ++i) {
        ControllerState& c = controllers[i];
        if (!c.connected)
            continue;
        if (XInputGetState(i, &c.state) == ERROR_DEVICE_NOT_CONNECTED) {
            c.connected = false;
            c.state = XINPUT_STATE{};
            padRemoved = true;
        } else {
            stickAsDPad(c.state.Gamepad);
        }
    }
}

void Input::setPadDeadZone(int percent) { deadZone = std::clamp(percent, 0, inputNS::MAX_DEAD_ZONE); }

void Input::stickAsDPad(XINPUT_GAMEPAD& pad) const
{
    const int reach = 32767 * deadZone / 100;
    WORD bits = pad.wButtons;
    if (pad.sThumbLY > reach)
        bits |= XINPUT_GAMEPAD_DPAD_UP;
    if (pad.sThumbLY < -reach)
        bits |= XINPUT_GAMEPAD_DPAD_DOWN;
    if (pad.sThumbLX < -reach)
        bits |= XINPUT_GAMEPAD_DPAD_LEFT;
    if (pad.sThumbLX > reach)
        bits |= XINPUT_GAMEPAD_DPAD_RIGHT;
    pad.wButtons = bits;
}

void Input::gamepadVibrateLeft(UINT n, WORD speed, float seconds)
{
    if (n >= MAX_CONTROLLERS)
        return;
    controllers[n].vibration.wLeftMotorSpeed = speed;
    controllers[n].vibrateTimeLeft = seconds;
}

void Input::gamepadVibrateRight(UINT n, WORD speed, float seconds)
{
    if (n >= MAX_CONTROLLERS)
        return;
    controllers[n].vibration.wRightMotorSpeed = speed;
    controllers[n].vibrateTimeRight = seconds;
}

void Input::vibrateControllers(float frameTime)
{
    for (DWORD i = 0; i < MAX_CONTROLLERS; ++i) {
        ControllerState& c = controllers[i];
        if (!c.connected)
            continue;
        c.vibrateTimeLeft -= frameTime;
        if (c.vibrateTimeLeft < 0) {
            c.vibrateTimeLeft = 0;
            c.vibration.wLeftMotorSpeed = 0;
        }
        c.vibrateTimeRight -= frameTime;
        if (c.vibrateTimeRight < 0) {
            c.vibrateTimeRight = 0;
            c.vibration.wRightMotorSpeed = 0;
        }
        XInputSetState(i, &c.vibration);
    }
}

void Input::clear(UCHAR what)
{
    if (what & inputNS::KEYS_DOWN)
        std::memset(keysDown, 0, sizeof(keysDown));
    if (what & inputNS::KEYS_PRESSED) {
        std::memset(keysPressed, 0, sizeof(keysPressed));
        std::memset(keysRepeated, 0, sizeof(keysRepeated));
    }
    if (what & inputNS::MOUSE) {
        mouseX = mouseY = 0;
        mouseRawX = mouseRawY = 0;
        mouseWheel = 0;
    }
    if (what & inputNS::TEXT_IN)
        clearTextIn();
}
