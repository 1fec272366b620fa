#pragma once

#include <cstdint>

// The window system as the game sees it: a flat set of calls in the classic window-system terms
// (a window class, a window, its device and rendering contexts, a message queue, message boxes)
// and typed messages carrying the classic message and virtual-key numbers. Two backends
// implement it: SDL2 for the game, and a scripted fake for tests. Nothing outside platform/
// knows which one is linked.

enum MessageId : unsigned {
    SizeMessage = 5,
    ActivateMessage = 6,
    CloseMessage = 16,
    QuitMessage = 18,
    KeyDownMessage = 256,
    KeyUpMessage = 257,
    CharMessage = 258,
    SysCommandMessage = 274,
    MouseMoveMessage = 512,
    LeftButtonDownMessage = 513,
    RightButtonDownMessage = 516,
};

// wParam and lParam as the classic messages pack them: sizes and mouse positions in lParam as
// (low 16 bits, high 16 bits); WM_ACTIVATE's minimised flag in the high 16 bits of wParam.
struct WindowMessage {
    unsigned message = 0;
    std::uint32_t wParam = 0;
    std::uint32_t lParam = 0;
};

enum VirtualKey : unsigned {
    EscapeKey = 27,
    LeftKey = 37,
    UpKey = 38,
    RightKey = 39,
    DownKey = 40,
    LeftWindowsKey = 91,
    MenuKey = 93,
    AddKey = 107,       // numeric-pad plus
    SubtractKey = 109,  // numeric-pad minus
    F1Key = 112,
    // Letters and digits use their upper-case character codes ('A' = 65, '0' = 48).
};

enum SysCommand : std::uint32_t { ScreenSaveCommand = 0xF140, MonitorPowerCommand = 0xF170 };

enum MessageBoxStyle { OkInformation, OkExclamation, OkStop, YesNoExclamation };
enum MessageBoxAnswer { OkAnswer, YesAnswer, NoAnswer };

struct PlatformWindow;
struct PlatformDeviceContext;
struct PlatformRenderContext;
using WindowHandle = PlatformWindow*;
using DeviceContext = PlatformDeviceContext*;
using RenderContext = PlatformRenderContext*;

// What the game asks of a pixel format: double-buffered RGBA with this many colour and depth bits.
struct PixelFormatRequest {
    int colourBits = 16;
    int depthBits = 16;
    bool doubleBuffer = true;
};

bool RegisterWindowClass();
bool UnregisterWindowClass();
// Switches the display to width x height for fullscreen; false where the display cannot.
bool ChangeDisplayMode(int width, int height, int bits);
void RestoreDisplayMode();
// Windowed: a resizable window with caption and border whose client area is width x height at
// (x, y). Fullscreen: a borderless window covering the display.
WindowHandle CreateGameWindow(const char* title, int x, int y, int width, int height,
                              bool fullscreen);
bool DestroyGameWindow(WindowHandle window);
DeviceContext GetDeviceContext(WindowHandle window);
bool ReleaseDeviceContext(WindowHandle window, DeviceContext dc);
int ChoosePixelFormat(DeviceContext dc, const PixelFormatRequest& request);  // 0: none
bool SetPixelFormat(DeviceContext dc, int format, const PixelFormatRequest& request);
RenderContext CreateRenderContext(DeviceContext dc);
bool MakeCurrent(DeviceContext dc, RenderContext rc);  // (nullptr, nullptr) releases
bool DeleteRenderContext(RenderContext rc);
void ShowGameWindow(WindowHandle window);
void ShowPointer(bool show);
void FocusGameWindow(WindowHandle window);
void SwapWindowBuffers(DeviceContext dc);
bool SetSwapInterval(int interval);  // false where the driver refuses

// Takes one message off the queue; false when it is empty.
bool PeekWindowMessage(WindowMessage& message);
// Waits up to timeoutMicroseconds for a message; false when none came.
bool WaitWindowMessage(WindowMessage& message, std::int64_t timeoutMicroseconds);
void PostQuitMessage(int exitCode);
// Puts a message at the end of the queue, as if the window system had sent it. Safe from any
// thread while the window class is registered; false when the message could not be queued.
bool PostWindowMessage(const WindowMessage& message);

// Shows a message box and writes its text to stderr as well.
MessageBoxAnswer ShowMessageBox(const char* text, const char* caption, MessageBoxStyle style);

std::int64_t MonotonicMicroseconds();

// What the window system does with a message the game leaves alone; its result is the message's.
std::int32_t DefaultWindowProc(WindowHandle window, unsigned message, std::uint32_t wParam,
                               std::uint32_t lParam);
// Lets go of the window system once the game is finished with it (every window closed). A later
// RegisterWindowClass starts it again.
void ShutDownWindowSystem();
