#include <SDL.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "platform/CarriedKeys.h"
#include "platform/EventQueue.h"
#include "platform/Events.h"
#include "platform/Keys.h"
#include "platform/MessageBoxEcho.h"
#include "platform/Platform.h"

namespace platform {

// The window system over SDL2: one window and its GL context at a time, SDL's events turned into
// the game's, queued here because one SDL event can become several (a key and its character, a
// minimising and its zero size).

static bool videoUp = false;
static SDL_Window* window = nullptr;
static Uint32 windowId = 0;
static SDL_GLContext context = nullptr;
static EventQueue pending;
// Keys held when the last window went away, still down as far as the game knows.
static CarriedKeys carriedKeys;
static bool windowFocused = false;

// Windowed, the game opens at this place on the desktop; fullscreen covers it from its corner.
static const int windowedX = 150;
static const int windowedY = 50;

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

static bool StartVideo() {
    if (videoUp) {
        return true;
    }
    if (!DisplayAvailable()) {
        std::fprintf(stderr, "kestrane: no display (neither DISPLAY nor WAYLAND_DISPLAY set)\n");
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
    videoUp = true;
    return true;
}

void ShutDownWindowSystem() {
    // SDL itself stays up until the process ends, and the process end takes it down: quitting
    // SDL unloads the GL driver, whose own allocations then turn into leaks that nothing can
    // name. Every window is gone by now, so the display mode is the desktop's again.
    pending.Clear();
    carriedKeys = CarriedKeys();
}

// The display mode a fullscreen window of width x height takes: the desktop's when it already
// has that size (*desktop set), otherwise a listed mode of that size. The colour depth of an X
// display cannot change under a running server, so only the size is matched.
static bool FindDisplayMode(int width, int height, SDL_DisplayMode& mode, bool& desktop) {
    desktop = SDL_GetDesktopDisplayMode(0, &mode) == 0 && mode.w == width && mode.h == height;
    if (desktop) {
        return true;
    }
    const int count = SDL_GetNumDisplayModes(0);
    for (int i = 0; i < count; ++i) {
        if (SDL_GetDisplayMode(0, i, &mode) == 0 && mode.w == width && mode.h == height) {
            return true;
        }
    }
    return false;
}

static void Translate(const SDL_Event& event);

// Destroys the window, carrying the keys held now over to the next one.
static void DestroyWindow() {
    // 1. Everything the window system has sent so far is the game's, releases included.
    SDL_PumpEvents();
    SDL_Event event;
    while (SDL_PeepEvents(&event, 1, SDL_GETEVENT, SDL_FIRSTEVENT, SDL_LASTEVENT) == 1) {
        Translate(event);
    }
    // 2. What is held now is carried to the next window; the releases SDL makes up when the
    // window goes are not the player's.
    carriedKeys.Carry(window);
    windowFocused = false;
    SDL_DestroyWindow(window);
    SDL_PumpEvents();
    SDL_FlushEvent(SDL_KEYUP);
    window = nullptr;
    windowId = 0;
}

OpenResult OpenWindow(const char* title, int width, int height, bool fullscreen) {
    // 1. The window system, and for fullscreen a display mode of the game's size.
    if (!StartVideo()) {
        return OpenResult::NoWindowSystem;
    }
    SDL_DisplayMode mode = {};
    bool desktopMode = false;
    if (fullscreen && !FindDisplayMode(width, height, mode, desktopMode)) {
        return OpenResult::ModeRefused;
    }

    // 2. The window, on an X visual with 16-bit colour and depth, double-buffered.
    SDL_GL_ResetAttributes();
    SDL_GL_SetAttribute(SDL_GL_RED_SIZE, 5);
    SDL_GL_SetAttribute(SDL_GL_GREEN_SIZE, 5);
    SDL_GL_SetAttribute(SDL_GL_BLUE_SIZE, 5);
    SDL_GL_SetAttribute(SDL_GL_DEPTH_SIZE, 16);
    SDL_GL_SetAttribute(SDL_GL_DOUBLEBUFFER, 1);
    Uint32 flags = SDL_WINDOW_OPENGL | SDL_WINDOW_HIDDEN;
    if (fullscreen) {
        flags |= SDL_WINDOW_BORDERLESS |
                 (desktopMode ? SDL_WINDOW_FULLSCREEN_DESKTOP : SDL_WINDOW_FULLSCREEN);
    } else {
        flags |= SDL_WINDOW_RESIZABLE;
    }
    window = SDL_CreateWindow(title, fullscreen ? 0 : windowedX, fullscreen ? 0 : windowedY, width,
                              height, flags);
    if (!window) {
        std::fprintf(stderr, "kestrane: %s\n", SDL_GetError());
        return OpenResult::WindowFailed;
    }
    windowId = SDL_GetWindowID(window);
    if (fullscreen && !desktopMode) {
        SDL_SetWindowDisplayMode(window, &mode);
    }
    SDL_StartTextInput();

    // 3. The GL context, current on this thread.
    context = SDL_GL_CreateContext(window);
    if (!context) {
        std::fprintf(stderr, "kestrane: %s\n", SDL_GetError());
        DestroyWindow();
        return OpenResult::ContextFailed;
    }
    if (SDL_GL_MakeCurrent(window, context) != 0) {
        SDL_GL_DeleteContext(context);
        context = nullptr;
        DestroyWindow();
        return OpenResult::ContextNotCurrent;
    }

    // 4. Shown, the pointer hidden over it, in front.
    SDL_ShowWindow(window);
    SDL_ShowCursor(SDL_DISABLE);
    SDL_RaiseWindow(window);
    return OpenResult::Opened;
}

bool CloseWindow() {
    bool released = true;
    if (context) {
        released = SDL_GL_MakeCurrent(window, nullptr) == 0;
        SDL_GL_DeleteContext(context);
        context = nullptr;
    }
    if (window) {
        DestroyWindow();
    }
    return released;
}

void SwapWindow() {
    if (window) {
        SDL_GL_SwapWindow(window);
    }
}

bool SetSwapInterval(int interval) {
    return SDL_GL_SetSwapInterval(interval) == 0;
}

static void QueueReleases(const std::vector<SDL_Scancode>& released) {
    for (SDL_Scancode scancode : released) {
        const Key key = KeyOf(scancode, SDL_GetKeyFromScancode(scancode));
        if (key != Key::None) {
            pending.Push(KeyEvent(EventType::KeyReleased, key));
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
    return window && windowId == id;
}

// Keys whose press also types a character, as SDL's text input does not report them.
static int ControlCharacter(SDL_Scancode scancode) {
    switch (scancode) {
        case SDL_SCANCODE_BACKSPACE:
            return 8;
        case SDL_SCANCODE_TAB:
            return 9;
        case SDL_SCANCODE_RETURN:
        case SDL_SCANCODE_KP_ENTER:
            return 13;
        case SDL_SCANCODE_ESCAPE:
            return 27;
        default:
            return -1;
    }
}

static void TranslateWindowEvent(const SDL_WindowEvent& event) {
    const bool minimised = (SDL_GetWindowFlags(window) & SDL_WINDOW_MINIMIZED) != 0;
    switch (event.event) {
        case SDL_WINDOWEVENT_SIZE_CHANGED:
            pending.Push(PointerEvent(EventType::Resized, event.data1, event.data2));
            break;
        case SDL_WINDOWEVENT_MINIMIZED:
            // A minimised window has no client area left.
            pending.Push(PointerEvent(EventType::Resized, 0, 0));
            pending.Push(WindowEvent(EventType::Minimised));
            break;
        case SDL_WINDOWEVENT_RESTORED:
        case SDL_WINDOWEVENT_FOCUS_GAINED:
            if (event.event == SDL_WINDOWEVENT_FOCUS_GAINED) {
                windowFocused = true;
                ReleaseCarriedKeys();
            }
            if (!minimised) {
                if (event.event == SDL_WINDOWEVENT_RESTORED) {
                    int w = 0;
                    int h = 0;
                    SDL_GetWindowSize(window, &w, &h);
                    pending.Push(PointerEvent(EventType::Resized, w, h));
                }
                pending.Push(WindowEvent(EventType::Restored));
            }
            break;
        case SDL_WINDOWEVENT_FOCUS_LOST: {
            // Another program has the keyboard now: whatever was carried is let go.
            windowFocused = false;
            std::vector<SDL_Scancode> released;
            carriedKeys.TakeAll(released);
            QueueReleases(released);
            // Only minimising stops the frames: a window that merely lost the focus is still
            // shown, and says so.
            pending.Push(WindowEvent(minimised ? EventType::Minimised : EventType::Restored));
            break;
        }
        case SDL_WINDOWEVENT_CLOSE:
            pending.Push(WindowEvent(EventType::CloseRequested));
            break;
        default:
            break;
    }
}

static void Translate(const SDL_Event& event) {
    switch (event.type) {
        case SDL_QUIT:
            pending.Push(WindowEvent(EventType::CloseRequested));
            break;
        case SDL_KEYDOWN:
        case SDL_KEYUP: {
            const bool down = event.type == SDL_KEYDOWN;
            const SDL_Scancode scancode = event.key.keysym.scancode;
            const Key key = KeyOf(scancode, event.key.keysym.sym);
            if (down) {
                carriedKeys.Forget(scancode);
            }
            if (key != Key::None) {
                pending.Push(KeyEvent(down ? EventType::KeyPressed : EventType::KeyReleased, key));
            }
            const int c = down ? ControlCharacter(scancode) : -1;
            if (c >= 0) {
                pending.Push(Typed(static_cast<unsigned>(c)));
            }
            break;
        }
        case SDL_TEXTINPUT:
            for (unsigned code : CharacterCodes(event.text.text)) {
                pending.Push(Typed(code));
            }
            break;
        case SDL_MOUSEMOTION:
            if (ForCurrentWindow(event.motion.windowID)) {
                pending.Push(PointerEvent(EventType::PointerMoved, event.motion.x, event.motion.y));
            }
            break;
        case SDL_MOUSEBUTTONDOWN:
            if (ForCurrentWindow(event.button.windowID) &&
                (event.button.button == SDL_BUTTON_LEFT ||
                 event.button.button == SDL_BUTTON_RIGHT)) {
                pending.Push(PointerEvent(
                    EventType::ButtonPressed, event.button.x, event.button.y,
                    event.button.button == SDL_BUTTON_LEFT ? Button::Left : Button::Right));
            }
            break;
        case SDL_WINDOWEVENT:
            if (ForCurrentWindow(event.window.windowID)) {
                TranslateWindowEvent(event.window);
            }
            break;
        default:
            break;
    }
}

// One of SDL's waiting events translated into the queue; false when none is waiting.
static bool TranslateOne() {
    SDL_Event sdlEvent;
    if (!SDL_PollEvent(&sdlEvent)) {
        return false;
    }
    Translate(sdlEvent);
    return true;
}

bool PollEvent(Event& event) {
    ReleaseCarriedKeys();
    return pending.Take(event, videoUp ? TranslateOne : nullptr);
}

bool WaitEvent(Event& event, std::int64_t timeoutMicroseconds) {
    if (PollEvent(event)) {
        return true;
    }
    if (!videoUp) {
        return false;
    }
    const std::int64_t end = MonotonicMicroseconds() + timeoutMicroseconds;
    for (;;) {
        const std::int64_t left = end - MonotonicMicroseconds();
        if (left <= 0) {
            return false;
        }
        // SDL waits in whole milliseconds: round up so the wait never ends early and spins.
        SDL_Event sdlEvent;
        if (SDL_WaitEventTimeout(&sdlEvent, static_cast<int>((left + 999) / 1000))) {
            Translate(sdlEvent);
            if (pending.Take(event)) {
                return true;
            }
        }
    }
}

MessageBoxAnswer ShowMessageBox(const char* text, const char* caption, MessageBoxStyle style) {
    MessageBoxAnswer answer = OkAnswer;
    if (EchoMessageBox(text, caption, style, answer)) {
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

}  // namespace platform
