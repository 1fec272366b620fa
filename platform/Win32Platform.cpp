#ifndef NOMINMAX
#define NOMINMAX
#endif
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <windows.h>
#include <windowsx.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "platform/EventQueue.h"
#include "platform/Events.h"
#include "platform/MessageBoxEcho.h"
#include "platform/Platform.h"
#include "platform/VirtualKeys.h"

// The window system over Win32 and WGL: one window of the class "OpenGL" and its rendering
// context at a time. The window procedure turns messages into the game's events and queues them
// here, as one message can become several (a minimising and its zero size) and messages also
// arrive from inside CreateWindowEx, DestroyWindow and the other calls that send them.
//
// The class is registered for wide characters, so that WM_CHAR brings the typed character
// itself (UTF-16) rather than a byte of the current code page: Latin-1 is then simply every
// code below 256.

namespace platform {

static const wchar_t* const className = L"OpenGL";

// The icon the resource script gives the game; programs without it get the system's.
static const int gameIconId = 1;

// Windowed, the game opens at this place on the desktop; fullscreen covers it from its corner.
static const int windowedX = 150;
static const int windowedY = 50;

static HINSTANCE instance = nullptr;
static bool classRegistered = false;
static HWND window = nullptr;
static HDC deviceContext = nullptr;
static HGLRC renderingContext = nullptr;
static bool displayModeChanged = false;
// Set while the window is being destroyed: what it reports then is not the player's doing.
static bool closing = false;
static bool minimised = false;
static EventQueue pending;

// Keys by virtual-key code that the game has been told are down. Windows sends a key's release
// to the window that has the focus when it comes; a key released between the old window and
// the new one at a window-mode toggle, or while another program has the focus, would never be
// let go. So keys held when the window goes are carried over and asked after until they are
// released or pressed again, and losing the focus to another program lets every key go.
static bool held[256] = {};
static bool carried[256] = {};
static int carriedCount = 0;

static void Queue(const Event& event) {
    pending.Push(event);
}

static void Press(unsigned virtualKey) {
    const Key key = KeyOfVirtualKey(virtualKey);
    if (key == Key::None) {
        return;
    }
    held[virtualKey] = true;
    if (carried[virtualKey]) {
        carried[virtualKey] = false;
        --carriedCount;
    }
    Queue(KeyEvent(EventType::KeyPressed, key));
}

// Only a key the game was told is down is released: a carried key's release can come both from
// asking the keyboard and from its WM_KEYUP.
static void Release(unsigned virtualKey) {
    const Key key = KeyOfVirtualKey(virtualKey);
    if (key == Key::None || !held[virtualKey]) {
        return;
    }
    held[virtualKey] = false;
    if (carried[virtualKey]) {
        carried[virtualKey] = false;
        --carriedCount;
    }
    Queue(KeyEvent(EventType::KeyReleased, key));
}

static void ReleaseAll() {
    for (unsigned k = 0; k < 256; ++k) {
        if (held[k]) {
            Release(k);
        }
    }
}

// Carried keys that the keyboard no longer holds down become releases.
static void ReleaseCarriedKeys() {
    if (carriedCount == 0 || !window) {
        return;
    }
    for (unsigned k = 0; k < 256; ++k) {
        if (carried[k] && (GetAsyncKeyState(static_cast<int>(k)) & 0x8000) == 0) {
            Release(k);
        }
    }
}

static void CarryHeldKeys() {
    carriedCount = 0;
    for (unsigned k = 0; k < 256; ++k) {
        carried[k] = held[k];
        carriedCount += held[k] ? 1 : 0;
    }
}

// The window reports a new state: minimised (no client area left) or shown again.
static void ReportMinimised(bool nowMinimised) {
    minimised = nowMinimised;
    Queue(WindowEvent(nowMinimised ? EventType::Minimised : EventType::Restored));
}

static LRESULT CALLBACK WindowProcedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (closing) {
        return DefWindowProcW(hwnd, message, wParam, lParam);
    }
    switch (message) {
        case WM_ACTIVATE:
            // The high word says minimised; losing the focus to another window keeps drawing.
            ReportMinimised(HIWORD(wParam) != 0 && IsIconic(hwnd));
            return 0;
        case WM_KILLFOCUS:
            // Another program has the keyboard now, and with it the releases.
            ReleaseAll();
            return 0;
        case WM_SYSCOMMAND:
            // Neither the screen saver nor the monitor's power saving starts during a game.
            if (wParam == SC_SCREENSAVE || wParam == SC_MONITORPOWER) {
                return 0;
            }
            // Nor does Alt or F10 open the window menu's keyboard loop, which would hold the
            // game's frames until another key let it go.
            if ((wParam & 0xFFF0) == SC_KEYMENU) {
                return 0;
            }
            break;
        case WM_CLOSE:
            // The game decides; the window goes when the game closes it.
            Queue(WindowEvent(EventType::CloseRequested));
            return 0;
        case WM_KEYDOWN:
        case WM_SYSKEYDOWN:
            if (wParam < 256) {
                Press(static_cast<unsigned>(wParam));
            }
            if (message == WM_KEYDOWN) {
                return 0;
            }
            break;  // Alt+F4 and the system menu keys still work
        case WM_KEYUP:
        case WM_SYSKEYUP:
            if (wParam < 256) {
                Release(static_cast<unsigned>(wParam));
            }
            if (message == WM_KEYUP) {
                return 0;
            }
            break;
        case WM_CHAR:
            // UTF-16 code units: the halves of a character beyond the first plane are far above
            // Latin-1 and go with everything else wider than the game's eight bits.
            if (wParam < 256) {
                Queue(Typed(static_cast<unsigned>(wParam)));
            }
            return 0;
        case WM_SIZE:
            if (wParam == SIZE_MINIMIZED) {
                Queue(PointerEvent(EventType::Resized, 0, 0));
                if (!minimised) {
                    ReportMinimised(true);
                }
            } else {
                Queue(PointerEvent(EventType::Resized, LOWORD(lParam), HIWORD(lParam)));
                if (minimised) {
                    ReportMinimised(false);
                }
            }
            return 0;
        case WM_SETCURSOR:
            // The hand is the pointer over the board; the frame keeps the system's cursors.
            if (LOWORD(lParam) == HTCLIENT) {
                SetCursor(nullptr);
                return TRUE;
            }
            break;
        case WM_MOUSEMOVE:
            // Signed: while a button is held the capture goes on reporting positions past the
            // window's left and top edges as negative numbers.
            Queue(
                PointerEvent(EventType::PointerMoved, GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)));
            return 0;
        case WM_LBUTTONDOWN:
        case WM_RBUTTONDOWN:
            SetCapture(hwnd);
            Queue(PointerEvent(EventType::ButtonPressed, GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam),
                               message == WM_LBUTTONDOWN ? Button::Left : Button::Right));
            return 0;
        case WM_LBUTTONUP:
        case WM_RBUTTONUP:
            if ((wParam & (MK_LBUTTON | MK_RBUTTON | MK_MBUTTON)) == 0) {
                ReleaseCapture();
            }
            return 0;
        default:
            break;
    }
    return DefWindowProcW(hwnd, message, wParam, lParam);
}

// A release that fails while closing is reported and the closing goes on.
static void ReportRelease(bool released, const char* text) {
    if (!released) {
        ShowMessageBox(text, "SHUTDOWN ERROR", OkInformation);
    }
}

static void Translate(const MSG& message) {
    TranslateMessage(&message);
    DispatchMessageW(&message);
}

// Takes down what an opening made, in the reverse order. False when the context would not let
// go of the thread.
static bool Close() {
    if (displayModeChanged) {
        ChangeDisplaySettingsA(nullptr, 0);
        displayModeChanged = false;
    }
    bool released = true;
    if (renderingContext) {
        released = wglMakeCurrent(nullptr, nullptr) != FALSE;
        ReportRelease(wglDeleteContext(renderingContext) != FALSE,
                      "Release Rendering Context Failed.");
        renderingContext = nullptr;
    }
    if (window) {
        // Everything the window has been sent so far is the game's, releases included; what is
        // held now is carried to the next window.
        MSG message;
        while (PeekMessageW(&message, window, 0, 0, PM_REMOVE)) {
            Translate(message);
        }
        CarryHeldKeys();
        closing = true;
        if (deviceContext) {
            ReportRelease(ReleaseDC(window, deviceContext) != 0, "Release Device Context Failed.");
            deviceContext = nullptr;
        }
        ReportRelease(DestroyWindow(window) != FALSE, "Could Not Release hWnd.");
        closing = false;
        window = nullptr;
    }
    if (classRegistered) {
        ReportRelease(UnregisterClassW(className, instance) != FALSE,
                      "Could Not Unregister Class.");
        classRegistered = false;
    }
    return released;
}

static bool RegisterWindowClass() {
    instance = GetModuleHandleW(nullptr);
    WNDCLASSW windowClass = {};
    windowClass.style = CS_HREDRAW | CS_VREDRAW | CS_OWNDC;
    windowClass.lpfnWndProc = WindowProcedure;
    windowClass.hInstance = instance;
    windowClass.hIcon = LoadIconW(instance, MAKEINTRESOURCEW(gameIconId));
    if (!windowClass.hIcon) {
        windowClass.hIcon = LoadIconW(nullptr, reinterpret_cast<LPCWSTR>(IDI_WINLOGO));
    }
    windowClass.hCursor = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
    windowClass.lpszClassName = className;
    classRegistered = RegisterClassW(&windowClass) != 0;
    return classRegistered;
}

// The display switched to width x height, keeping its colour depth: a display of today may offer
// no 16-bit mode at all, and the game draws the same in any depth.
static bool ChangeDisplayMode(int width, int height) {
    DEVMODEA mode = {};
    mode.dmSize = sizeof mode;
    mode.dmPelsWidth = static_cast<DWORD>(width);
    mode.dmPelsHeight = static_cast<DWORD>(height);
    mode.dmFields = DM_PELSWIDTH | DM_PELSHEIGHT;
    displayModeChanged = ChangeDisplaySettingsA(&mode, CDS_FULLSCREEN) == DISP_CHANGE_SUCCESSFUL;
    return displayModeChanged;
}

static std::wstring Wide(const char* text) {
    const int length = MultiByteToWideChar(CP_UTF8, 0, text, -1, nullptr, 0);
    std::wstring wide(length > 0 ? static_cast<std::size_t>(length) : 1u, L'\0');
    if (length > 0) {
        MultiByteToWideChar(CP_UTF8, 0, text, -1, &wide[0], length);
    }
    wide.resize(wide.size() - 1);
    return wide;
}

static OpenResult Fail(OpenResult result) {
    Close();
    return result;
}

OpenResult OpenWindow(const char* title, int width, int height, bool fullscreen) {
    // 1. The window class, and for fullscreen the display in the game's size.
    if (!RegisterWindowClass()) {
        return OpenResult::NoWindowSystem;
    }
    if (fullscreen && !ChangeDisplayMode(width, height)) {
        return Fail(OpenResult::ModeRefused);
    }

    // 2. The window, of a size whose client area is width x height.
    const DWORD exStyle = fullscreen ? WS_EX_APPWINDOW : WS_EX_APPWINDOW | WS_EX_WINDOWEDGE;
    const DWORD style = fullscreen ? WS_POPUP : WS_OVERLAPPEDWINDOW;
    RECT frame = {0, 0, width, height};
    AdjustWindowRectEx(&frame, style, FALSE, exStyle);
    minimised = false;
    window = CreateWindowExW(exStyle, className, Wide(title).c_str(),
                             style | WS_CLIPSIBLINGS | WS_CLIPCHILDREN, fullscreen ? 0 : windowedX,
                             fullscreen ? 0 : windowedY, frame.right - frame.left,
                             frame.bottom - frame.top, nullptr, nullptr, instance, nullptr);
    if (!window) {
        return Fail(OpenResult::WindowFailed);
    }

    // 3. A double-buffered RGBA pixel format with a 16-bit depth buffer, and the context on it.
    deviceContext = GetDC(window);
    if (!deviceContext) {
        return Fail(OpenResult::NoDeviceContext);
    }
    PIXELFORMATDESCRIPTOR format = {};
    format.nSize = sizeof format;
    format.nVersion = 1;
    format.dwFlags = PFD_DRAW_TO_WINDOW | PFD_SUPPORT_OPENGL | PFD_DOUBLEBUFFER;
    format.iPixelType = PFD_TYPE_RGBA;
    format.cColorBits = 16;
    format.cDepthBits = 16;
    format.iLayerType = PFD_MAIN_PLANE;
    const int formatNumber = ChoosePixelFormat(deviceContext, &format);
    if (formatNumber == 0) {
        return Fail(OpenResult::NoPixelFormat);
    }
    if (!SetPixelFormat(deviceContext, formatNumber, &format)) {
        return Fail(OpenResult::PixelFormatRefused);
    }
    renderingContext = wglCreateContext(deviceContext);
    if (!renderingContext) {
        return Fail(OpenResult::ContextFailed);
    }
    if (!wglMakeCurrent(deviceContext, renderingContext)) {
        return Fail(OpenResult::ContextNotCurrent);
    }

    // 4. Shown and in front, with the keyboard.
    ShowWindow(window, SW_SHOW);
    SetForegroundWindow(window);
    SetFocus(window);
    return OpenResult::Opened;
}

bool CloseWindow() {
    return Close();
}

void SwapWindow() {
    if (deviceContext) {
        SwapBuffers(deviceContext);
    }
}

bool SetSwapInterval(int interval) {
    // An extension: asked for on the context that is current now, as every context has its own.
    using SwapIntervalFunction = BOOL(WINAPI*)(int);
    const auto setInterval = reinterpret_cast<SwapIntervalFunction>(
        reinterpret_cast<void*>(wglGetProcAddress("wglSwapIntervalEXT")));
    return renderingContext && setInterval && setInterval(interval) != FALSE;
}

// One of the thread's waiting messages dispatched, its events queued; false when none is waiting.
static bool TranslateOne() {
    MSG message;
    if (!PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        return false;
    }
    if (message.message == WM_QUIT) {
        Queue(WindowEvent(EventType::CloseRequested));
    } else {
        Translate(message);
    }
    return true;
}

bool PollEvent(Event& event) {
    ReleaseCarriedKeys();
    return pending.Take(event, TranslateOne);
}

bool WaitEvent(Event& event, std::int64_t timeoutMicroseconds) {
    if (PollEvent(event)) {
        return true;
    }
    const std::int64_t end = MonotonicMicroseconds() + timeoutMicroseconds;
    for (;;) {
        const std::int64_t left = end - MonotonicMicroseconds();
        if (left <= 0) {
            return false;
        }
        // Whole milliseconds, rounded up so that the wait never ends early and spins. Input
        // already seen by an earlier look but not taken also ends the wait.
        MsgWaitForMultipleObjectsEx(0, nullptr, static_cast<DWORD>((left + 999) / 1000),
                                    QS_ALLINPUT, MWMO_INPUTAVAILABLE);
        if (PollEvent(event)) {
            return true;
        }
    }
}

MessageBoxAnswer ShowMessageBox(const char* text, const char* caption, MessageBoxStyle style) {
    MessageBoxAnswer given = OkAnswer;
    if (EchoMessageBox(text, caption, style, given)) {
        return given;
    }
    UINT type = MB_OK | MB_ICONINFORMATION;
    switch (style) {
        case OkInformation:
            break;
        case OkExclamation:
            type = MB_OK | MB_ICONEXCLAMATION;
            break;
        case OkStop:
            type = MB_OK | MB_ICONSTOP;
            break;
        case YesNoExclamation:
            type = MB_YESNO | MB_ICONEXCLAMATION;
            break;
    }
    switch (MessageBoxA(nullptr, text, caption, type)) {
        case IDYES:
            return YesAnswer;
        case IDNO:
            return NoAnswer;
        case 0:
            // Nobody could be asked: the safe answer to the only question is to stop.
            return style == YesNoExclamation ? NoAnswer : OkAnswer;
        default:
            return OkAnswer;
    }
}

std::int64_t MonotonicMicroseconds() {
    static const std::int64_t frequency = [] {
        LARGE_INTEGER f;
        QueryPerformanceFrequency(&f);
        return static_cast<std::int64_t>(f.QuadPart);
    }();
    LARGE_INTEGER counter;
    QueryPerformanceCounter(&counter);
    const std::int64_t c = counter.QuadPart;
    return c / frequency * 1000000 + c % frequency * 1000000 / frequency;
}

void ShutDownWindowSystem() {
    // Every window is gone by now, and with it the display mode it had asked for.
    pending.Clear();
    std::memset(held, 0, sizeof held);
    std::memset(carried, 0, sizeof carried);
    carriedCount = 0;
}

}  // namespace platform
