#pragma once

#include <SDL.h>

#include <vector>

// Keys held down while the game window is replaced (the window-mode toggle). SDL lets go of every
// key when the focused window goes away, and then ignores the key's real release, as it no longer
// counts the key as down. So the SDL backend carries the held keys over itself: on an X display it
// asks the server which of them are still down until each one is released or SDL reports it down
// again (a key repeat); elsewhere a carried key counts as let go once the new window has the
// focus, which is what losing the focus does anyway.
class CarriedKeys {
public:
    // Takes the keys SDL holds now, before `window` goes.
    void Carry(SDL_Window* window);
    // SDL reports the key down again: its release will come through SDL.
    void Forget(SDL_Scancode scancode);
    // The carried keys let go since the last call, taken off the carry. `focused`: the new window
    // has the focus (off an X display, every carried key then counts as let go).
    void TakeReleased(bool focused, std::vector<SDL_Scancode>& released);
    // Every carried key, taken off the carry (the focus went to another program).
    void TakeAll(std::vector<SDL_Scancode>& released);
    bool Any() const { return count > 0; }

private:
    bool carried[SDL_NUM_SCANCODES] = {};
    unsigned char xKeycode[SDL_NUM_SCANCODES] = {};
    int count = 0;
    void* display = nullptr;
};
