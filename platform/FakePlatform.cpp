#include "platform/FakePlatform.h"

struct PlatformWindow {
    bool fullscreen = false;
};

struct PlatformDeviceContext {
    PlatformWindow* window = nullptr;
};

struct PlatformRenderContext {
    int unused = 0;
};

static FakePlatform fake;

// The handles live here until the next reset, so that a release the test made fail, after which
// the game forgets the handle as it should, does not leak.
static std::deque<PlatformWindow> windows;
static std::deque<PlatformDeviceContext> deviceContexts;
static std::deque<PlatformRenderContext> renderContexts;

FakePlatform& Fake() {
    return fake;
}

void ResetFakePlatform() {
    fake = FakePlatform();
    windows.clear();
    deviceContexts.clear();
    renderContexts.clear();
}

void Script(int afterSwaps, unsigned message, std::uint32_t wParam, std::uint32_t lParam) {
    ScriptedMessage m;
    m.afterSwaps = afterSwaps;
    m.message.message = message;
    m.message.wParam = wParam;
    m.message.lParam = lParam;
    fake.script.push_back(m);
}

std::uint32_t PackClientPoint(int x, int y) {
    return static_cast<std::uint16_t>(x) | static_cast<std::uint32_t>(static_cast<std::uint16_t>(y))
                                               << 16;
}

static bool Fails(FakeStep step) {
    return fake.failing[step];
}

bool RegisterWindowClass() {
    fake.calls.push_back("RegisterWindowClass");
    if (Fails(RegisterClassStep) || fake.classRegistered) {
        return false;
    }
    fake.classRegistered = true;
    return true;
}

bool UnregisterWindowClass() {
    fake.calls.push_back("UnregisterWindowClass");
    if (Fails(UnregisterClassStep) || !fake.classRegistered) {
        return false;
    }
    fake.classRegistered = false;
    return true;
}

void ShutDownWindowSystem() {
    fake.calls.push_back("ShutDownWindowSystem");
}

bool ChangeDisplayMode(int, int, int) {
    fake.calls.push_back("ChangeDisplayMode");
    if (Fails(ChangeDisplayModeStep)) {
        return false;
    }
    fake.displayChanged = true;
    return true;
}

void RestoreDisplayMode() {
    fake.calls.push_back("RestoreDisplayMode");
    fake.displayChanged = false;
}

WindowHandle CreateGameWindow(const char*, int x, int y, int, int, bool fullscreen) {
    fake.calls.push_back(fullscreen ? "CreateGameWindow fullscreen" : "CreateGameWindow");
    if (Fails(CreateWindowStep)) {
        return nullptr;
    }
    ++fake.windowsOpen;
    fake.lastWindowFullscreen = fullscreen;
    fake.lastWindowX = fullscreen ? 0 : x;
    fake.lastWindowY = fullscreen ? 0 : y;
    windows.emplace_back();
    windows.back().fullscreen = fullscreen;
    return &windows.back();
}

bool DestroyGameWindow(WindowHandle window) {
    fake.calls.push_back("DestroyGameWindow");
    if (Fails(DestroyWindowStep) || !window) {
        return false;
    }
    --fake.windowsOpen;
    return true;
}

DeviceContext GetDeviceContext(WindowHandle window) {
    fake.calls.push_back("GetDeviceContext");
    if (Fails(GetDeviceContextStep) || !window) {
        return nullptr;
    }
    ++fake.deviceContextsHeld;
    deviceContexts.emplace_back();
    deviceContexts.back().window = window;
    return &deviceContexts.back();
}

bool ReleaseDeviceContext(WindowHandle window, DeviceContext dc) {
    fake.calls.push_back("ReleaseDeviceContext");
    if (Fails(ReleaseDeviceContextStep) || !dc || dc->window != window) {
        return false;
    }
    --fake.deviceContextsHeld;
    return true;
}

int ChoosePixelFormat(DeviceContext dc, const PixelFormatRequest&) {
    fake.calls.push_back("ChoosePixelFormat");
    return Fails(ChoosePixelFormatStep) || !dc ? 0 : 7;
}

bool SetPixelFormat(DeviceContext dc, int format, const PixelFormatRequest&) {
    fake.calls.push_back("SetPixelFormat");
    return !Fails(SetPixelFormatStep) && dc && format == 7;
}

RenderContext CreateRenderContext(DeviceContext dc) {
    fake.calls.push_back("CreateRenderContext");
    if (Fails(CreateRenderContextStep) || !dc) {
        return nullptr;
    }
    ++fake.renderContextsHeld;
    renderContexts.emplace_back();
    return &renderContexts.back();
}

bool MakeCurrent(DeviceContext dc, RenderContext rc) {
    bool release = !dc && !rc;
    fake.calls.push_back(release ? "ReleaseCurrent" : "MakeCurrent");
    if (Fails(release ? ReleaseCurrentStep : MakeCurrentStep)) {
        return false;
    }
    fake.contextCurrent = !release;
    return true;
}

bool DeleteRenderContext(RenderContext rc) {
    fake.calls.push_back("DeleteRenderContext");
    if (Fails(DeleteRenderContextStep) || !rc) {
        return false;
    }
    --fake.renderContextsHeld;
    return true;
}

void ShowGameWindow(WindowHandle) {
    fake.calls.push_back("ShowGameWindow");
}

void ShowPointer(bool show) {
    fake.pointerCount += show ? 1 : -1;
}

void FocusGameWindow(WindowHandle) {
    fake.calls.push_back("FocusGameWindow");
}

void SwapWindowBuffers(DeviceContext) {
    if (fake.swapInterval == 1 && fake.refreshPeriod > 0) {
        fake.clock = (fake.clock / fake.refreshPeriod + 1) * fake.refreshPeriod;
    }
    ++fake.swaps;
    if (fake.onSwap) {
        fake.onSwap(fake.swaps);
    }
}

bool SetSwapInterval(int interval) {
    if (Fails(SwapIntervalStep)) {
        return false;
    }
    fake.swapInterval = interval;
    return true;
}

static bool TakeMessage(WindowMessage& message) {
    if (!fake.script.empty() && fake.script.front().afterSwaps <= fake.swaps) {
        message = fake.script.front().message;
        fake.script.pop_front();
        return true;
    }
    if (fake.quitPosted) {
        fake.quitPosted = false;
        message = WindowMessage();
        message.message = QuitMessage;
        message.wParam = static_cast<std::uint32_t>(fake.quitCode);
        return true;
    }
    if (fake.script.empty() && fake.swaps > fake.swapLimit) {
        fake.swapLimit = fake.swaps + 1000;
        message = WindowMessage();
        message.message = CloseMessage;
        return true;
    }
    return false;
}

bool PeekWindowMessage(WindowMessage& message) {
    return TakeMessage(message);
}

bool WaitWindowMessage(WindowMessage& message, std::int64_t timeoutMicroseconds) {
    ++fake.waits;
    if (TakeMessage(message)) {
        return true;
    }
    if (timeoutMicroseconds > 0) {
        fake.clock += timeoutMicroseconds;
    }
    return false;
}

void PostQuitMessage(int exitCode) {
    fake.quitPosted = true;
    fake.quitCode = exitCode;
}

bool PostWindowMessage(const WindowMessage& message) {
    ScriptedMessage m;
    m.message = message;
    fake.script.push_back(m);
    return true;
}

MessageBoxAnswer ShowMessageBox(const char* text, const char* caption, MessageBoxStyle style) {
    ShownMessageBox box;
    box.text = text;
    box.caption = caption;
    box.style = style;
    if (style == YesNoExclamation) {
        box.answer = YesAnswer;
        if (!fake.answers.empty()) {
            box.answer = fake.answers.front();
            fake.answers.pop_front();
        }
    }
    fake.boxes.push_back(box);
    fake.calls.push_back("MessageBox " + box.text);
    return box.answer;
}

std::int64_t MonotonicMicroseconds() {
    return fake.clock;
}

std::int32_t DefaultWindowProc(WindowHandle, unsigned message, std::uint32_t, std::uint32_t) {
    fake.calls.push_back("DefaultWindowProc " + std::to_string(message));
    return 0;
}
