// The window, message and timing calls the game makes, Win32-style. The
// messages carry their parameters packed exactly as Windows packs them.
#pragma once

#include "win32_types.h"

// ---- messages -------------------------------------------------------------
constexpr UINT WM_DESTROY = 0x0002;
constexpr UINT WM_CLOSE = 0x0010;
constexpr UINT WM_QUIT = 0x0012;
constexpr UINT WM_INPUT = 0x00FF;
constexpr UINT WM_KEYDOWN = 0x0100;
constexpr UINT WM_KEYUP = 0x0101;
constexpr UINT WM_CHAR = 0x0102;
constexpr UINT WM_SYSKEYDOWN = 0x0104;
constexpr UINT WM_SYSKEYUP = 0x0105;
constexpr UINT WM_SYSCHAR = 0x0106;
constexpr UINT WM_MOUSEMOVE = 0x0200;
constexpr UINT WM_LBUTTONDOWN = 0x0201;
constexpr UINT WM_LBUTTONUP = 0x0202;
constexpr UINT WM_RBUTTONDOWN = 0x0204;
constexpr UINT WM_RBUTTONUP = 0x0205;
constexpr UINT WM_MBUTTONDOWN = 0x0207;
constexpr UINT WM_MBUTTONUP = 0x0208;
constexpr UINT WM_MOUSEWHEEL = 0x020A;
constexpr UINT WM_XBUTTONDOWN = 0x020B;
constexpr UINT WM_XBUTTONUP = 0x020C;
constexpr UINT WM_DEVICECHANGE = 0x0219;

// Mouse-message key-state flags (low word of wParam).
constexpr WPARAM MK_LBUTTON = 0x0001;
constexpr WPARAM MK_RBUTTON = 0x0002;
constexpr WPARAM MK_SHIFT = 0x0004;
constexpr WPARAM MK_CONTROL = 0x0008;
constexpr WPARAM MK_MBUTTON = 0x0010;
constexpr WPARAM MK_XBUTTON1 = 0x0020;
constexpr WPARAM MK_XBUTTON2 = 0x0040;
constexpr int WHEEL_DELTA = 120;

// ---- virtual-key codes ----------------------------------------------------
constexpr UCHAR VK_BACK = 0x08;
constexpr UCHAR VK_TAB = 0x09;
constexpr UCHAR VK_RETURN = 0x0D;
constexpr UCHAR VK_SHIFT = 0x10;
constexpr UCHAR VK_CONTROL = 0x11;
constexpr UCHAR VK_MENU = 0x12;  // Alt
constexpr UCHAR VK_PAUSE = 0x13;
constexpr UCHAR VK_CAPITAL = 0x14;
constexpr UCHAR VK_ESCAPE = 0x1B;
constexpr UCHAR VK_SPACE = 0x20;
constexpr UCHAR VK_PRIOR = 0x21;  // Page Up
constexpr UCHAR VK_NEXT = 0x22;   // Page Down
constexpr UCHAR VK_END = 0x23;
constexpr UCHAR VK_HOME = 0x24;
constexpr UCHAR VK_LEFT = 0x25;
constexpr UCHAR VK_UP = 0x26;
constexpr UCHAR VK_RIGHT = 0x27;
constexpr UCHAR VK_DOWN = 0x28;
constexpr UCHAR VK_INSERT = 0x2D;
constexpr UCHAR VK_DELETE = 0x2E;
// '0'..'9' are 0x30..0x39 and 'A'..'Z' are 0x41..0x5A, as their characters.
constexpr UCHAR VK_NUMPAD0 = 0x60;
constexpr UCHAR VK_MULTIPLY = 0x6A;
constexpr UCHAR VK_ADD = 0x6B;
constexpr UCHAR VK_SUBTRACT = 0x6D;
constexpr UCHAR VK_DECIMAL = 0x6E;
constexpr UCHAR VK_DIVIDE = 0x6F;
constexpr UCHAR VK_F1 = 0x70;
constexpr UCHAR VK_OEM_1 = 0xBA;       // ;:
constexpr UCHAR VK_OEM_PLUS = 0xBB;    // =+
constexpr UCHAR VK_OEM_COMMA = 0xBC;
constexpr UCHAR VK_OEM_MINUS = 0xBD;
constexpr UCHAR VK_OEM_PERIOD = 0xBE;
constexpr UCHAR VK_OEM_2 = 0xBF;       // /?
constexpr UCHAR VK_OEM_3 = 0xC0;       // `~, the key left of 1
constexpr UCHAR VK_OEM_4 = 0xDB;       // [{
constexpr UCHAR VK_OEM_5 = 0xDC;       // \|
constexpr UCHAR VK_OEM_6 = 0xDD;       // ]}
constexpr UCHAR VK_OEM_7 = 0xDE;       // '"

// ---- window class and window ----------------------------------------------
using WNDPROC = LRESULT (*)(HWND, UINT, WPARAM, LPARAM);

struct WNDCLASSEXA {
    UINT cbSize;
    UINT style;
    WNDPROC lpfnWndProc;
    int cbClsExtra;
    int cbWndExtra;
    HINSTANCE hInstance;
    void* hIcon;
    void* hCursor;
    void* hbrBackground;
    LPCSTR lpszMenuName;
    LPCSTR lpszClassName;
    void* hIconSm;
};

struct MSG {
    HWND hwnd;
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
    DWORD time;
    POINT pt;
};

constexpr UINT CS_VREDRAW = 0x0001;
constexpr UINT CS_HREDRAW = 0x0002;
constexpr DWORD WS_OVERLAPPEDWINDOW = 0x00CF0000;
constexpr DWORD WS_POPUP = 0x80000000;
constexpr DWORD WS_VISIBLE = 0x10000000;
constexpr int CW_USEDEFAULT = static_cast<int>(0x80000000);
constexpr int GWL_STYLE = -16;
constexpr UINT SWP_NOSIZE = 0x0001;
constexpr UINT SWP_NOMOVE = 0x0002;
constexpr UINT SWP_FRAMECHANGED = 0x0020;
constexpr UINT SWP_SHOWWINDOW = 0x0040;
constexpr UINT PM_REMOVE = 0x0001;
constexpr int SW_SHOWNORMAL = 1;
constexpr UINT MB_OK = 0x0000;
#define HWND_TOP (static_cast<HWND>(nullptr))
#define IDC_ARROW (reinterpret_cast<LPCSTR>(32512))
constexpr int BLACK_BRUSH = 4;

WORD RegisterClassExA(const WNDCLASSEXA* wc);
HWND CreateWindowExA(DWORD exStyle, LPCSTR className, LPCSTR title, DWORD style, int x, int y,
                     int width, int height, HWND parent, void* menu, HINSTANCE instance, void* param);
BOOL DestroyWindow(HWND hwnd);
// Whether `hwnd` is a window not yet destroyed.
BOOL IsWindow(HWND hwnd);
BOOL ShowWindow(HWND hwnd, int cmdShow);
BOOL GetClientRect(HWND hwnd, RECT* rect);
BOOL GetWindowRect(HWND hwnd, RECT* rect);  // the outer frame, in screen pixels
BOOL MoveWindow(HWND hwnd, int x, int y, int width, int height, BOOL repaint);
LONG SetWindowLongA(HWND hwnd, int index, LONG value);
BOOL SetWindowPos(HWND hwnd, HWND insertAfter, int x, int y, int cx, int cy, UINT flags);
void* LoadCursorA(HINSTANCE instance, LPCSTR name);
void* GetStockObject(int object);
int ShowCursor(BOOL show);

BOOL PeekMessageA(MSG* msg, HWND hwnd, UINT filterMin, UINT filterMax, UINT removeMsg);
BOOL TranslateMessage(const MSG* msg);
LRESULT DispatchMessageA(const MSG* msg);
LRESULT DefWindowProcA(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
void PostQuitMessage(int exitCode);

// Shows a modal box; where no display can show one, the text goes to stderr.
int MessageBoxA(HWND hwnd, LPCSTR text, LPCSTR caption, UINT type);

// ---- raw mouse input ------------------------------------------------------
struct RAWINPUTDEVICE {
    WORD usUsagePage;
    WORD usUsage;
    DWORD dwFlags;
    HWND hwndTarget;
};
constexpr DWORD RIDEV_INPUTSINK = 0x00000100;
constexpr UINT RID_INPUT = 0x10000003;
constexpr DWORD RIM_TYPEMOUSE = 0;

struct RAWINPUTHEADER {
    DWORD dwType;
    DWORD dwSize;
    HANDLE hDevice;
    WPARAM wParam;
};
struct RAWMOUSE {
    WORD usFlags;
    WORD usButtonFlags;
    WORD usButtonData;
    ULONG ulRawButtons;
    LONG lLastX;
    LONG lLastY;
    ULONG ulExtraInformation;
};
struct RAWINPUT {
    RAWINPUTHEADER header;
    union {
        RAWMOUSE mouse;
    } data;
};
using HRAWINPUT = LPARAM;

BOOL RegisterRawInputDevices(const RAWINPUTDEVICE* devices, UINT count, UINT size);
UINT GetRawInputData(HRAWINPUT rawInput, UINT command, void* data, UINT* size, UINT headerSize);
HWND SetCapture(HWND hwnd);
BOOL ReleaseCapture();

// ---- timing ---------------------------------------------------------------
BOOL QueryPerformanceCounter(LARGE_INTEGER* count);
BOOL QueryPerformanceFrequency(LARGE_INTEGER* frequency);
void Sleep(DWORD milliseconds);
UINT timeBeginPeriod(UINT period);
UINT timeEndPeriod(UINT period);
