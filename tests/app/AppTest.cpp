#include <cmath>

#include "AppFixture.h"
#include "tests/table/TableSetup.h"

// The running game against the scripted window system. Whole runs: the fades, the ways the game
// ends, what a minimised window still does, and the frame pacing on the fake clock. Then the
// events and the key table: what each event leaves behind, and what one idle pass does with it.

class GameLoopTest : public AppTest {
protected:
    void SetUp() override {
        AppTest::SetUp();
        lightAtSwap.clear();
        Fake().onSwap = [this](int) { lightAtSwap.push_back(app->light.diffuse[0]); };
    }

    // Frames in which the light went up (direction 1) or down (-1).
    int Changes(int direction) const {
        int n = 0;
        float previous = 0.0f;
        for (float red : lightAtSwap) {
            n += direction * (red - previous) > 0.0f;
            previous = red;
        }
        return n;
    }

    std::vector<float> lightAtSwap;  // the light's red after each presented frame
};

// The frame that ends the fade-out is still presented, and it is the last; Escape darkens the
// very next frame, and during the fade-in waits for it to finish.
TEST_F(GameLoopTest, LightFadesInOverFortySixFramesAndOutOverFortySixAfterEscape) {
    for (const auto& [escape, swaps] : {std::make_pair(60, 60 + 46), std::make_pair(5, 92)}) {
        SetUp();
        Script(escape, Down(Key::Escape));
        Script(escape + 1, Up(Key::Escape));
        EXPECT_EQ(app->Run(), 0);
        EXPECT_EQ(Changes(1), 46) << escape;
        EXPECT_EQ(Changes(-1), 46) << escape;
        EXPECT_EQ(Fake().swaps, swaps) << escape;
        EXPECT_LT(lightAtSwap.back(), 0.0f);
        EXPECT_TRUE(NothingHeld());
    }
}

// Ten frames lit before and ten after; the twenty minimised passes present the old frame while
// the held key goes on moving the hand. Closing the window then ends the game with status 0.
TEST_F(GameLoopTest, MinimisedWindowStopsDrawingButKeysStillAct) {
    Script(5, WindowEvent(EventType::Restored));  // focus lost: frames go on
    Script(10, WindowEvent(EventType::Minimised));
    Script(10, Down(Key{'D'}));
    Script(30, WindowEvent(EventType::Restored));
    Script(30, Up(Key{'D'}));
    Script(40, Close());
    const float x0 = app->table.TheHand().current.x;
    EXPECT_EQ(app->Run(), 0);
    EXPECT_EQ(Changes(1), 20);
    EXPECT_EQ(Fake().swaps, 40);
    EXPECT_FLOAT_EQ(app->table.TheHand().current.x, x0 + 20 * 0.05f);
    EXPECT_TRUE(NothingHeld());
}

// The toggle closed the window and the failed opening cleaned up after itself: a second close
// would close a window twice. The pass that takes F1 toggles before it draws, so it presents
// nothing.
TEST_F(GameLoopTest, FailedReopenEndsTheGameWithoutClosingAgain) {
    Script(5, Down(Key::F1));
    Fake().onSwap = [](int swap) { Fake().failing[ContextStep] = swap >= 5; };
    EXPECT_EQ(app->Run(), 0);
    EXPECT_EQ(Fake().swaps, 5);
    EXPECT_EQ(Fake().boxes.size(), 1u);
    EXPECT_EQ(LastBoxText(), "Can't Create A GL Rendering Context.");
    EXPECT_EQ(Count("CloseWindow"), 1);
    EXPECT_TRUE(NothingHeld());
}

// The game advances 60 steps a second whatever the display: a hand move and the fade-in take the
// same time, within one frame, on a display that refuses a synced swap and on synced ones at 30,
// 60 and 144 Hz; a fast display draws no more frames than a 60 Hz one.
struct Timing {
    std::int64_t handMove = -1;
    std::int64_t fadeIn = -1;
    int swapsInFirstSecond = 0;
};

TEST_F(GameLoopTest, GameTimeRunsAtSixtyStepsASecondWhateverTheRefresh) {
    const std::int64_t refreshes[] = {16667, 0, 33333, 6944};
    std::vector<Timing> timings;
    for (std::int64_t refresh : refreshes) {
        SetUp();
        Timing timing;
        std::int64_t handMoveStart = 0;
        GameTable& table = app->table;
        Fake().failing[SwapIntervalStep] = refresh == 0;
        Fake().refreshPeriod = refresh;
        Fake().onSwap = [&](int swap) {
            const std::int64_t now = Fake().clock;
            if (swap == 1) {
                handMoveStart = now;
                // The human's 3 from 13: the hand's reach for the checker is one move.
                table.Director().StartNewGame();
                table.Rules().OpenRoll(3, 1);
                TablePlayer(table, table.ClientWidth(), table.ClientHeight()).ClickPoint(13);
            } else if (timing.handMove < 0 && (!table.Director().MoveUnderway() ||
                                               table.Director().Phase() != ReachPhase)) {
                timing.handMove = now - handMoveStart;
            }
            if (timing.fadeIn < 0 && !app->light.fadingIn) {
                timing.fadeIn = now;
            }
            timing.swapsInFirstSecond += now <= 1000000 ? 1 : 0;
            app->done = now > 1000000;
        };
        EXPECT_EQ(app->Run(), 0);
        timings.push_back(timing);
    }
    // Fifteen steps to move, forty-six to fade in, at 60 Hz; elsewhere the same within a frame of
    // that display (what it shows is seen at its next refresh).
    EXPECT_NEAR(static_cast<double>(timings[0].handMove), 15 * 16667.0, 100.0);
    EXPECT_NEAR(static_cast<double>(timings[0].fadeIn), 46 * 16667.0, 100.0);
    for (std::size_t i = 1; i < timings.size(); ++i) {
        const double frame = static_cast<double>(std::max<std::int64_t>(refreshes[i], 16667)) + 100;
        EXPECT_NEAR(timings[i].handMove, timings[0].handMove, frame) << refreshes[i];
        EXPECT_NEAR(timings[i].fadeIn, timings[0].fadeIn, frame) << refreshes[i];
        EXPECT_LE(timings[i].swapsInFirstSecond, 61) << refreshes[i];
    }
}

// The computer's roll is on show for half a second, 30 frames, before its hand sets off, and a
// roll it cannot use for a second, 60 frames, before the human's roll replaces it. The human's
// last move of a turn (13 to 8) hands the computer the dice; in the blocked game the human holds
// every point the computer's two hit checkers could enter on.
TEST_F(GameLoopTest, TheComputersRollStaysOnShowBeforeItsHandMovesOrItsPassEnds) {
    for (const bool blocked : {false, true}) {
        SetUp();
        GameTable& table = app->table;
        GameRules& rules = table.Rules();
        TurnDirector& director = table.Director();
        int rollSwap = 0;
        int endSwap = 0;
        Pose handAtRoll;
        Fake().onSwap = [&](int swap) {
            if (swap == 1) {
                director.StartNewGame();
                if (blocked) {
                    SetPosition(table, "h1:2 h2:2 h3:2 h4:2 h5:2 h6:2 h13:3 c0:2 c24:13");
                }
                rules.OpenRoll(5, 2);
                director.SetTurn(1, true);
                ASSERT_TRUE(
                    TablePlayer(table, table.ClientWidth(), table.ClientHeight()).ClickPoint(13));
            } else if (rollSwap == 0 && rules.CurrentSide() == Side::Computer) {
                rollSwap = swap;
                handAtRoll = table.TheHand().current;
            } else if (rollSwap > 0 && endSwap == 0) {
                const Pose& hand = table.TheHand().current;
                const bool handMoved = hand.x != handAtRoll.x || hand.z != handAtRoll.z;
                if (!blocked && handMoved) {
                    endSwap = swap;
                } else if (blocked && rules.CurrentSide() == Side::Human) {
                    endSwap = swap;
                } else {
                    EXPECT_FALSE(handMoved) << "a pass moves no checker";
                }
            }
            app->done = swap > 400;
        };
        EXPECT_EQ(app->Run(), 0);
        ASSERT_GT(rollSwap, 1) << blocked;
        EXPECT_EQ(endSwap - rollSwap, blocked ? TurnDirector::ComputerPassShowFrames
                                              : TurnDirector::ComputerRollShowFrames);
    }
}

class InputTest : public AppTest {
protected:
    void Send(const Event& event) { app->Handle(event); }

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
    Send(Typed('\''));  // typed without a key of the game's
    Passes(120);
    EXPECT_FLOAT_EQ(app->table.View().current.rotY, turn0 + 1.0f);

    Send(Down(Key{'7'}));
    Send(Typed('7'));
    Send(Up(Key{'7'}));
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
    app->table.Director().SetTurn(app->table.Rules().MovesLeft(), false);
    Send(PointerEvent(EventType::ButtonPressed, 10, 20));
    EXPECT_EQ(app->table.PointerX(), 0.0f);
    Send(PointerEvent(EventType::PointerMoved, 30, 40));
    EXPECT_EQ(app->table.PointerY(), 40.0f);

    app->table.Director().SetTurn(app->table.Rules().MovesLeft(), true);
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
