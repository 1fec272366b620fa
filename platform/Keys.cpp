#include "platform/Keys.h"

#include <SDL_keycode.h>
#include <SDL_scancode.h>

struct ScancodeKey {
    int scancode;
    Key key;
};

// The keys the game uses that are neither letters nor top-row digits.
static const ScancodeKey scancodeKeys[] = {
    {SDL_SCANCODE_ESCAPE, Key::Escape},      {SDL_SCANCODE_LEFT, Key::Left},
    {SDL_SCANCODE_RIGHT, Key::Right},        {SDL_SCANCODE_UP, Key::Up},
    {SDL_SCANCODE_DOWN, Key::Down},          {SDL_SCANCODE_F1, Key::F1},
    {SDL_SCANCODE_KP_PLUS, Key::KeypadPlus}, {SDL_SCANCODE_KP_MINUS, Key::KeypadMinus},
    {SDL_SCANCODE_LGUI, Key::LeftSuper},     {SDL_SCANCODE_APPLICATION, Key::Menu},
};

Key KeyOf(int scancode, int keycode) {
    if (keycode >= SDLK_a && keycode <= SDLK_z) {
        return Key{static_cast<unsigned char>('A' + (keycode - SDLK_a))};
    }
    if (scancode >= SDL_SCANCODE_A && scancode <= SDL_SCANCODE_Z) {
        return Key{static_cast<unsigned char>('A' + (scancode - SDL_SCANCODE_A))};
    }
    if (scancode >= SDL_SCANCODE_1 && scancode <= SDL_SCANCODE_9) {
        return Key{static_cast<unsigned char>('1' + (scancode - SDL_SCANCODE_1))};
    }
    if (scancode == SDL_SCANCODE_0) {
        return Key{'0'};
    }
    for (const ScancodeKey& k : scancodeKeys) {
        if (k.scancode == scancode) {
            return k.key;
        }
    }
    return Key::None;
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
