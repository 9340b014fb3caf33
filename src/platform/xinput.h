// XInput 1.3 as the game calls it: poll a pad's state, set its two motors.
#pragma once

#include "win32_types.h"

constexpr DWORD XUSER_MAX_COUNT = 4;

constexpr WORD XINPUT_GAMEPAD_DPAD_UP = 0x0001;
constexpr WORD XINPUT_GAMEPAD_DPAD_DOWN = 0x0002;
constexpr WORD XINPUT_GAMEPAD_DPAD_LEFT = 0x0004;
constexpr WORD XINPUT_GAMEPAD_DPAD_RIGHT = 0x0008;
constexpr WORD XINPUT_GAMEPAD_START = 0x0010;
constexpr WORD XINPUT_GAMEPAD_BACK = 0x0020;
constexpr WORD XINPUT_GAMEPAD_LEFT_THUMB = 0x0040;
constexpr WORD XINPUT_GAMEPAD_RIGHT_THUMB = 0x0080;
constexpr WORD XINPUT_GAMEPAD_LEFT_SHOULDER = 0x0100;
constexpr WORD XINPUT_GAMEPAD_RIGHT_SHOULDER = 0x0200;
constexpr WORD XINPUT_GAMEPAD_A = 0x1000;
constexpr WORD XINPUT_GAMEPAD_B = 0x2000;
constexpr WORD XINPUT_GAMEPAD_X = 0x4000;
constexpr WORD XINPUT_GAMEPAD_Y = 0x8000;

struct XINPUT_GAMEPAD {
    WORD wButtons;
    BYTE bLeftTrigger;
    BYTE bRightTrigger;
    SHORT sThumbLX;
    SHORT sThumbLY;
    SHORT sThumbRX;
    SHORT sThumbRY;
};

struct XINPUT_STATE {
    DWORD dwPacketNumber;
    XINPUT_GAMEPAD Gamepad;
};

struct XINPUT_VIBRATION {
    WORD wLeftMotorSpeed;
    WORD wRightMotorSpeed;
};

// ERROR_SUCCESS, or ERROR_DEVICE_NOT_CONNECTED for an empty slot.
DWORD XInputGetState(DWORD userIndex, XINPUT_STATE* state);
DWORD XInputSetState(DWORD userIndex, XINPUT_VIBRATION* vibration);

namespace platform {
// Adds the pad layouts in gamecontrollerdb.txt beside the game's data, if
// there is one; returns how many were added (0 when there is no file). SDL
// reads SDL_GAMECONTROLLERCONFIG_FILE by itself, before this.
int loadControllerMappingsBesideData();
}  // namespace platform
