#include <gtest/gtest.h>

#include "platform/Keys.h"
#include "platform/VirtualKeys.h"

// A letter key reaches the game as its capital whatever its place, the keys the game has no use
// for not at all, typed text as its character codes; a character past Latin-1 would index beyond
// the 256-entry key table, so it is dropped.
TEST(KeyTranslation, LettersAndTypedCharactersGetTheirCodesAndWideOnesAreDropped) {
    EXPECT_EQ(KeyOf(20, 'q'), Key{'Q'});
    EXPECT_EQ(KeyOf(225, 0x400000E1), Key::None);  // left shift
    EXPECT_EQ(CharacterCodes("p\u20ACk"), (std::vector<unsigned>{'p', 'k'}));
}

// On Windows the keypad's plus and minus zoom, not the main keyboard's, and the keypad's digits
// are not the top row's.
TEST(KeyTranslation, WindowsKeysAreTheGamesByTheirVirtualKeyCodes) {
    EXPECT_EQ(KeyOfVirtualKey('Q'), Key{'Q'});
    EXPECT_EQ(KeyOfVirtualKey('7'), Key{'7'});
    EXPECT_EQ(KeyOfVirtualKey(0x6B), Key::KeypadPlus);  // VK_ADD
    EXPECT_EQ(KeyOfVirtualKey(0xBB), Key::None);        // VK_OEM_PLUS
    EXPECT_EQ(KeyOfVirtualKey(0x67), Key::None);        // VK_NUMPAD7
    EXPECT_EQ(KeyOfVirtualKey(0x5D), Key::Menu);        // VK_APPS
    EXPECT_EQ(KeyOfVirtualKey(0x70), Key::F1);
    EXPECT_EQ(KeyOfVirtualKey(0x10), Key::None);  // VK_SHIFT
}
