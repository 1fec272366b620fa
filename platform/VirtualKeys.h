#pragma once

#include <vector>

// The classic virtual-key number of a key, from SDL's scan code (the key's place on the board)
// and key code (what the layout prints on it), both as plain numbers so that no SDL type leaks.
// Letters follow the layout, as the classic numbers do; every other key follows its place.
// Keys the game has no number for give 0 and are dropped.
unsigned VirtualKeyOf(int scancode, int keycode);

// The character codes of typed UTF-8 text that fit the game's 8-bit character messages (Latin-1,
// below 256). Wider characters and malformed bytes are skipped.
std::vector<unsigned> CharacterCodes(const char* utf8);
