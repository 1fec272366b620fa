#include <GL/gl.h>

#include "AppFixture.h"

// The window procedure and the key-state table: what each message leaves behind, and what one
// idle pass then does with it.

static void Send(unsigned message, std::uint32_t wParam = 0, std::uint32_t lParam = 0) {
    GameWindowProc(gameWindow, message, wParam, lParam);
}

TEST_F(AppTest, KeysAreSetByKeyDownAndCharacterButClearedOnlyByKeyUp) {
    Send(KeyDownMessage, 'W');
    EXPECT_EQ(keys['W'], 1);
    ASSERT_TRUE(ApplyKeyActions());
    Send(KeyUpMessage, 'W');
    EXPECT_EQ(keys['W'], 0);

    // "[" is character 91 but key 219: its release leaves entry 91 set.
    Send(KeyDownMessage, 219);
    Send(CharMessage, '[');
    ASSERT_TRUE(ApplyKeyActions());
    Send(KeyUpMessage, 219);
    EXPECT_EQ(keys[219], 0);
    EXPECT_EQ(keys[LeftWindowsKey], 1);
    EXPECT_EQ(lastChar, '[');
}

TEST_F(AppTest, ATapBetweenTwoPassesActsExactlyOnce) {
    const float z0 = gameTable.hand.current.z;
    Send(KeyDownMessage, 'W');
    Send(KeyUpMessage, 'W');
    EXPECT_EQ(keys['W'], 1);
    ASSERT_TRUE(ApplyKeyActions());
    EXPECT_EQ(keys['W'], 0);
    ASSERT_TRUE(ApplyKeyActions());
    EXPECT_EQ(gameTable.hand.current.z, z0 - 0.05f);

    // Pressed again before the pass: held after all.
    Send(KeyDownMessage, 'W');
    Send(KeyUpMessage, 'W');
    Send(KeyDownMessage, 'W');
    ASSERT_TRUE(ApplyKeyActions());
    EXPECT_EQ(keys['W'], 1);
}

TEST_F(AppTest, CodesBeyondTheTableAreIgnored) {
    unsigned char before[256];
    std::copy(keys, keys + 256, before);
    Send(KeyDownMessage, 256 + 'W');
    Send(CharMessage, 0x131);  // a wide character whose low byte is "1"
    Send(KeyUpMessage, 70000);
    EXPECT_TRUE(std::equal(keys, keys + 256, before));
    EXPECT_EQ(lastChar, 0);
}

TEST_F(AppTest, HeldKeysActOncePerPassInTableOrder) {
    const Pose hand = gameTable.hand.current;
    const float arm = gameTable.hand.joints[ArmJoint];
    const float palm = gameTable.hand.joints[PalmJoint];
    const Pose view = gameTable.boardView.current;

    for (unsigned k : {unsigned('W'), unsigned('D'), unsigned('Q'), unsigned(AddKey),
                       unsigned(UpKey), unsigned(LeftKey)}) {
        Send(KeyDownMessage, k);
    }
    float z = hand.z, x = hand.x, y = hand.y, a = arm, p = palm;
    float vz = view.z, rx = view.rotX, ry = view.rotY;
    for (int pass = 0; pass < 3; ++pass) {
        ASSERT_TRUE(ApplyKeyActions());
        z -= 0.05f;
        x += 0.05f;
        y += 0.05f;
        p -= 1.0f;
        a += 2.0f;
        vz += 0.02f;
        rx -= 1.0f;
        ry -= 1.0f;
    }
    EXPECT_EQ(gameTable.hand.current.z, z);
    EXPECT_EQ(gameTable.hand.current.x, x);
    EXPECT_EQ(gameTable.hand.current.y, y);
    EXPECT_EQ(gameTable.hand.joints[ArmJoint], a);
    EXPECT_EQ(gameTable.hand.joints[PalmJoint], p);
    EXPECT_EQ(gameTable.boardView.current.z, vz);
    EXPECT_EQ(gameTable.boardView.current.rotX, rx);
    EXPECT_EQ(gameTable.boardView.current.rotY, ry);

    // Opposite keys held together cancel out.
    ResetAppState();
    const Pose before = gameTable.hand.current;
    for (unsigned k : {unsigned('A'), unsigned('D'), unsigned('Z'), unsigned('Q'),
                       unsigned(RightKey), unsigned(LeftKey), unsigned(DownKey), unsigned(UpKey)}) {
        Send(KeyDownMessage, k);
    }
    const Pose viewBefore = gameTable.boardView.current;
    ASSERT_TRUE(ApplyKeyActions());
    EXPECT_NEAR(gameTable.hand.current.x, before.x, 1e-6);
    EXPECT_NEAR(gameTable.hand.current.y, before.y, 1e-6);
    EXPECT_EQ(gameTable.boardView.current.rotX, viewBefore.rotX);
    EXPECT_EQ(gameTable.boardView.current.rotY, viewBefore.rotY);
}

TEST_F(AppTest, BracketsSwitchPolygonModeAndWireFrameWinsWhileBothAreSet) {
    Send(CharMessage, '[');
    ASSERT_TRUE(ApplyKeyActions());
    EXPECT_EQ(polygonMode, unsigned(GL_FILL));
    Send(CharMessage, ']');
    ASSERT_TRUE(ApplyKeyActions());
    EXPECT_EQ(polygonMode, unsigned(GL_LINE));
    // Releasing "]" reports key 221, so line mode stays until the menu key itself is released.
    Send(KeyUpMessage, 221);
    ASSERT_TRUE(ApplyKeyActions());
    EXPECT_EQ(polygonMode, unsigned(GL_LINE));
    Send(KeyUpMessage, MenuKey);
    ASSERT_TRUE(ApplyKeyActions());
    EXPECT_EQ(polygonMode, unsigned(GL_FILL));
}

TEST_F(AppTest, TypedKAndMZoomUntilTheirKeypadKeysAreReleased) {
    const float z0 = gameTable.boardView.current.z;
    Send(CharMessage, 'k');
    ASSERT_TRUE(ApplyKeyActions());
    ASSERT_TRUE(ApplyKeyActions());
    EXPECT_EQ(gameTable.boardView.current.z, (z0 + 0.02f) + 0.02f);
    Send(KeyUpMessage, 'K');  // the letter's own key does not stop it
    ASSERT_TRUE(ApplyKeyActions());
    EXPECT_GT(gameTable.boardView.current.z, z0 + 0.05f);
    Send(CharMessage, 'm');  // both: the steps cancel, up to rounding
    const float z1 = gameTable.boardView.current.z;
    for (int i = 0; i < 10; ++i) {
        ASSERT_TRUE(ApplyKeyActions());
    }
    EXPECT_NEAR(gameTable.boardView.current.z, z1, 1e-5);
    Send(KeyUpMessage, AddKey);
    Send(KeyUpMessage, SubtractKey);
    const float z2 = gameTable.boardView.current.z;
    ASSERT_TRUE(ApplyKeyActions());
    EXPECT_EQ(gameTable.boardView.current.z, z2);
}

TEST_F(AppTest, DigitsActOnceThroughLastCharAndOtherCharactersStay) {
    Send(CharMessage, '7');
    EXPECT_EQ(lastChar, '7');
    ASSERT_TRUE(ApplyKeyActions());
    EXPECT_EQ(lastChar, 0);

    Send(CharMessage, 'x');
    ASSERT_TRUE(ApplyKeyActions());
    EXPECT_EQ(lastChar, 'x');

    // A Latin-1 letter is negative as a signed byte: never taken for a digit.
    Send(CharMessage, 0xB9);  // superscript one
    ASSERT_TRUE(ApplyKeyActions());
    EXPECT_EQ(lastChar, static_cast<signed char>(0xB9));
    EXPECT_EQ(keys[0xB9], 1);
}

TEST_F(AppTest, EscapeStartsTheFadeOutForGoodEvenWhenReleased) {
    Send(KeyDownMessage, EscapeKey);
    Send(KeyUpMessage, EscapeKey);
    ASSERT_TRUE(ApplyKeyActions());
    EXPECT_EQ(fadingOut, 1);
    ASSERT_TRUE(ApplyKeyActions());
    EXPECT_EQ(keys[EscapeKey], 0);
    EXPECT_EQ(fadingOut, 1);
}

TEST_F(AppTest, F1AndTypedPToggleTheWindowOncePerPress) {
    ASSERT_TRUE(Open());
    Send(KeyDownMessage, F1Key);
    ASSERT_TRUE(ApplyKeyActions());
    EXPECT_EQ(fullscreen, 1);
    EXPECT_TRUE(Fake().lastWindowFullscreen);
    EXPECT_EQ(keys[F1Key], 0);
    // Still held: no second toggle until the key repeats or is pressed again.
    ASSERT_TRUE(ApplyKeyActions());
    EXPECT_EQ(fullscreen, 1);

    Send(CharMessage, 'p');
    ASSERT_TRUE(ApplyKeyActions());
    EXPECT_EQ(fullscreen, 0);
    EXPECT_FALSE(Fake().lastWindowFullscreen);
    EXPECT_EQ(Count("CreateGameWindow fullscreen"), 1);
    EXPECT_EQ(Count("CreateGameWindow"), 2);
    EXPECT_EQ(Fake().windowsOpen, 1);
    EXPECT_EQ(Fake().renderContextsHeld, 1);
    EXPECT_FALSE(Fake().displayChanged);
    CloseGameWindow();
}

TEST_F(AppTest, ToggleKeepsTheKeyTableTheFadeAndTheTurn) {
    ASSERT_TRUE(Open());
    lightDiffuse[0] = lightDiffuse[1] = lightDiffuse[2] = 0.4f;
    gameTable.movesLeft = 3;
    gameTable.selectedDie = 1;
    Send(KeyDownMessage, 'W');
    Send(KeyDownMessage, F1Key);
    ASSERT_TRUE(ApplyKeyActions());
    EXPECT_EQ(keys['W'], 1);
    EXPECT_EQ(lightDiffuse[0], 0.4f);
    EXPECT_EQ(fadingIn, 1);
    EXPECT_EQ(gameTable.movesLeft, 3);
    EXPECT_EQ(gameTable.selectedDie, 1);
    CloseGameWindow();
}

TEST_F(AppTest, MouseMessagesFollowTheInputFlag) {
    gameTable.inputEnabled = 0;
    Send(LeftButtonDownMessage, 1, PackClientPoint(10, 20));
    EXPECT_EQ(gameTable.mouseX, 0.0f);
    EXPECT_EQ(gameTable.mouseY, 0.0f);

    Send(MouseMoveMessage, 0, PackClientPoint(30, 40));
    EXPECT_EQ(gameTable.mouseX, 30.0f);
    EXPECT_EQ(gameTable.mouseY, 40.0f);

    Send(RightButtonDownMessage, 2, PackClientPoint(50, 60));
    EXPECT_EQ(gameTable.mouseX, 50.0f);
    EXPECT_EQ(gameTable.mouseY, 60.0f);

    gameTable.inputEnabled = 1;
    Send(LeftButtonDownMessage, 1, PackClientPoint(799, 599));
    EXPECT_EQ(gameTable.mouseX, 799.0f);
    EXPECT_EQ(gameTable.mouseY, 599.0f);

    // Positions travel as unsigned 16-bit halves: one pixel left of the window is 65535.
    Send(MouseMoveMessage, 0, PackClientPoint(-1, 5));
    EXPECT_EQ(gameTable.mouseX, 65535.0f);
    EXPECT_EQ(gameTable.mouseY, 5.0f);
}

TEST_F(AppTest, MinimisingClearsActiveButLosingFocusDoesNot) {
    Send(ActivateMessage, 0);  // inactive, not minimised
    EXPECT_EQ(active, 1);
    Send(ActivateMessage, 1u << 16);
    EXPECT_EQ(active, 0);
    Send(ActivateMessage, 1);
    EXPECT_EQ(active, 1);
}

TEST_F(AppTest, ScreenSaverIsHeldOffAndOtherMessagesGoToTheDefault) {
    EXPECT_EQ(GameWindowProc(nullptr, SysCommandMessage, ScreenSaveCommand, 0), 0);
    EXPECT_EQ(GameWindowProc(nullptr, SysCommandMessage, MonitorPowerCommand, 0), 0);
    EXPECT_EQ(Count("DefaultWindowProc 274"), 0);
    Send(SysCommandMessage, 0xF060);  // close from the system menu
    Send(0x0F, 0);                    // a message the game has no use for
    EXPECT_EQ(Count("DefaultWindowProc 274"), 1);
    EXPECT_EQ(Count("DefaultWindowProc 15"), 1);
}

TEST_F(AppTest, SizeMessagesReachTheViewport) {
    Send(SizeMessage, 0, PackClientPoint(640, 480));
    EXPECT_EQ(gameTable.clientWidth, 640);
    EXPECT_EQ(gameTable.clientHeight, 480);
}
