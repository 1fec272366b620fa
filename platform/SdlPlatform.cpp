#include <SDL.h>

#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <deque>
#include <vector>

#include "platform/CarriedKeys.h"
#include "platform/Platform.h"
#include "platform/VirtualKeys.h"

// The window system over SDL2. SDL has no window class, no device context and no message
// numbers, so this file plays them: the class is the video subsystem being up, a device context
// is a small record naming its window, and SDL events are turned into the classic messages,
// queued here because one event can become several messages (a key and its character).

struct PlatformWindow {
    SDL_Window* window = nullptr;
    Uint32 id = 0;
};

struct PlatformDeviceContext {
    PlatformWindow* window = nullptr;
};

struct PlatformRenderContext {
    SDL_GLContext context = nullptr;
};

static bool classRegistered = false;
// Read by PostWindowMessage, which other threads may call.
static std::atomic<bool> videoUp{false};
// The SDL event type that carries messages posted by PostWindowMessage.
static std::atomic<Uint32> postedEventType{0};
static PlatformWindow* currentWindow = nullptr;
static std::deque<WindowMessage> pending;
static bool quitPosted = false;
static int quitCode = 0;
// The classic cursor is shown while this count is at least zero; hiding twice needs showing
// twice, which is what keeps the pointer hidden over the game in both window modes.
static int pointerCount = 0;
// Keys held when the last window went away, still down as far as the game knows.
static CarriedKeys carriedKeys;
static bool windowFocused = false;
// The display mode the next fullscreen window asks for; zero width when none is wanted.
static SDL_DisplayMode wantedMode = {};
static bool wantedModeIsDesktop = false;

// The pixel format the window is created with: the X visual is chosen when the window is made,
// so the format must be settled before CreateGameWindow and is only checked afterwards.
static const PixelFormatRequest createdFormat;

// SDL falls back to drawing into memory when no display answers; the game would then run
// unseen and never end. Only a display, or a driver chosen on purpose (SDL_VIDEODRIVER), will do.
static bool DriverChosen() {
    const char* chosen = std::getenv("SDL_VIDEODRIVER");
    return chosen && *chosen;
}

static bool DisplayAvailable() {
    for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY"}) {
        const char* value = std::getenv(name);
        if (value && *value) {
            return true;
        }
    }
    return DriverChosen();
}

static bool OnADisplay() {
    const char* driver = SDL_GetCurrentVideoDriver();
    return DriverChosen() ||
           (driver && (std::strcmp(driver, "x11") == 0 || std::strcmp(driver, "wayland") == 0));
}

bool RegisterWindowClass() {
    if (classRegistered) {
        return false;
    }
    if (!videoUp) {
        if (!DisplayAvailable()) {
            std::fprintf(stderr,
                         "kestrane: no display (neither DISPLAY nor WAYLAND_DISPLAY set)\n");
            return false;
        }
        if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0) {
            std::fprintf(stderr, "kestrane: no window system: %s\n", SDL_GetError());
            return false;
        }
        if (!OnADisplay()) {
            std::fprintf(stderr, "kestrane: no display answers (SDL offered \"%s\")\n",
                         SDL_GetCurrentVideoDriver());
            SDL_QuitSubSystem(SDL_INIT_VIDEO);
            return false;
        }
        Uint32 type = SDL_RegisterEvents(1);
        postedEventType = type == static_cast<Uint32>(-1) ? 0 : type;
        videoUp = true;
    }
    classRegistered = true;
    return true;
}

bool UnregisterWindowClass() {
    if (!classRegistered) {
        return false;
    }
    classRegistered = false;
    return true;
}

void ShutDownWindowSystem() {
    // SDL itself stays up until the process ends, and the process end takes it down: quitting
    // SDL unloads the GL driver, whose own allocations then turn into leaks that nothing can
    // name. Every window is gone by now, so the display mode is the desktop's again.
    pending.clear();
    quitPosted = false;
    classRegistered = false;
    carriedKeys = CarriedKeys();
}

bool ChangeDisplayMode(int width, int height, int) {
    // The colour depth of an X display cannot change under a running server, so only the size
    // is matched; the desktop mode counts when it already has that size.
    wantedMode = {};
    wantedModeIsDesktop = false;
    if (!videoUp) {
        return false;
    }
    SDL_DisplayMode desktop;
    if (SDL_GetDesktopDisplayMode(0, &desktop) == 0 && desktop.w == width && desktop.h == height) {
        wantedMode = desktop;
        wantedModeIsDesktop = true;
        return true;
    }
    int count = SDL_GetNumDisplayModes(0);
    for (int i = 0; i < count; ++i) {
        SDL_DisplayMode mode;
        if (SDL_GetDisplayMode(0, i, &mode) == 0 && mode.w == width && mode.h == height) {
            wantedMode = mode;
            return true;
        }
    }
    return false;
}

void RestoreDisplayMode() {
    // SDL puts the desktop mode back itself when the fullscreen window goes away.
    wantedMode = {};
    wantedModeIsDesktop = false;
}

WindowHandle CreateGameWindow(const char* title, int x, int y, int width, int height,
                              bool fullscreen) {
    if (!videoUp) {
        return nullptr;
    }
    SDL_GL_ResetAttributes();
    SDL_GL_SetAttribute(SDL_GL_RED_SIZE, createdFormat.colourBits >= 16 ? 5 : 3);
    SDL_GL_SetAttribute(SDL_GL_GREEN_SIZE, createdFormat.colourBits >= 16 ? 5 : 3);
    SDL_GL_SetAttribute(SDL_GL_BLUE_SIZE, createdFormat.colourBits >= 16 ? 5 : 2);
    SDL_GL_SetAttribute(SDL_GL_DEPTH_SIZE, createdFormat.depthBits);
    SDL_GL_SetAttribute(SDL_GL_DOUBLEBUFFER, createdFormat.doubleBuffer ? 1 : 0);

    Uint32 flags = SDL_WINDOW_OPENGL | SDL_WINDOW_HIDDEN;
    if (fullscreen) {
        // The fullscreen window covers the display from its corner, whatever was asked.
        x = 0;
        y = 0;
        flags |= SDL_WINDOW_BORDERLESS;
        flags |= wantedModeIsDesktop || wantedMode.w == 0 ? SDL_WINDOW_FULLSCREEN_DESKTOP
                                                          : SDL_WINDOW_FULLSCREEN;
    } else {
        flags |= SDL_WINDOW_RESIZABLE;
    }
    SDL_Window* window = SDL_CreateWindow(title, x, y, width, height, flags);
    if (!window) {
        std::fprintf(stderr, "kestrane: %s\n", SDL_GetError());
        return nullptr;
    }
    if (fullscreen && !wantedModeIsDesktop && wantedMode.w != 0) {
        SDL_SetWindowDisplayMode(window, &wantedMode);
    }
    PlatformWindow* handle = new PlatformWindow;
    handle->window = window;
    handle->id = SDL_GetWindowID(window);
    currentWindow = handle;
    SDL_StartTextInput();
    return handle;
}

static void Translate(const SDL_Event& event);

bool DestroyGameWindow(WindowHandle window) {
    if (!window) {
        return false;
    }
    // 1. Everything the window system has sent so far is the game's, releases included.
    SDL_PumpEvents();
    SDL_Event event;
    while (SDL_PeepEvents(&event, 1, SDL_GETEVENT, SDL_FIRSTEVENT, SDL_LASTEVENT) == 1) {
        Translate(event);
    }
    // 2. What is held now is carried to the next window; the releases SDL makes up when the
    // window goes are not the player's.
    carriedKeys.Carry(window->window);
    windowFocused = false;
    SDL_DestroyWindow(window->window);
    SDL_PumpEvents();
    SDL_FlushEvent(SDL_KEYUP);
    if (currentWindow == window) {
        currentWindow = nullptr;
    }
    delete window;
    return true;
}

DeviceContext GetDeviceContext(WindowHandle window) {
    if (!window) {
        return nullptr;
    }
    PlatformDeviceContext* dc = new PlatformDeviceContext;
    dc->window = window;
    return dc;
}

bool ReleaseDeviceContext(WindowHandle window, DeviceContext dc) {
    if (!dc || dc->window != window) {
        return false;
    }
    delete dc;
    return true;
}

int ChoosePixelFormat(DeviceContext dc, const PixelFormatRequest& request) {
    if (!dc) {
        return 0;
    }
    bool met = request.colourBits <= 24 && request.depthBits <= createdFormat.depthBits &&
               request.doubleBuffer == createdFormat.doubleBuffer;
    return met ? 1 : 0;
}

bool SetPixelFormat(DeviceContext dc, int format, const PixelFormatRequest&) {
    return dc && format == 1;
}

RenderContext CreateRenderContext(DeviceContext dc) {
    if (!dc) {
        return nullptr;
    }
    SDL_GLContext context = SDL_GL_CreateContext(dc->window->window);
    if (!context) {
        std::fprintf(stderr, "kestrane: %s\n", SDL_GetError());
        return nullptr;
    }
    // Creating makes the context current; the game makes it current itself in the next step.
    SDL_GL_MakeCurrent(dc->window->window, nullptr);
    PlatformRenderContext* rc = new PlatformRenderContext;
    rc->context = context;
    return rc;
}

bool MakeCurrent(DeviceContext dc, RenderContext rc) {
    if (!dc || !rc) {
        return SDL_GL_MakeCurrent(currentWindow ? currentWindow->window : nullptr, nullptr) == 0;
    }
    return SDL_GL_MakeCurrent(dc->window->window, rc->context) == 0;
}

bool DeleteRenderContext(RenderContext rc) {
    if (!rc) {
        return false;
    }
    SDL_GL_DeleteContext(rc->context);
    delete rc;
    return true;
}

void ShowGameWindow(WindowHandle window) {
    if (window) {
        SDL_ShowWindow(window->window);
    }
}

void ShowPointer(bool show) {
    pointerCount += show ? 1 : -1;
    if (videoUp) {
        SDL_ShowCursor(pointerCount >= 0 ? SDL_ENABLE : SDL_DISABLE);
    }
}

void FocusGameWindow(WindowHandle window) {
    if (window) {
        SDL_RaiseWindow(window->window);
    }
}

void SwapWindowBuffers(DeviceContext dc) {
    if (dc) {
        SDL_GL_SwapWindow(dc->window->window);
    }
}

bool SetSwapInterval(int interval) {
    return SDL_GL_SetSwapInterval(interval) == 0;
}

static std::uint32_t PackPoint(int x, int y) {
    // Client coordinates travel as two 16-bit halves, so a position left of or above the window
    // wraps just as the classic messages have it.
    return static_cast<std::uint16_t>(x) | static_cast<std::uint32_t>(static_cast<std::uint16_t>(y))
                                               << 16;
}

static void Queue(unsigned message, std::uint32_t wParam, std::uint32_t lParam) {
    WindowMessage m;
    m.message = message;
    m.wParam = wParam;
    m.lParam = lParam;
    pending.push_back(m);
}

static void QueueReleases(const std::vector<SDL_Scancode>& released) {
    for (SDL_Scancode scancode : released) {
        unsigned vk = VirtualKeyOf(scancode, SDL_GetKeyFromScancode(scancode));
        if (vk != 0) {
            Queue(KeyUpMessage, vk, 0);
        }
    }
}

// Carried keys let go since the last look become releases.
static void ReleaseCarriedKeys() {
    if (!carriedKeys.Any()) {
        return;
    }
    std::vector<SDL_Scancode> released;
    carriedKeys.TakeReleased(windowFocused, released);
    QueueReleases(released);
}

static bool ForCurrentWindow(Uint32 id) {
    return currentWindow && currentWindow->id == id;
}

// Keys whose classic key-down also brings a character, as text input does not report them.
static int ControlCharacter(unsigned virtualKey) {
    switch (virtualKey) {
        case 8:
        case 9:
        case 13:
        case EscapeKey:
            return static_cast<int>(virtualKey);
        default:
            return -1;
    }
}

static void Translate(const SDL_Event& event) {
    if (postedEventType != 0 && event.type == postedEventType) {
        Queue(static_cast<unsigned>(event.user.code),
              static_cast<std::uint32_t>(reinterpret_cast<std::uintptr_t>(event.user.data1)),
              static_cast<std::uint32_t>(reinterpret_cast<std::uintptr_t>(event.user.data2)));
        return;
    }
    switch (event.type) {
        case SDL_QUIT:
            Queue(CloseMessage, 0, 0);
            break;
        case SDL_KEYDOWN:
        case SDL_KEYUP: {
            unsigned vk = VirtualKeyOf(event.key.keysym.scancode, event.key.keysym.sym);
            if (vk == 0) {
                break;
            }
            bool down = event.type == SDL_KEYDOWN;
            if (down) {
                carriedKeys.Forget(event.key.keysym.scancode);
            }
            Queue(down ? KeyDownMessage : KeyUpMessage, vk, 0);
            int c = down ? ControlCharacter(vk) : -1;
            if (c >= 0) {
                Queue(CharMessage, static_cast<std::uint32_t>(c), 0);
            }
            break;
        }
        case SDL_TEXTINPUT:
            for (unsigned code : CharacterCodes(event.text.text)) {
                Queue(CharMessage, code, 0);
            }
            break;
        case SDL_MOUSEMOTION:
            if (ForCurrentWindow(event.motion.windowID)) {
                Queue(MouseMoveMessage, 0, PackPoint(event.motion.x, event.motion.y));
            }
            break;
        case SDL_MOUSEBUTTONDOWN:
            if (!ForCurrentWindow(event.button.windowID)) {
                break;
            }
            if (event.button.button == SDL_BUTTON_LEFT) {
                Queue(LeftButtonDownMessage, 1, PackPoint(event.button.x, event.button.y));
            } else if (event.button.button == SDL_BUTTON_RIGHT) {
                Queue(RightButtonDownMessage, 2, PackPoint(event.button.x, event.button.y));
            }
            break;
        case SDL_WINDOWEVENT: {
            if (!ForCurrentWindow(event.window.windowID)) {
                break;
            }
            SDL_Window* window = currentWindow->window;
            bool minimised = (SDL_GetWindowFlags(window) & SDL_WINDOW_MINIMIZED) != 0;
            switch (event.window.event) {
                case SDL_WINDOWEVENT_SIZE_CHANGED:
                    Queue(SizeMessage, 0, PackPoint(event.window.data1, event.window.data2));
                    break;
                case SDL_WINDOWEVENT_MINIMIZED:
                    // A minimised window reports a zero client size, as the classic one does.
                    Queue(SizeMessage, 1, 0);
                    Queue(ActivateMessage, 1u << 16, 0);
                    break;
                case SDL_WINDOWEVENT_RESTORED:
                case SDL_WINDOWEVENT_FOCUS_GAINED:
                    if (event.window.event == SDL_WINDOWEVENT_FOCUS_GAINED) {
                        windowFocused = true;
                        ReleaseCarriedKeys();
                    }
                    if (!minimised) {
                        int w = 0;
                        int h = 0;
                        SDL_GetWindowSize(window, &w, &h);
                        if (event.window.event == SDL_WINDOWEVENT_RESTORED) {
                            Queue(SizeMessage, 0, PackPoint(w, h));
                        }
                        Queue(ActivateMessage, 1, 0);
                    }
                    break;
                case SDL_WINDOWEVENT_FOCUS_LOST: {
                    // Another program has the keyboard now: whatever was carried is let go.
                    windowFocused = false;
                    std::vector<SDL_Scancode> released;
                    carriedKeys.TakeAll(released);
                    QueueReleases(released);
                    Queue(ActivateMessage, minimised ? 1u << 16 : 0, 0);
                    break;
                }
                case SDL_WINDOWEVENT_CLOSE:
                    Queue(CloseMessage, 0, 0);
                    break;
                default:
                    break;
            }
            break;
        }
        default:
            break;
    }
}

static bool TakePending(WindowMessage& message) {
    if (!pending.empty()) {
        message = pending.front();
        pending.pop_front();
        return true;
    }
    if (quitPosted) {
        quitPosted = false;
        message = WindowMessage();
        message.message = QuitMessage;
        message.wParam = static_cast<std::uint32_t>(quitCode);
        return true;
    }
    return false;
}

bool PeekWindowMessage(WindowMessage& message) {
    ReleaseCarriedKeys();
    if (TakePending(message)) {
        return true;
    }
    if (!videoUp) {
        return false;
    }
    SDL_Event event;
    while (SDL_PollEvent(&event)) {
        Translate(event);
        if (TakePending(message)) {
            return true;
        }
    }
    return false;
}

bool WaitWindowMessage(WindowMessage& message, std::int64_t timeoutMicroseconds) {
    if (PeekWindowMessage(message)) {
        return true;
    }
    if (!videoUp) {
        return false;
    }
    std::int64_t end = MonotonicMicroseconds() + timeoutMicroseconds;
    for (;;) {
        std::int64_t left = end - MonotonicMicroseconds();
        if (left <= 0) {
            return false;
        }
        // SDL waits in whole milliseconds: round up so the wait never ends early and spins.
        int ms = static_cast<int>((left + 999) / 1000);
        SDL_Event event;
        if (SDL_WaitEventTimeout(&event, ms)) {
            Translate(event);
            if (TakePending(message)) {
                return true;
            }
        }
    }
}

void PostQuitMessage(int exitCode) {
    quitPosted = true;
    quitCode = exitCode;
}

bool PostWindowMessage(const WindowMessage& message) {
    Uint32 type = postedEventType;
    if (!videoUp || type == 0) {
        return false;
    }
    SDL_Event event = {};
    event.type = type;
    event.user.code = static_cast<Sint32>(message.message);
    event.user.data1 = reinterpret_cast<void*>(static_cast<std::uintptr_t>(message.wParam));
    event.user.data2 = reinterpret_cast<void*>(static_cast<std::uintptr_t>(message.lParam));
    return SDL_PushEvent(&event) == 1;
}

static MessageBoxAnswer AnswerFromEnvironment(MessageBoxStyle style, bool& answered) {
    const char* answer = std::getenv("KESTRANE_MESSAGE_BOX_ANSWER");
    answered = answer && *answer;
    if (!answered) {
        return OkAnswer;
    }
    if (style != YesNoExclamation) {
        return OkAnswer;
    }
    return std::strcmp(answer, "yes") == 0 ? YesAnswer : NoAnswer;
}

MessageBoxAnswer ShowMessageBox(const char* text, const char* caption, MessageBoxStyle style) {
    std::fprintf(stderr, "%s: %s\n", caption, text);
    std::fflush(stderr);
    bool answered = false;
    MessageBoxAnswer answer = AnswerFromEnvironment(style, answered);
    if (answered) {
        std::fprintf(stderr, "%s: answered %s\n", caption,
                     answer == YesAnswer  ? "yes"
                     : answer == NoAnswer ? "no"
                                          : "ok");
        return answer;
    }

    SDL_MessageBoxButtonData buttons[2] = {};
    int buttonCount = 1;
    Uint32 flags = SDL_MESSAGEBOX_INFORMATION;
    if (style == YesNoExclamation) {
        buttons[0] = {SDL_MESSAGEBOX_BUTTON_RETURNKEY_DEFAULT, YesAnswer, "Yes"};
        buttons[1] = {SDL_MESSAGEBOX_BUTTON_ESCAPEKEY_DEFAULT, NoAnswer, "No"};
        buttonCount = 2;
        flags = SDL_MESSAGEBOX_WARNING;
    } else {
        buttons[0] = {
            SDL_MESSAGEBOX_BUTTON_RETURNKEY_DEFAULT | SDL_MESSAGEBOX_BUTTON_ESCAPEKEY_DEFAULT,
            OkAnswer, "OK"};
        flags = style == OkStop          ? SDL_MESSAGEBOX_ERROR
                : style == OkExclamation ? SDL_MESSAGEBOX_WARNING
                                         : SDL_MESSAGEBOX_INFORMATION;
    }
    SDL_MessageBoxData data = {};
    data.flags = flags;
    data.title = caption;
    data.message = text;
    data.numbuttons = buttonCount;
    data.buttons = buttons;
    int pressed = -1;
    if (SDL_ShowMessageBox(&data, &pressed) != 0 || pressed < 0) {
        // Nobody could be asked: the safe answer to the only question is to stop.
        return style == YesNoExclamation ? NoAnswer : OkAnswer;
    }
    return static_cast<MessageBoxAnswer>(pressed);
}

std::int64_t MonotonicMicroseconds() {
    static const Uint64 frequency = SDL_GetPerformanceFrequency();
    Uint64 counter = SDL_GetPerformanceCounter();
    return static_cast<std::int64_t>(counter / frequency * 1000000 +
                                     counter % frequency * 1000000 / frequency);
}

std::int32_t DefaultWindowProc(WindowHandle, unsigned, std::uint32_t, std::uint32_t) {
    return 0;
}
