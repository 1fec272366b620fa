#include "platform/VirtualKeys.h"

#include <SDL_keycode.h>
#include <SDL_scancode.h>

#include "platform/Platform.h"

struct ScancodeKey {
    int scancode;
    unsigned virtualKey;
};

// The classic numbers of the keys that are not letters or top-row digits. The punctuation keys
// get the numbers of a US board, whatever they print: the classic numbers do the same.
static const ScancodeKey scancodeKeys[] = {
    {SDL_SCANCODE_BACKSPACE, 8},
    {SDL_SCANCODE_TAB, 9},
    {SDL_SCANCODE_RETURN, 13},
    {SDL_SCANCODE_KP_ENTER, 13},
    {SDL_SCANCODE_LSHIFT, 16},
    {SDL_SCANCODE_RSHIFT, 16},
    {SDL_SCANCODE_LCTRL, 17},
    {SDL_SCANCODE_RCTRL, 17},
    {SDL_SCANCODE_LALT, 18},
    {SDL_SCANCODE_RALT, 18},
    {SDL_SCANCODE_PAUSE, 19},
    {SDL_SCANCODE_CAPSLOCK, 20},
    {SDL_SCANCODE_ESCAPE, EscapeKey},
    {SDL_SCANCODE_SPACE, 32},
    {SDL_SCANCODE_PAGEUP, 33},
    {SDL_SCANCODE_PAGEDOWN, 34},
    {SDL_SCANCODE_END, 35},
    {SDL_SCANCODE_HOME, 36},
    {SDL_SCANCODE_LEFT, LeftKey},
    {SDL_SCANCODE_UP, UpKey},
    {SDL_SCANCODE_RIGHT, RightKey},
    {SDL_SCANCODE_DOWN, DownKey},
    {SDL_SCANCODE_PRINTSCREEN, 44},
    {SDL_SCANCODE_INSERT, 45},
    {SDL_SCANCODE_DELETE, 46},
    {SDL_SCANCODE_LGUI, LeftWindowsKey},
    {SDL_SCANCODE_RGUI, 92},
    {SDL_SCANCODE_APPLICATION, MenuKey},
    {SDL_SCANCODE_KP_0, 96},
    {SDL_SCANCODE_KP_1, 97},
    {SDL_SCANCODE_KP_2, 98},
    {SDL_SCANCODE_KP_3, 99},
    {SDL_SCANCODE_KP_4, 100},
    {SDL_SCANCODE_KP_5, 101},
    {SDL_SCANCODE_KP_6, 102},
    {SDL_SCANCODE_KP_7, 103},
    {SDL_SCANCODE_KP_8, 104},
    {SDL_SCANCODE_KP_9, 105},
    {SDL_SCANCODE_KP_MULTIPLY, 106},
    {SDL_SCANCODE_KP_PLUS, AddKey},
    {SDL_SCANCODE_KP_MINUS, SubtractKey},
    {SDL_SCANCODE_KP_PERIOD, 110},
    {SDL_SCANCODE_KP_DIVIDE, 111},
    {SDL_SCANCODE_F1, F1Key},
    {SDL_SCANCODE_F2, 113},
    {SDL_SCANCODE_F3, 114},
    {SDL_SCANCODE_F4, 115},
    {SDL_SCANCODE_F5, 116},
    {SDL_SCANCODE_F6, 117},
    {SDL_SCANCODE_F7, 118},
    {SDL_SCANCODE_F8, 119},
    {SDL_SCANCODE_F9, 120},
    {SDL_SCANCODE_F10, 121},
    {SDL_SCANCODE_F11, 122},
    {SDL_SCANCODE_F12, 123},
    {SDL_SCANCODE_NUMLOCKCLEAR, 144},
    {SDL_SCANCODE_SCROLLLOCK, 145},
    {SDL_SCANCODE_SEMICOLON, 186},
    {SDL_SCANCODE_EQUALS, 187},
    {SDL_SCANCODE_COMMA, 188},
    {SDL_SCANCODE_MINUS, 189},
    {SDL_SCANCODE_PERIOD, 190},
    {SDL_SCANCODE_SLASH, 191},
    {SDL_SCANCODE_GRAVE, 192},
    {SDL_SCANCODE_LEFTBRACKET, 219},
    {SDL_SCANCODE_BACKSLASH, 220},
    {SDL_SCANCODE_RIGHTBRACKET, 221},
    {SDL_SCANCODE_APOSTROPHE, 222},
};

unsigned VirtualKeyOf(int scancode, int keycode) {
    if (keycode >= SDLK_a && keycode <= SDLK_z) {
        return static_cast<unsigned>('A' + (keycode - SDLK_a));
    }
    if (scancode >= SDL_SCANCODE_A && scancode <= SDL_SCANCODE_Z) {
        return static_cast<unsigned>('A' + (scancode - SDL_SCANCODE_A));
    }
    if (scancode >= SDL_SCANCODE_1 && scancode <= SDL_SCANCODE_9) {
        return static_cast<unsigned>('1' + (scancode - SDL_SCANCODE_1));
    }
    if (scancode == SDL_SCANCODE_0) {
        return '0';
    }
    for (const ScancodeKey& k : scancodeKeys) {
        if (k.scancode == scancode) {
            return k.virtualKey;
        }
    }
    return 0;
}

std::vector<unsigned> CharacterCodes(const char* utf8) {
    std::vector<unsigned> codes;
    if (!utf8) {
        return codes;
    }
    const unsigned char* p = reinterpret_cast<const unsigned char*>(utf8);
    while (*p) {
        unsigned lead = *p;
        int extra = lead < 0x80           ? 0
                    : (lead >> 5) == 0x6  ? 1
                    : (lead >> 4) == 0xE  ? 2
                    : (lead >> 3) == 0x1E ? 3
                                          : -1;
        if (extra < 0) {
            ++p;
            continue;
        }
        unsigned code = extra == 0 ? lead : lead & (0x3Fu >> extra);
        int i = 1;
        for (; i <= extra; ++i) {
            if ((p[i] & 0xC0) != 0x80) {
                break;
            }
            code = code << 6 | (p[i] & 0x3Fu);
        }
        if (i <= extra) {
            // A cut sequence: skip its lead byte and look again from the next one.
            ++p;
            continue;
        }
        p += extra + 1;
        // Over-long forms would smuggle ASCII control characters past a byte-level reader.
        static const unsigned smallest[4] = {0, 0x80, 0x800, 0x10000};
        if (code < smallest[extra]) {
            continue;
        }
        if (code < 256) {
            codes.push_back(code);
        }
    }
    return codes;
}
