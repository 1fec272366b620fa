#include "platform/VirtualKeys.h"

Key KeyOfVirtualKey(unsigned virtualKey) {
    // Letters and the top-row digits have their upper-case character as virtual-key code; the
    // keypad's digits have codes of their own and stay out, as they do on Linux.
    if ((virtualKey >= 'A' && virtualKey <= 'Z') || (virtualKey >= '0' && virtualKey <= '9')) {
        return Key{static_cast<unsigned char>(virtualKey)};
    }
    struct VirtualKey {
        unsigned code;
        Key key;
    };
    // VK_ESCAPE, VK_LEFT, VK_UP, VK_RIGHT, VK_DOWN, VK_LWIN, VK_APPS, VK_ADD (the keypad's
    // plus; the main plus is VK_OEM_PLUS), VK_SUBTRACT, VK_F1.
    static const VirtualKey keys[] = {
        {0x1B, Key::Escape}, {0x25, Key::Left},       {0x26, Key::Up},
        {0x27, Key::Right},  {0x28, Key::Down},       {0x5B, Key::LeftSuper},
        {0x5D, Key::Menu},   {0x6B, Key::KeypadPlus}, {0x6D, Key::KeypadMinus},
        {0x70, Key::F1},
    };
    for (const VirtualKey& k : keys) {
        if (k.code == virtualKey) {
            return k.key;
        }
    }
    return Key::None;
}
