#include <gtest/gtest.h>

#include "platform/Platform.h"
#include "platform/VirtualKeys.h"

// Key translation, fed with USB usage numbers (what SDL's scan codes are) and layout key codes
// (lower-case letters, or the key's code with bit 30 set for keys that print nothing).

static const int keyCodeOfScancode = 1 << 30;

static unsigned Unprinted(int usage) {
    return VirtualKeyOf(usage, usage | keyCodeOfScancode);
}

TEST(VirtualKeys, EveryGameKeyGetsItsClassicNumber) {
    EXPECT_EQ(Unprinted(41), unsigned(EscapeKey));
    EXPECT_EQ(Unprinted(58), unsigned(F1Key));
    EXPECT_EQ(Unprinted(79), unsigned(RightKey));
    EXPECT_EQ(Unprinted(80), unsigned(LeftKey));
    EXPECT_EQ(Unprinted(81), unsigned(DownKey));
    EXPECT_EQ(Unprinted(82), unsigned(UpKey));
    EXPECT_EQ(Unprinted(86), unsigned(SubtractKey));
    EXPECT_EQ(Unprinted(87), unsigned(AddKey));
    EXPECT_EQ(Unprinted(227), unsigned(LeftWindowsKey));
    EXPECT_EQ(Unprinted(101), unsigned(MenuKey));
    // Letters by what the layout prints: on a French board the key in the US "Q" place is "A".
    EXPECT_EQ(VirtualKeyOf(20, 'a'), unsigned('A'));
    for (char c : {'a', 'b', 'd', 'q', 'w', 'x', 'z'}) {
        EXPECT_EQ(VirtualKeyOf(4 + (c - 'a'), c), unsigned(c - 'a' + 'A')) << c;
    }
    // A layout without Latin letters still gets letters from the key's place.
    EXPECT_EQ(VirtualKeyOf(5, 0x431), unsigned('B'));
    // Top-row digits by place, whatever the layout prints ("&" on a French board).
    EXPECT_EQ(VirtualKeyOf(30, '&'), unsigned('1'));
    EXPECT_EQ(VirtualKeyOf(39, '0'), unsigned('0'));
}

TEST(VirtualKeys, BracketKeysDifferFromTheirCharactersAndUnknownKeysAreDropped) {
    EXPECT_EQ(VirtualKeyOf(47, '['), 219u);
    EXPECT_EQ(VirtualKeyOf(48, ']'), 221u);
    EXPECT_EQ(Unprinted(0), 0u);
    EXPECT_EQ(Unprinted(300), 0u);  // beyond every known key
    EXPECT_EQ(Unprinted(-5), 0u);
}

TEST(CharacterCodes, KeepsLatinOneAndDropsWiderOrBrokenText) {
    EXPECT_EQ(CharacterCodes("p[]k"), (std::vector<unsigned>{'p', '[', ']', 'k'}));
    EXPECT_EQ(CharacterCodes("\xC3\xA9"), std::vector<unsigned>{0xE9});  // é
    EXPECT_EQ(CharacterCodes("a\xE2\x82\xAC"
                             "b"),
              (std::vector<unsigned>{'a', 'b'}));                            // €
    EXPECT_EQ(CharacterCodes("\xF0\x9F\x8E\xB2"), std::vector<unsigned>{});  // a die
    EXPECT_EQ(CharacterCodes("\xC3"
                             "1"),
              std::vector<unsigned>{'1'});                           // cut short
    EXPECT_EQ(CharacterCodes("\xC0\x9B"), std::vector<unsigned>{});  // over-long Escape
    EXPECT_EQ(CharacterCodes("\xFF\x80z"), std::vector<unsigned>{'z'});
    EXPECT_EQ(CharacterCodes(nullptr), std::vector<unsigned>{});
}
