#pragma once

#include "platform/Platform.h"

// Events as the backends, the journal and the tests make them.
inline Event KeyEvent(EventType type, Key key) {
    return Event{type, 0, 0, Button::Left, key, 0};
}
inline Event Typed(unsigned character) {
    return Event{EventType::CharacterTyped, 0, 0, Button::Left, Key::None, character};
}
// A pointer move or a button press at (x, y), or a resize to x by y.
inline Event PointerEvent(EventType type, int x, int y, Button button = Button::Left) {
    return Event{type, x, y, button, Key::None, 0};
}
inline Event WindowEvent(EventType type) {
    return Event{type, 0, 0, Button::Left, Key::None, 0};
}
