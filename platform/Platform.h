#pragma once

#include <cstdint>

// The window system as the game sees it: one game window with its GL context, the events it
// reports, a clock and message boxes. Three backends implement it, SDL2 for the game on Linux,
// Win32 for the game on Windows and a scripted fake for tests; nothing outside platform/ knows
// which one is linked. The calls live in the namespace `platform`, apart from the window
// system's own functions of the same names (Win32 has a CloseWindow that minimises a window);
// the events are the game's own vocabulary and stay outside it.

// The keys the game acts on. Letters and digits are their upper-case character: Key{'W'}.
// clang-format off
enum class Key : unsigned char {
    None, Escape, Left, Right, Up, Down, F1, KeypadPlus, KeypadMinus, LeftSuper, Menu
};
enum class Button : unsigned char { Left, Right };
enum class EventType : unsigned char {
    PointerMoved, ButtonPressed, KeyPressed, KeyReleased, CharacterTyped,
    Resized, Minimised, Restored, CloseRequested
};

// One report of the window system. x, y: the pointer in window coordinates (past the edges, or
// negative, while a button is held outside the window), or the new size for Resized.
struct Event {
    EventType type = EventType::CloseRequested;
    int x = 0;
    int y = 0;
    Button button = Button::Left;
    Key key = Key::None;
    unsigned character = 0;  // Latin-1: typed text wider than that never arrives
};

// clang-format on

namespace platform {

// What went wrong in an opening; everything the opening had made is gone again. The device
// context and pixel format steps are Win32's own: the other backends never report them.
enum class OpenResult {
    Opened,
    NoWindowSystem,
    ModeRefused,
    WindowFailed,
    NoDeviceContext,
    NoPixelFormat,
    PixelFormatRefused,
    ContextFailed,
    ContextNotCurrent
};

// Opens the game window, shown, focused and with the pointer hidden over it, and makes a
// double-buffered GL context with a depth buffer current on it: windowed with a client area of
// width x height, or fullscreen with the display switched to that size (ModeRefused: it cannot).
OpenResult OpenWindow(const char* title, int width, int height, bool fullscreen);
// Closes the open window and its context; false when the context would not let go of the thread
// (the rest still closes). The display mode is the desktop's again.
bool CloseWindow();
void SwapWindow();
bool SetSwapInterval(int interval);                              // false where the driver refuses
bool PollEvent(Event& event);                                    // false when none is waiting
bool WaitEvent(Event& event, std::int64_t timeoutMicroseconds);  // false when none came
std::int64_t MonotonicMicroseconds();

enum MessageBoxStyle { OkInformation, OkExclamation, OkStop, YesNoExclamation };
enum MessageBoxAnswer { OkAnswer, YesAnswer, NoAnswer };
// Shows a message box and writes its text to stderr as well.
MessageBoxAnswer ShowMessageBox(const char* text, const char* caption, MessageBoxStyle style);

// Lets go of the window system once every window is closed; a later OpenWindow starts it again.
void ShutDownWindowSystem();

}  // namespace platform
