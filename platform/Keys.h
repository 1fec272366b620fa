#pragma once

#include <vector>

#include "platform/Platform.h"

// The game's key from SDL's scan code (the key's place on the board) and key code (what the
// layout prints on it), both as plain numbers so that no SDL type leaks. Letters follow the
// layout; every other key follows its place. Keys the game has no use for give Key::None.
Key KeyOf(int scancode, int keycode);

// The character codes of typed UTF-8 text that fit the game's 8-bit characters (Latin-1, below
// 256). Wider characters and malformed bytes are skipped.
std::vector<unsigned> CharacterCodes(const char* utf8);
