#include "engine/input.h"

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

void Input::checkControllers()
{
    for (DWORD i = 0; i < MAX_CONTROLLERS; ++i)
        controllers[i].connected = XInputGetState(i, &controllers[i].state) == ERROR_SUCCESS;
}

void Input::readControllers()
{
    for (DWORD i = 0; i < MAX_CONTROLLERS; ++i) {
        if (controllers[i].connected && XInputGetState(i, &controllers[i].state) == ERROR_DEVICE_NOT_CONNECTED)
            controllers[i].connected = false;
    }
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
