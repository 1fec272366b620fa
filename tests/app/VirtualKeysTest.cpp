#include <gtest/gtest.h>

#include "platform/Platform.h"
#include "platform/VirtualKeys.h"

// Key translation, fed with USB usage numbers (what SDL's scan codes are) and layout key codes
// (lower-case letters, or the key's code with bit 30 set for keys that print nothing).

TEST(VirtualKeys, GameKeysGetTheirClassicNumbersAndUnknownKeysAreDropped) {
    const int unprinted[][2] = {
        {41, EscapeKey}, {58, F1Key},       {79, RightKey}, {80, LeftKey},         {81, DownKey},
        {82, UpKey},     {86, SubtractKey}, {87, AddKey},   {227, LeftWindowsKey}, {101, MenuKey},
        {0, 0},          {300, 0},          {-5, 0}};
    for (const auto& k : unprinted) {
        EXPECT_EQ(VirtualKeyOf(k[0], k[0] | (1 << 30)), unsigned(k[1])) << k[0];
    }
    // Letters by what the layout prints: on a French board the key in the US "Q" place is "A".
    EXPECT_EQ(VirtualKeyOf(20, 'a'), unsigned('A'));
    EXPECT_EQ(VirtualKeyOf(29, 'z'), unsigned('Z'));
    // A layout without Latin letters still gets letters from the key's place.
    EXPECT_EQ(VirtualKeyOf(5, 0x431), unsigned('B'));
    // Top-row digits by place, whatever the layout prints ("&" on a French board).
    EXPECT_EQ(VirtualKeyOf(30, '&'), unsigned('1'));
    EXPECT_EQ(VirtualKeyOf(39, '0'), unsigned('0'));
    // The bracket keys are not their characters' numbers.
    EXPECT_EQ(VirtualKeyOf(47, '['), 219u);
    EXPECT_EQ(VirtualKeyOf(48, ']'), 221u);
}

TEST(CharacterCodes, KeepsLatinOneAndDropsWiderOrBrokenText) {
    using Codes = std::vector<unsigned>;
    EXPECT_EQ(CharacterCodes("p[]k"), (Codes{'p', '[', ']', 'k'}));
    EXPECT_EQ(CharacterCodes("\xC3\xA9"), Codes{0xE9});        // é
    EXPECT_EQ(CharacterCodes("a\u20ACb"), (Codes{'a', 'b'}));  // €
    EXPECT_EQ(CharacterCodes("\xF0\x9F\x8E\xB2"), Codes{});    // a die
    EXPECT_EQ(CharacterCodes("\xC3\x31"), Codes{'1'});         // cut short before "1"
    EXPECT_EQ(CharacterCodes("\xC0\x9B"), Codes{});            // over-long Escape
    EXPECT_EQ(CharacterCodes("\xFF\x80z"), Codes{'z'});
    EXPECT_EQ(CharacterCodes(nullptr), Codes{});
}
