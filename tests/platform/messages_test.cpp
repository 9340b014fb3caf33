#include "testing.h"
#include "win32_window.h"
#include "xinput.h"

#include <gtest/gtest.h>

#include <vector>

namespace sim = platform::testing;

namespace {

std::vector<MSG> dispatched;
LRESULT recordingProc(HWND hwnd, UINT msg, WPARAM w, LPARAM l)
{
    dispatched.push_back(MSG{hwnd, msg, w, l, 0, {}});
    return DefWindowProcA(hwnd, msg, w, l);
}

class Messages : public ::testing::Test {
protected:
    void SetUp() override
    {
        WNDCLASSEXA wc{};
        wc.cbSize = sizeof(wc);
        wc.lpfnWndProc = recordingProc;
        wc.lpszClassName = "KeelhavenMessageTest";
        ASSERT_NE(RegisterClassExA(&wc), 0);
        hwnd = CreateWindowExA(0, "KeelhavenMessageTest", "t", WS_OVERLAPPEDWINDOW, CW_USEDEFAULT, CW_USEDEFAULT,
                               800, 600, nullptr, nullptr, nullptr, nullptr);
        ASSERT_NE(hwnd, nullptr);
        RAWINPUTDEVICE mouse{1, 2, RIDEV_INPUTSINK, hwnd};
        RegisterRawInputDevices(&mouse, 1, sizeof(mouse));
        pump();
        dispatched.clear();
    }
    void TearDown() override
    {
        if (hwnd && !closed)
            DestroyWindow(hwnd);
        pump();
    }
    // Dispatches what is waiting; true if WM_QUIT came.
    bool pump()
    {
        MSG msg;
        bool quit = false;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            quit = quit || msg.message == WM_QUIT;
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
        return quit;
    }
    std::vector<MSG> only(UINT message)
    {
        std::vector<MSG> out;
        for (const MSG& m : dispatched)
            if (m.message == message)
                out.push_back(m);
        return out;
    }
    HWND hwnd = nullptr;
    bool closed = false;
};

}  // namespace

TEST_F(Messages, KeysArriveAsVirtualKeyCodes)
{
    sim::keyDown(VK_OEM_3);
    sim::keyUp(VK_OEM_3);
    sim::keyDown('Q');
    sim::keyDown('7');
    sim::keyDown(VK_LEFT);
    sim::keyDown(VK_NEXT);
    sim::keyDown(VK_SPACE);
    pump();
    auto downs = only(WM_KEYDOWN);
    ASSERT_EQ(downs.size(), 6u);
    EXPECT_EQ(downs[0].wParam, 0xC0u) << "the key left of 1";
    EXPECT_EQ(downs[1].wParam, static_cast<WPARAM>('Q'));
    EXPECT_EQ(downs[2].wParam, static_cast<WPARAM>('7'));
    EXPECT_EQ(downs[3].wParam, 0x25u);
    EXPECT_EQ(downs[4].wParam, 0x22u);
    EXPECT_EQ(downs[5].wParam, 0x20u);
    ASSERT_EQ(only(WM_KEYUP).size(), 1u);
    EXPECT_EQ(only(WM_KEYUP)[0].wParam, 0xC0u);
    for (UCHAR vk : {UCHAR('Q'), UCHAR('7'), VK_LEFT, VK_NEXT, VK_SPACE})
        sim::keyUp(vk);
    pump();
}

TEST_F(Messages, AltTurnsKeysIntoSystemKeysAndTypesNothing)
{
    sim::keyDown(VK_MENU);
    sim::keyDown(VK_RETURN);
    sim::keyUp(VK_RETURN);
    sim::keyUp(VK_MENU);
    pump();
    auto sysDowns = only(WM_SYSKEYDOWN);
    ASSERT_EQ(sysDowns.size(), 2u);
    EXPECT_EQ(sysDowns[0].wParam, static_cast<WPARAM>(VK_MENU));
    EXPECT_EQ(sysDowns[1].wParam, static_cast<WPARAM>(VK_RETURN));
    EXPECT_TRUE(only(WM_CHAR).empty()) << "Alt+Enter is not typed text";
    EXPECT_TRUE(only(WM_KEYDOWN).empty());
}

TEST_F(Messages, TypingGivesCharactersAndEditingKeysTheirControlCodes)
{
    sim::typeText("ab");
    sim::keyDown(VK_BACK);
    sim::keyDown(VK_RETURN);
    sim::keyDown(VK_ESCAPE);
    sim::typeText("\xC3\xA9");  // é, Latin-1 0xE9
    pump();
    auto chars = only(WM_CHAR);
    ASSERT_EQ(chars.size(), 6u);
    EXPECT_EQ(chars[0].wParam, static_cast<WPARAM>('a'));
    EXPECT_EQ(chars[1].wParam, static_cast<WPARAM>('b'));
    EXPECT_EQ(chars[2].wParam, 8u);
    EXPECT_EQ(chars[3].wParam, 13u);
    EXPECT_EQ(chars[4].wParam, 27u);
    EXPECT_EQ(chars[5].wParam, 0xE9u);
    for (UCHAR vk : {VK_BACK, VK_RETURN, VK_ESCAPE})
        sim::keyUp(vk);
    pump();
}

TEST_F(Messages, MouseMessagesAreInClientPixels)
{
    sim::mouseMove(-3, 650, 4, -2);
    sim::mouseButton(1, true, 10, 20);
    sim::mouseButton(4, true, 10, 20);
    sim::mouseButton(4, false, 10, 20);
    sim::mouseButton(1, false, 10, 20);
    sim::mouseWheel(-1);
    pump();
    auto moves = only(WM_MOUSEMOVE);
    ASSERT_EQ(moves.size(), 1u);
    EXPECT_EQ(GET_X_LPARAM(moves[0].lParam), -3);
    EXPECT_EQ(GET_Y_LPARAM(moves[0].lParam), 650);

    auto raw = only(WM_INPUT);
    ASSERT_EQ(raw.size(), 1u);
    RAWINPUT record{};
    UINT size = sizeof(record);
    ASSERT_EQ(GetRawInputData(raw[0].lParam, RID_INPUT, &record, &size, sizeof(RAWINPUTHEADER)), sizeof(RAWINPUT));
    EXPECT_EQ(record.header.dwType, RIM_TYPEMOUSE);
    EXPECT_EQ(record.data.mouse.lLastX, 4);
    EXPECT_EQ(record.data.mouse.lLastY, -2);

    ASSERT_EQ(only(WM_LBUTTONDOWN).size(), 1u);
    EXPECT_EQ(GET_Y_LPARAM(only(WM_LBUTTONDOWN)[0].lParam), 20);
    auto xdown = only(WM_XBUTTONDOWN);
    ASSERT_EQ(xdown.size(), 1u);
    EXPECT_TRUE(xdown[0].wParam & MK_XBUTTON1);
    EXPECT_TRUE(xdown[0].wParam & MK_LBUTTON) << "the left button is still held";
    EXPECT_FALSE(only(WM_XBUTTONUP)[0].wParam & MK_XBUTTON1);
    auto wheel = only(WM_MOUSEWHEEL);
    ASSERT_EQ(wheel.size(), 1u);
    EXPECT_EQ(GET_WHEEL_DELTA_WPARAM(wheel[0].wParam), -120);
}

TEST_F(Messages, ClosingTheWindowDestroysItAndQuitFollowsPostQuitMessage)
{
    sim::closeWindow();
    pump();
    ASSERT_EQ(only(WM_CLOSE).size(), 1u);
    ASSERT_EQ(only(WM_DESTROY).size(), 1u);
    closed = true;
    PostQuitMessage(3);
    MSG msg{};
    ASSERT_TRUE(PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE));
    EXPECT_EQ(msg.message, WM_QUIT);
    EXPECT_EQ(msg.wParam, 3u);
}

TEST_F(Messages, PadsTakeSlotsReportXInputButtonsAndRumble)
{
    XINPUT_STATE state{};
    for (DWORD i = 0; i < XUSER_MAX_COUNT; ++i)
        EXPECT_EQ(XInputGetState(i, &state), ERROR_DEVICE_NOT_CONNECTED);
    int pad = sim::attachPad();
    ASSERT_GE(pad, 0);
    pump();
    EXPECT_FALSE(only(WM_DEVICECHANGE).empty()) << "plugging a pad in is announced";

    sim::setPadButtons(pad, XINPUT_GAMEPAD_A | XINPUT_GAMEPAD_DPAD_LEFT | XINPUT_GAMEPAD_START);
    ASSERT_EQ(XInputGetState(0, &state), ERROR_SUCCESS);
    EXPECT_EQ(state.Gamepad.wButtons, XINPUT_GAMEPAD_A | XINPUT_GAMEPAD_DPAD_LEFT | XINPUT_GAMEPAD_START);
    EXPECT_EQ(XInputGetState(1, &state), ERROR_DEVICE_NOT_CONNECTED);

    sim::setPadAxis(pad, 1 /* left stick Y */, -32768);  // pushed fully up
    XInputGetState(0, &state);
    EXPECT_EQ(state.Gamepad.sThumbLY, 32767) << "XInput's Y grows upward";

    XINPUT_VIBRATION motors{40000, 1000};
    EXPECT_EQ(XInputSetState(0, &motors), ERROR_SUCCESS);
    WORD left = 0, right = 0;
    ASSERT_TRUE(sim::lastRumble(0, left, right));
    EXPECT_EQ(left, 40000);
    EXPECT_EQ(right, 1000);

    dispatched.clear();
    sim::detachPad(pad);
    pump();
    EXPECT_EQ(XInputGetState(0, &state), ERROR_DEVICE_NOT_CONNECTED);
    EXPECT_FALSE(only(WM_DEVICECHANGE).empty());
}
