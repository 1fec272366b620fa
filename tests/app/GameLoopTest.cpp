#include "AppFixture.h"
#include "app/FramePacer.h"
#include "soak/TablePlayer.h"

// Whole runs of the game against a script: the fades, the ways the game ends, what a minimised
// window still does, and the frame pacing on the fake clock.

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
                table.Rules().StartNewGame();
                table.Rules().OpenRoll(3, 1);
                TablePlayer(table, table.ClientWidth(), table.ClientHeight()).ClickPoint(13);
            } else if (timing.handMove < 0 &&
                       (!table.Rules().MoveUnderway() || table.Rules().Phase() != ReachPhase)) {
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
        int rollSwap = 0;
        int endSwap = 0;
        Pose handAtRoll;
        Fake().onSwap = [&](int swap) {
            if (swap == 1) {
                rules.StartNewGame();
                if (blocked) {
                    Position& board = rules.EditBoard();
                    board.Clear();
                    int human = 15;
                    int computer = 0;
                    for (int p = 1; p <= 6; p++) {
                        board.points[p].Push(human++);
                        board.points[p].Push(human++);
                    }
                    while (human < CheckerCount) {
                        board.points[13].Push(human++);
                    }
                    board.points[ComputerBar].Push(computer++);
                    board.points[ComputerBar].Push(computer++);
                    while (computer < 15) {
                        board.points[24].Push(computer++);
                    }
                    table.PlaceCheckersOnTheirSlots();
                }
                rules.OpenRoll(5, 2);
                rules.SetTurn(1, true);
                ASSERT_TRUE(
                    TablePlayer(table, table.ClientWidth(), table.ClientHeight()).ClickPoint(13));
            } else if (rollSwap == 0 && rules.CurrentSide() == ComputerSide) {
                rollSwap = swap;
                handAtRoll = table.TheHand().current;
            } else if (rollSwap > 0 && endSwap == 0) {
                const Pose& hand = table.TheHand().current;
                const bool handMoved = hand.x != handAtRoll.x || hand.z != handAtRoll.z;
                if (!blocked && handMoved) {
                    endSwap = swap;
                } else if (blocked && rules.CurrentSide() == HumanSide) {
                    endSwap = swap;
                } else {
                    EXPECT_FALSE(handMoved) << "a pass moves no checker";
                }
            }
            app->done = swap > 400;
        };
        EXPECT_EQ(app->Run(), 0);
        ASSERT_GT(rollSwap, 1) << blocked;
        EXPECT_EQ(endSwap - rollSwap,
                  blocked ? GameRules::ComputerPassShowFrames : GameRules::ComputerRollShowFrames);
    }
}

// After a half-second stall (a computer move) at most a few steps are made up at once, then the
// old cadence: no burst of steps to catch up.
TEST(FramePacer, DoesNotBurstAfterAStall) {
    FramePacer pacer;
    pacer.Start(true, 0);
    EXPECT_EQ(pacer.TakeSteps(0), 1);
    EXPECT_GT(pacer.WaitFor(100), 0);
    EXPECT_EQ(pacer.TakeSteps(500000), FramePacer::maxStepsPerFrame);
    EXPECT_GT(pacer.WaitFor(500000), 0);
    EXPECT_EQ(pacer.TakeSteps(500000 + 16667), 1);
}
