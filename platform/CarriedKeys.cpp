#include "platform/CarriedKeys.h"

#include <SDL_syswm.h>
#include <X11/Xlib.h>
#include <X11/keysym.h>

// The X key symbol of a key, for the keys SDL names by something other than their character.
static KeySym KeySymOf(SDL_Keycode key) {
    struct Pair {
        SDL_Keycode key;
        KeySym sym;
    };
    static const Pair special[] = {
        {SDLK_ESCAPE, XK_Escape},
        {SDLK_RETURN, XK_Return},
        {SDLK_BACKSPACE, XK_BackSpace},
        {SDLK_TAB, XK_Tab},
        {SDLK_DELETE, XK_Delete},
        {SDLK_LEFT, XK_Left},
        {SDLK_RIGHT, XK_Right},
        {SDLK_UP, XK_Up},
        {SDLK_DOWN, XK_Down},
        {SDLK_KP_PLUS, XK_KP_Add},
        {SDLK_KP_MINUS, XK_KP_Subtract},
        {SDLK_LGUI, XK_Super_L},
        {SDLK_RGUI, XK_Super_R},
        {SDLK_APPLICATION, XK_Menu},
        {SDLK_LSHIFT, XK_Shift_L},
        {SDLK_RSHIFT, XK_Shift_R},
        {SDLK_LCTRL, XK_Control_L},
        {SDLK_RCTRL, XK_Control_R},
        {SDLK_LALT, XK_Alt_L},
        {SDLK_RALT, XK_Alt_R},
    };
    for (const Pair& p : special) {
        if (p.key == key) {
            return p.sym;
        }
    }
    if (key >= SDLK_F1 && key <= SDLK_F12) {
        return XK_F1 + (key - SDLK_F1);
    }
    // Printable Latin-1 keys: SDL's key code is the character, and so is the X key symbol.
    if (key >= 0x20 && key <= 0xFF) {
        return static_cast<KeySym>(key);
    }
    return NoSymbol;
}

void CarriedKeys::Carry(SDL_Window* window) {
    // 1. The display to ask later, where there is one.
    display = nullptr;
    SDL_SysWMinfo info;
    SDL_VERSION(&info.version);
    if (SDL_GetWindowWMInfo(window, &info) && info.subsystem == SDL_SYSWM_X11) {
        display = info.info.x11.display;
    }
    // 2. What SDL holds, with each key's place in the server's key map.
    int size = 0;
    const Uint8* state = SDL_GetKeyboardState(&size);
    count = 0;
    for (int i = 0; i < SDL_NUM_SCANCODES; ++i) {
        carried[i] = i < size && state[i] != 0;
        xKeycode[i] = 0;
        if (!carried[i]) {
            continue;
        }
        ++count;
        if (display) {
            const SDL_Scancode scancode = static_cast<SDL_Scancode>(i);
            const KeySym sym = KeySymOf(SDL_GetKeyFromScancode(scancode));
            if (sym != NoSymbol) {
                xKeycode[i] = XKeysymToKeycode(static_cast<Display*>(display), sym);
            }
        }
    }
}

void CarriedKeys::Forget(SDL_Scancode scancode) {
    if (scancode >= 0 && scancode < SDL_NUM_SCANCODES && carried[scancode]) {
        carried[scancode] = false;
        --count;
    }
}

void CarriedKeys::TakeReleased(bool focused, std::vector<SDL_Scancode>& released) {
    if (count == 0) {
        return;
    }
    // Without the server's key map (or a key it does not know), only the focus tells.
    char map[32] = {};
    const bool asked = display && XQueryKeymap(static_cast<Display*>(display), map) != 0;
    for (int i = 0; i < SDL_NUM_SCANCODES; ++i) {
        if (!carried[i]) {
            continue;
        }
        const int code = xKeycode[i];
        const bool down = asked && code != 0 ? (map[code / 8] >> (code % 8)) & 1 : !focused;
        if (!down) {
            carried[i] = false;
            --count;
            released.push_back(static_cast<SDL_Scancode>(i));
        }
    }
}

void CarriedKeys::TakeAll(std::vector<SDL_Scancode>& released) {
    for (int i = 0; i < SDL_NUM_SCANCODES && count > 0; ++i) {
        if (carried[i]) {
            carried[i] = false;
            --count;
            released.push_back(static_cast<SDL_Scancode>(i));
        }
    }
}
