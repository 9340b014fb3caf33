// The whole input state: keys held and pressed this frame, typed text, the
// mouse, and four game controllers with timed vibration. Filled from window
// messages, read directly by screens, levels and the ship.
#pragma once

#include "engine/key_bindings.h"
#include "win32_types.h"
#include "win32_window.h"
#include "xinput.h"

#include <string>

namespace inputNS {
constexpr int KEYS_ARRAY_LEN = 256;
// What clear() clears.
constexpr UCHAR KEYS_DOWN = 1;
constexpr UCHAR KEYS_PRESSED = 2;
constexpr UCHAR MOUSE = 4;
constexpr UCHAR TEXT_IN = 8;
constexpr UCHAR KEYS_MOUSE_TEXT = KEYS_DOWN + KEYS_PRESSED + MOUSE + TEXT_IN;
// How far a thumb stick must lean, in percent of its reach, before it counts
// as the d-pad: XInput's own figure for the left stick.
constexpr int DEFAULT_DEAD_ZONE = 24;
constexpr int MAX_DEAD_ZONE = 90;
}  // namespace inputNS

constexpr DWORD MAX_CONTROLLERS = 4;
constexpr UCHAR CONSOLE_KEY = VK_OEM_3;  // the key left of 1

struct ControllerState {
    XINPUT_STATE state;
    XINPUT_VIBRATION vibration;
    float vibrateTimeLeft;
    float vibrateTimeRight;
    bool connected;
};

class Input {
public:
    Input();
    virtual ~Input();

    void initialize(HWND hwnd, bool capture);

    // Fed by the message handler.
    // A key held long enough repeats its key-down; a repeat is never a new
    // press, only a text field's reason to act again.
    void keyDown(WPARAM wParam, bool repeat = false);
    void keyUp(WPARAM wParam);
    void keyIn(WPARAM wParam);
    void mouseIn(LPARAM lParam);
    void mouseRawIn(LPARAM lParam);
    void mouseWheelIn(WPARAM wParam);
    void setMouseLButton(bool b) { mouseLButton = b; }
    void setMouseMButton(bool b) { mouseMButton = b; }
    void setMouseRButton(bool b) { mouseRButton = b; }
    void setMouseXButton(WPARAM wParam)
    {
        mouseX1Button = (wParam & MK_XBUTTON1) != 0;
        mouseX2Button = (wParam & MK_XBUTTON2) != 0;
    }
    void checkControllers();

    // Run by the frame.
    void readControllers();
    void vibrateControllers(float frameTime);

    // Codes of 256 and above are never stored, so they read as up.
    bool isKeyDown(UCHAR vkey) const { return keysDown[vkey]; }
    bool wasKeyPressed(UCHAR vkey) const { return keysPressed[vkey]; }
    // Pressed, or repeated by holding it: how a text field reads its keys.
    bool wasKeyTyped(UCHAR vkey) const { return keysPressed[vkey] || keysRepeated[vkey]; }
    bool anyKeyPressed() const;
    void clearKeyPress(UCHAR vkey) { keysPressed[vkey] = false; }

    // The player's keys: an action is down or pressed when any of its keys is.
    void setKeyBindings(const KeyBindings& keys) { bindings = keys; }
    const KeyBindings& getKeyBindings() const { return bindings; }
    bool isActionDown(Action action) const;
    bool wasActionPressed(Action action) const;
    void clearActionPress(Action action);
    void clear(UCHAR what);
    void clearAll() { clear(inputNS::KEYS_MOUSE_TEXT); }
    void clearTextIn() { textIn.clear(); }
    void setTextIn(const std::string& text) { textIn = text; }
    std::string getTextIn() { return textIn; }
    char getCharIn() const { return charIn; }

    int getMouseX() const { return mouseX; }
    int getMouseY() const { return mouseY; }
    int getMouseRawX() const { return mouseRawX; }
    int getMouseRawY() const { return mouseRawY; }
    int getMouseWheel() const { return mouseWheel; }
    bool getMouseLButton() const { return mouseLButton; }
    bool getMouseMButton() const { return mouseMButton; }
    bool getMouseRButton() const { return mouseRButton; }
    bool getMouseX1Button() const { return mouseX1Button; }
    bool getMouseX2Button() const { return mouseX2Button; }

    const ControllerState* getControllerState(UINT n) const { return &controllers[clampIndex(n)]; }
    bool getGamepadConnected(UINT n) const { return controllers[clampIndex(n)].connected; }
    const XINPUT_GAMEPAD& getGamepadState(UINT n) const { return controllers[clampIndex(n)].state.Gamepad; }
    WORD getGamepadButtons(UINT n) const { return controllers[clampIndex(n)].state.Gamepad.wButtons; }
    bool getGamepadDPadUp(UINT n) const { return button(n, XINPUT_GAMEPAD_DPAD_UP); }
    bool getGamepadDPadDown(UINT n) const { return button(n, XINPUT_GAMEPAD_DPAD_DOWN); }
    bool getGamepadDPadLeft(UINT n) const { return button(n, XINPUT_GAMEPAD_DPAD_LEFT); }
    bool getGamepadDPadRight(UINT n) const { return button(n, XINPUT_GAMEPAD_DPAD_RIGHT); }
    bool getGamepadStart(UINT n) const { return button(n, XINPUT_GAMEPAD_START); }
    bool getGamepadBack(UINT n) const { return button(n, XINPUT_GAMEPAD_BACK); }
    bool getGamepadLeftThumb(UINT n) const { return button(n, XINPUT_GAMEPAD_LEFT_THUMB); }
    bool getGamepadRightThumb(UINT n) const { return button(n, XINPUT_GAMEPAD_RIGHT_THUMB); }
    bool getGamepadLeftShoulder(UINT n) const { return button(n, XINPUT_GAMEPAD_LEFT_SHOULDER); }
    bool getGamepadRightShoulder(UINT n) const { return button(n, XINPUT_GAMEPAD_RIGHT_SHOULDER); }
    bool getGamepadA(UINT n) const { return button(n, XINPUT_GAMEPAD_A); }
    bool getGamepadB(UINT n) const { return button(n, XINPUT_GAMEPAD_B); }
    bool getGamepadX(UINT n) const { return button(n, XINPUT_GAMEPAD_X); }
    bool getGamepadY(UINT n) const { return button(n, XINPUT_GAMEPAD_Y); }

    // Sets a motor and its timer; nothing is sent until vibrateControllers.
    void gamepadVibrateLeft(UINT n, WORD speed, float seconds);
    void gamepadVibrateRight(UINT n, WORD speed, float seconds);

    // The left stick leaning past the dead zone reads as the d-pad (percent,
    // 0 to MAX_DEAD_ZONE).
    void setPadDeadZone(int percent);
    int getPadDeadZone() const { return deadZone; }
    // A pad that was connected has gone since the frame before (pulled out):
    // true for one frame, from the message or the poll that found it until
    // the next poll.
    bool padWasRemoved() const { return padRemoved; }

    Input(const Input&) = delete;
    Input& operator=(const Input&) = delete;

private:
    static UINT clampIndex(UINT n) { return n < MAX_CONTROLLERS ? n : MAX_CONTROLLERS - 1; }
    bool button(UINT n, WORD bit) const { return (getGamepadButtons(n) & bit) != 0; }
    void stickAsDPad(XINPUT_GAMEPAD& pad) const;

    bool keysDown[inputNS::KEYS_ARRAY_LEN];
    bool keysPressed[inputNS::KEYS_ARRAY_LEN];
    bool keysRepeated[inputNS::KEYS_ARRAY_LEN];
    std::string textIn;
    char charIn = 0;
    bool newLine = true;
    int mouseX = 0, mouseY = 0;
    int mouseRawX = 0, mouseRawY = 0;
    int mouseWheel = 0;
    RAWINPUTDEVICE rawDevice{};
    bool mouseCaptured = false;
    bool mouseLButton = false;
    bool mouseMButton = false;
    bool mouseRButton = false;
    bool mouseX1Button = false;
    bool mouseX2Button = false;
    ControllerState controllers[MAX_CONTROLLERS];
    KeyBindings bindings = defaultKeyBindings();
    int deadZone = inputNS::DEFAULT_DEAD_ZONE;
    bool padRemoved = false;
};
