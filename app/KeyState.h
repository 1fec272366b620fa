#pragma once

#include "platform/Platform.h"

// The keyboard as the game's passes see it: the keys down, the keys tapped and the characters
// typed since the last pass, and the last typed character. A key pressed and released between
// two passes (a quick tap while the loop waits for the next frame) still acts once: its release
// is held back until the pass has acted on it. A typed character taps the key whose code it
// shares ("k" zooms like the keypad's plus, "]" is the menu key, "p" toggles the window mode
// like F1) on the next pass only, so a held key's repeated characters act once each.
//
// Contract: Press, Release and Type as events come in; in each pass ask Times for every key
// that acts, take the typed digit, then EndPass.
class KeyState {
public:
    void Press(Key key);
    void Release(Key key);
    // Characters past the game's eight bits are ignored: their low byte is another character.
    void Type(unsigned character);

    bool Held(Key key) const { return down[Index(key)] != 0; }
    // How often `key` acts in a pass of `steps` steps of game time: once a step while it is held,
    // once for a tap or a typed character, otherwise never.
    int Times(Key key, int steps) const;
    // The digit last typed, 0 to 9, or -1 for none; taking it clears it. A typed character that is
    // not a digit stays in lastChar and does nothing.
    int TakeDigit();
    // Taps and typed characters have acted once: lets them go.
    void EndPass();
    // Lets go of a key still held, so that it acts once however long it is held (the window-mode
    // toggle).
    void Forget(Key key) { down[Index(key)] = 0; }

    // The last typed character, until a pass has acted on it (a digit) or another replaces it;
    // codes of 128 and up are negative here and never count as a digit.
    signed char lastChar = 0;

private:
    static int Index(Key key) { return static_cast<int>(key); }

    unsigned char down[256] = {};
    unsigned char pressedSincePass[256] = {};
    unsigned char releasePending[256] = {};
    unsigned char typedSincePass[256] = {};
};
