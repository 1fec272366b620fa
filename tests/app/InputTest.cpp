#include <cmath>

#include "AppFixture.h"

// The events and the key table: what each event leaves behind, and what one idle pass then does
// with it.

class InputTest : public AppTest {
protected:
    void Send(const Event& event) { app->Handle(event); }

    // What typing a key sends: its press (where the game has a key for it), its character, its
    // release.
    void Type(Key key, unsigned character) {
        if (key != Key::None) {
            Send(Down(key));
        }
        Send(Typed(character));
        if (key != Key::None) {
            Send(Up(key));
        }
    }

    void Passes(int n) {
        for (int i = 0; i < n; ++i) {
            ASSERT_TRUE(app->ApplyKeyActions());
        }
    }
};

// A press and its release both arriving between two passes must still act, once; a character
// wider than the game's eight bits must not act as the character of its low byte.
TEST_F(InputTest, KeyTableHoldsKeysUntilReleasedAndLetsQuickTapsActOnce) {
    const float z0 = app->table.TheHand().current.z;
    Send(Down(Key{'W'}));
    Send(Up(Key{'W'}));
    Passes(2);
    EXPECT_FLOAT_EQ(app->table.TheHand().current.z, z0 - 0.05f);

    // Pressed again before the pass: held after all, and acting on every pass.
    Send(Down(Key{'W'}));
    Send(Up(Key{'W'}));
    Send(Down(Key{'W'}));
    Passes(2);
    EXPECT_FLOAT_EQ(app->table.TheHand().current.z, z0 - 0.15f);
    EXPECT_TRUE(app->Held(Key{'W'}));

    Send(Typed(0x131));  // a wide character whose low byte is "1"
    EXPECT_EQ(app->keys.lastChar, 0);
}

// A typed character taps the key that shares its code ("k" the keypad's plus, "'" the right
// arrow) once; held, its repeats act once each and stop with the key. A digit acts
// through lastChar; a Latin-1 letter is negative as a signed byte and never counts as one.
TEST_F(InputTest, TypedCharactersActOnceAsATapOfTheKeyThatSharesTheirCode) {
    const float z0 = app->table.View().current.z;
    Send(Down(Key{'K'}));
    for (int repeat = 0; repeat < 10; ++repeat) {
        Send(Typed('k'));
        Passes(2);
    }
    Send(Up(Key{'K'}));
    Passes(60);
    EXPECT_NEAR(app->table.View().current.z, z0 + 10 * 0.02f, 1e-5);

    const float turn0 = app->table.View().current.rotY;
    Type(Key::None, '\'');
    Passes(120);
    EXPECT_FLOAT_EQ(app->table.View().current.rotY, turn0 + 1.0f);

    Type(Key{'7'}, '7');
    Passes(1);
    EXPECT_EQ(app->keys.lastChar, 0);
    Send(Typed(0xB9));  // superscript one
    Passes(1);
    EXPECT_EQ(app->keys.lastChar, static_cast<signed char>(0xB9));
}

// A held F1 toggles once; typed "p" shares its code. Reopening the window must keep the held keys
// and the light's fade.
TEST_F(InputTest, F1AndTypedPToggleTheWindowOncePerPressKeepingTheGame) {
    ASSERT_TRUE(app->OpenWindow(false));
    app->light.diffuse[0] = 0.4f;
    Send(Down(Key::Left));
    Send(Down(Key::F1));
    Passes(2);
    EXPECT_EQ(Count("OpenWindow fullscreen"), 1);
    EXPECT_TRUE(app->Held(Key::Left));
    EXPECT_EQ(app->light.diffuse[0], 0.4f);
    EXPECT_TRUE(app->light.fadingIn);

    Send(Typed('p'));
    Passes(1);
    EXPECT_FALSE(app->window.Fullscreen());
    EXPECT_EQ(Count("OpenWindow"), 2);
    EXPECT_TRUE(Fake().windowOpen);
    app->CloseWindow();
}

// While the computer plays, a left click must not drop a checker; the pointer is followed either
// way. A position past the window's edge (reported while a button is held, left and above as
// negative numbers) counts as the edge, so the hand stays over the board.
TEST_F(InputTest, PointerPositionsFollowTheInputFlagAndStopAtTheWindowsEdge) {
    ASSERT_TRUE(app->OpenWindow(false));
    app->table.Rules().SetTurn(app->table.Rules().MovesLeft(), false);
    Send(PointerEvent(EventType::ButtonPressed, 10, 20));
    EXPECT_EQ(app->table.PointerX(), 0.0f);
    Send(PointerEvent(EventType::PointerMoved, 30, 40));
    EXPECT_EQ(app->table.PointerY(), 40.0f);

    app->table.Rules().SetTurn(app->table.Rules().MovesLeft(), true);
    for (const auto& p : {std::make_pair(-3, -1), std::make_pair(-30000, 2000),
                          std::make_pair(900, 650), std::make_pair(799, 599)}) {
        Send(PointerEvent(EventType::PointerMoved, p.first, p.second));
        EXPECT_LE(std::fabs(app->table.TheHand().current.x), 1.0f) << p.first;
        EXPECT_LE(std::fabs(app->table.TheHand().current.z), 1.0f) << p.second;
    }
    EXPECT_EQ(app->table.PointerX(), 799.0f);
    Send(PointerEvent(EventType::ButtonPressed, -3, -1));
    EXPECT_EQ(app->table.PointerX(), 0.0f);
    EXPECT_EQ(app->table.PointerY(), 0.0f);
    app->CloseWindow();
}
