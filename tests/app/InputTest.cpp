#include <GL/gl.h>

#include <cmath>

#include "AppFixture.h"

// The window procedure and the key-state table: what each message leaves behind, and what one
// idle pass then does with it.

// A press and its release both arriving between two passes must still act, once; a key code
// or character that does not fit the table must not write past it.
TEST_F(AppTest, KeyTableHoldsKeysUntilReleasedAndLetsQuickTapsActOnce) {
    const float z0 = gameTable.TheHand().current.z;
    Send(KeyDownMessage, 'W');
    Send(KeyUpMessage, 'W');
    ASSERT_TRUE(ApplyKeyActions());
    ASSERT_TRUE(ApplyKeyActions());
    EXPECT_FLOAT_EQ(gameTable.TheHand().current.z, z0 - 0.05f);

    // Pressed again before the pass: held after all, and acting on every pass.
    Send(KeyDownMessage, 'W');
    Send(KeyUpMessage, 'W');
    Send(KeyDownMessage, 'W');
    ASSERT_TRUE(ApplyKeyActions());
    ASSERT_TRUE(ApplyKeyActions());
    EXPECT_FLOAT_EQ(gameTable.TheHand().current.z, z0 - 0.15f);

    unsigned char before[256];
    std::copy(keys, keys + 256, before);
    Send(KeyDownMessage, 256 + 'X');
    Send(CharMessage, 0x131);  // a wide character whose low byte is "1"
    Send(KeyUpMessage, 70000);
    EXPECT_TRUE(std::equal(keys, keys + 256, before));
    EXPECT_EQ(lastChar, 0);
}

// What typing a key sends: its key down, its character, its key up.
static void Type(unsigned key, unsigned character) {
    GameWindowProc(gameWindow, KeyDownMessage, key, 0);
    GameWindowProc(gameWindow, CharMessage, character, 0);
    GameWindowProc(gameWindow, KeyUpMessage, key, 0);
}

static void Passes(int n) {
    for (int i = 0; i < n; ++i) {
        ASSERT_TRUE(ApplyKeyActions());
    }
}

// A typed character taps the key of the same number ("k" the keypad's plus, "]" the menu key,
// "'" the right arrow) once; held, its repeats act once each and stop with the key. A digit acts
// through lastChar; a Latin-1 letter is negative as a signed byte and never counts as one.
TEST_F(AppTest, TypedCharactersActOnceAsATapOfTheKeyOfTheSameNumber) {
    const float z0 = gameTable.View().current.z;
    Type('K', 'k');
    Passes(120);
    EXPECT_FLOAT_EQ(gameTable.View().current.z, z0 + 0.02f);
    Send(KeyDownMessage, 'K');
    for (int repeat = 0; repeat < 10; ++repeat) {
        Send(CharMessage, 'k');
        Passes(2);
    }
    Send(KeyUpMessage, 'K');
    Passes(60);
    EXPECT_NEAR(gameTable.View().current.z, z0 + 11 * 0.02f, 1e-5);

    Type(221, ']');
    Passes(1);
    EXPECT_EQ(polygonMode, unsigned(GL_LINE));
    Type(219, '[');
    Passes(60);
    EXPECT_EQ(polygonMode, unsigned(GL_FILL));

    const float turn0 = gameTable.View().current.rotY;
    Type(222, '\'');
    Passes(120);
    EXPECT_FLOAT_EQ(gameTable.View().current.rotY, turn0 + 1.0f);

    Type('7', '7');
    Passes(1);
    EXPECT_EQ(lastChar, 0);
    Send(CharMessage, 0xB9);  // superscript one
    Passes(1);
    EXPECT_EQ(lastChar, static_cast<signed char>(0xB9));
}

// A held F1 toggles once; typed "p" is character 112, the same entry. Reopening the window must
// keep the held keys (an arrow goes on turning the view) and the light's fade.
TEST_F(AppTest, F1AndTypedPToggleTheWindowOncePerPressKeepingTheGame) {
    ASSERT_TRUE(Open());
    lightDiffuse[0] = 0.4f;
    Send(KeyDownMessage, LeftKey);
    Send(KeyDownMessage, F1Key);
    ASSERT_TRUE(ApplyKeyActions());
    ASSERT_TRUE(ApplyKeyActions());
    EXPECT_EQ(Count("CreateGameWindow fullscreen"), 1);
    EXPECT_EQ(keys[LeftKey], 1);
    EXPECT_EQ(lightDiffuse[0], 0.4f);
    EXPECT_EQ(fadingIn, 1);

    Send(CharMessage, 'p');
    ASSERT_TRUE(ApplyKeyActions());
    EXPECT_EQ(fullscreen, 0);
    const float turn = gameTable.View().current.rotY;
    Passes(3);
    EXPECT_FLOAT_EQ(gameTable.View().current.rotY, turn - 3.0f);
    EXPECT_EQ(Count("CreateGameWindow"), 2);
    EXPECT_EQ(Fake().windowsOpen, 1);
    EXPECT_EQ(Fake().renderContextsHeld, 1);
    CloseGameWindow();
}

// While the computer plays, a left click must not drop a checker; the pointer is followed either
// way. A position past the window's edge (reported while a button is held, left and above as
// negative numbers) counts as the edge, so the hand stays over the board.
TEST_F(AppTest, MousePositionsFollowTheInputFlagAndStopAtTheWindowsEdge) {
    ASSERT_TRUE(Open());
    gameTable.Rules().SetTurn(gameTable.Rules().MovesLeft(), false);
    Send(LeftButtonDownMessage, 1, PackClientPoint(10, 20));
    EXPECT_EQ(gameTable.PointerX(), 0.0f);
    Send(MouseMoveMessage, 0, PackClientPoint(30, 40));
    EXPECT_EQ(gameTable.PointerY(), 40.0f);

    gameTable.Rules().SetTurn(gameTable.Rules().MovesLeft(), true);
    for (const auto& p : {std::make_pair(-3, -1), std::make_pair(-30000, 2000),
                          std::make_pair(900, 650), std::make_pair(799, 599)}) {
        Send(MouseMoveMessage, 0, PackClientPoint(p.first, p.second));
        EXPECT_LE(std::fabs(gameTable.TheHand().current.x), 1.0f) << p.first;
        EXPECT_LE(std::fabs(gameTable.TheHand().current.z), 1.0f) << p.second;
    }
    EXPECT_EQ(gameTable.PointerX(), 799.0f);
    Send(LeftButtonDownMessage, 1, PackClientPoint(-3, -1));
    EXPECT_EQ(gameTable.PointerX(), 0.0f);
    EXPECT_EQ(gameTable.PointerY(), 0.0f);
    CloseGameWindow();
}
