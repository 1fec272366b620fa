#include <gtest/gtest.h>

#include "platform/Keys.h"

// A letter key reaches the game as its capital whatever its place, the keys the game has no use
// for not at all, typed text as its character codes; a character past Latin-1 would index beyond
// the 256-entry key table, so it is dropped.
TEST(KeyTranslation, LettersAndTypedCharactersGetTheirCodesAndWideOnesAreDropped) {
    EXPECT_EQ(KeyOf(20, 'q'), Key{'Q'});
    EXPECT_EQ(KeyOf(225, 0x400000E1), Key::None);  // left shift
    EXPECT_EQ(CharacterCodes("p\u20ACk"), (std::vector<unsigned>{'p', 'k'}));
}
