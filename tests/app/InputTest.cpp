#include <GL/gl.h>

#include "AppFixture.h"

// The window procedure and the key-state table: what each message leaves behind, and what one
// idle pass then does with it.

// A press and its release both arriving between two passes must still act, once; a key code
// or character that does not fit the table must not write past it.
TEST_F(AppTest, KeyTableHoldsKeysUntilReleasedAndLetsQuickTapsActOnce) {
    const float z0 = gameTable.hand.current.z;
    Send(KeyDownMessage, 'W');
    Send(KeyUpMessage, 'W');
    ASSERT_TRUE(ApplyKeyActions());
    ASSERT_TRUE(ApplyKeyActions());
    EXPECT_FLOAT_EQ(gameTable.hand.current.z, z0 - 0.05f);

    // Pressed again before the pass: held after all, and acting on every pass.
    Send(KeyDownMessage, 'W');
    Send(KeyUpMessage, 'W');
    Send(KeyDownMessage, 'W');
    ASSERT_TRUE(ApplyKeyActions());
    ASSERT_TRUE(ApplyKeyActions());
    EXPECT_FLOAT_EQ(gameTable.hand.current.z, z0 - 0.15f);

    unsigned char before[256];
    std::copy(keys, keys + 256, before);
    Send(KeyDownMessage, 256 + 'X');
    Send(CharMessage, 0x131);  // a wide character whose low byte is "1"
    Send(KeyUpMessage, 70000);
    EXPECT_TRUE(std::equal(keys, keys + 256, before));
    EXPECT_EQ(lastChar, 0);
}

// A typed character sets the key entry of the same number, which only that key's release
// clears: "[" and "]" are the Windows and menu keys (fill comes before line in the table, so
// line wins while both are set), "k" and "m" the keypad's plus and minus. A digit acts once
// through lastChar; a Latin-1 letter is negative as a signed byte and must never count as one.
TEST_F(AppTest, TypedCharactersActThroughTheKeyOfTheSameNumber) {
    Send(CharMessage, '[');
    Send(CharMessage, ']');
    Send(KeyUpMessage, 221);  // what releasing "]" reports
    ASSERT_TRUE(ApplyKeyActions());
    EXPECT_EQ(polygonMode, unsigned(GL_LINE));
    Send(KeyUpMessage, MenuKey);
    ASSERT_TRUE(ApplyKeyActions());
    EXPECT_EQ(polygonMode, unsigned(GL_FILL));

    const float z0 = gameTable.boardView.current.z;
    Send(CharMessage, 'k');
    Send(KeyUpMessage, 'K');
    ASSERT_TRUE(ApplyKeyActions());
    ASSERT_TRUE(ApplyKeyActions());
    EXPECT_FLOAT_EQ(gameTable.boardView.current.z, z0 + 0.04f);
    Send(CharMessage, 'm');
    Send(KeyUpMessage, AddKey);
    ASSERT_TRUE(ApplyKeyActions());
    EXPECT_NEAR(gameTable.boardView.current.z, z0 + 0.02f, 1e-5);

    Send(CharMessage, '7');
    ASSERT_TRUE(ApplyKeyActions());
    EXPECT_EQ(lastChar, 0);
    Send(CharMessage, 0xB9);  // superscript one
    ASSERT_TRUE(ApplyKeyActions());
    EXPECT_EQ(lastChar, static_cast<signed char>(0xB9));
}

// A held F1 toggles once; typed "p" is character 112, the same entry. Reopening the window must
// keep the held keys and the light's fade.
TEST_F(AppTest, F1AndTypedPToggleTheWindowOncePerPressKeepingTheGame) {
    ASSERT_TRUE(Open());
    lightDiffuse[0] = 0.4f;
    Send(KeyDownMessage, 'W');
    Send(KeyDownMessage, F1Key);
    ASSERT_TRUE(ApplyKeyActions());
    ASSERT_TRUE(ApplyKeyActions());
    EXPECT_EQ(Count("CreateGameWindow fullscreen"), 1);
    EXPECT_EQ(keys['W'], 1);
    EXPECT_EQ(lightDiffuse[0], 0.4f);
    EXPECT_EQ(fadingIn, 1);

    Send(CharMessage, 'p');
    ASSERT_TRUE(ApplyKeyActions());
    EXPECT_EQ(fullscreen, 0);
    EXPECT_EQ(Count("CreateGameWindow"), 2);
    EXPECT_EQ(Fake().windowsOpen, 1);
    EXPECT_EQ(Fake().renderContextsHeld, 1);
    CloseGameWindow();
}

// While the computer plays, a left click must not drop a checker, but the right button switches
// the die whatever the flag says; the pointer is followed either way.
TEST_F(AppTest, MouseMessagesFollowTheInputFlag) {
    gameTable.inputEnabled = 0;
    Send(LeftButtonDownMessage, 1, PackClientPoint(10, 20));
    EXPECT_EQ(gameTable.mouseX, 0.0f);
    Send(MouseMoveMessage, 0, PackClientPoint(30, 40));
    EXPECT_EQ(gameTable.mouseY, 40.0f);
    Send(RightButtonDownMessage, 2, PackClientPoint(50, 60));
    EXPECT_EQ(gameTable.selectedDie, 1);

    gameTable.inputEnabled = 1;
    Send(LeftButtonDownMessage, 1, PackClientPoint(799, 599));
    EXPECT_EQ(gameTable.mouseX, 799.0f);
}
