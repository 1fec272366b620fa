#include "app/KeyState.h"

#include "app/OldJournalCodes.h"

void KeyState::Press(Key key) {
    const int k = Index(key);
    down[k] = 1;
    pressedSincePass[k] = 1;
    releasePending[k] = 0;
}

void KeyState::Release(Key key) {
    const int k = Index(key);
    if (pressedSincePass[k]) {
        releasePending[k] = 1;
    } else {
        down[k] = 0;
    }
}

void KeyState::Type(unsigned character) {
    if (character < 256) {
        lastChar = static_cast<signed char>(character);
        typedSincePass[Index(KeyOfCode(character))] = 1;
    }
}

int KeyState::Times(Key key, int steps) const {
    const int k = Index(key);
    if (down[k] && !releasePending[k]) {
        return steps;
    }
    return down[k] || typedSincePass[k] ? 1 : 0;
}

int KeyState::TakeDigit() {
    if (lastChar < '0' || lastChar > '9') {
        return -1;
    }
    const int digit = lastChar - '0';
    lastChar = 0;
    return digit;
}

void KeyState::EndPass() {
    for (int k = 0; k < 256; ++k) {
        if (releasePending[k]) {
            down[k] = 0;
        }
        releasePending[k] = 0;
        pressedSincePass[k] = 0;
        typedSincePass[k] = 0;
    }
}
