#pragma once

#include <cstdint>

#include "platform/Platform.h"

// The numbering of the game's first window system, written out apart from the game's own Key
// order. Journals of versions 1 and 2 name their messages and keys in it, and a typed character
// still taps the key whose code it shares; spelling every number here keeps old recordings
// replaying, and "k" zooming, whatever becomes of Key.

// The messages an old journal may hold that stand for something the game acts on; any other
// number is skipped on replay.
enum class OldMessage : unsigned {
    Size = 5,
    Activate = 6,
    Close = 16,
    Quit = 18,
    KeyDown = 256,
    KeyUp = 257,
    Character = 258,
    PointerMove = 512,
    LeftButtonDown = 513,
    RightButtonDown = 516,
};

// The key with code `code`: capital letters and digits their character, Escape 27, the arrows 37
// to 40 (left, up, right, down), the left Super key 91, the menu key 93, the keypad's plus 107
// and minus 109, F1 112; None for any other code.
Key KeyOfCode(unsigned code);

// An old journal's message as the event it stood for; false for one the game does not act on.
// Positions and sizes travelled as two 16-bit halves of the second number, signed for positions;
// the minimised flag of an activation in the high half of the first.
bool EventOfOldMessage(unsigned message, std::uint32_t first, std::uint32_t second, Event& event);
