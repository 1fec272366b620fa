#include <gtest/gtest.h>

#include "platform/VirtualKeys.h"

// A letter key reaches the game as its capital, typed text as its character codes; a character
// past Latin-1 would index beyond the 256-entry key table, so it is dropped.
TEST(KeyTranslation, LettersAndTypedCharactersGetTheirCodesAndWideOnesAreDropped) {
    EXPECT_EQ(VirtualKeyOf(20, 'q'), unsigned('Q'));
    EXPECT_EQ(CharacterCodes("p\u20ACk"), (std::vector<unsigned>{'p', 'k'}));
}
