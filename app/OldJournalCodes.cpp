#include "app/OldJournalCodes.h"

#include "platform/Events.h"

namespace {

struct KeyCode {
    unsigned code;
    Key key;
};

const KeyCode keyCodes[] = {
    {27, Key::Escape},       {37, Key::Left},      {38, Key::Up},   {39, Key::Right},
    {40, Key::Down},         {91, Key::LeftSuper}, {93, Key::Menu}, {107, Key::KeypadPlus},
    {109, Key::KeypadMinus}, {112, Key::F1},
};

}  // namespace

Key KeyOfCode(unsigned code) {
    if ((code >= 'A' && code <= 'Z') || (code >= '0' && code <= '9')) {
        return Key{static_cast<unsigned char>(code)};
    }
    for (const KeyCode& k : keyCodes) {
        if (k.code == code) {
            return k.key;
        }
    }
    return Key::None;
}

bool EventOfOldMessage(unsigned message, std::uint32_t first, std::uint32_t second, Event& event) {
    const unsigned low = second & 0xFFFFu;
    const unsigned high = second >> 16;
    const auto position = [&](EventType type, Button button) {
        return PointerEvent(type, static_cast<std::int16_t>(low), static_cast<std::int16_t>(high),
                            button);
    };
    switch (static_cast<OldMessage>(message)) {
        case OldMessage::Size:
            event = PointerEvent(EventType::Resized, static_cast<int>(low), static_cast<int>(high));
            return true;
        case OldMessage::Activate:
            event = WindowEvent(first >> 16 == 0 ? EventType::Restored : EventType::Minimised);
            return true;
        case OldMessage::Close:
        case OldMessage::Quit:
            event = WindowEvent(EventType::CloseRequested);
            return true;
        case OldMessage::KeyDown:
            event = KeyEvent(EventType::KeyPressed, KeyOfCode(first));
            return event.key != Key::None;
        case OldMessage::KeyUp:
            event = KeyEvent(EventType::KeyReleased, KeyOfCode(first));
            return event.key != Key::None;
        case OldMessage::Character:
            event = Typed(first);
            return true;
        case OldMessage::PointerMove:
            event = position(EventType::PointerMoved, Button::Left);
            return true;
        case OldMessage::LeftButtonDown:
            event = position(EventType::ButtonPressed, Button::Left);
            return true;
        case OldMessage::RightButtonDown:
            event = position(EventType::ButtonPressed, Button::Right);
            return true;
    }
    return false;
}
