#include "AppFixture.h"
#include "app/FramePacer.h"

// Whole runs of the game against a script: the fades, the ways the game ends, what a minimised
// window still does, and the frame pacing on the fake clock.

static std::vector<float> lightAtSwap;  // the light's red after each presented frame

class GameLoopTest : public AppTest {
protected:
    void SetUp() override {
        AppTest::SetUp();
        lightAtSwap.clear();
        Fake().onSwap = [](int) { lightAtSwap.push_back(lightDiffuse[0]); };
    }

    // Frames in which the light went up (direction 1) or down (-1).
    static int Changes(int direction) {
        int n = 0;
        float previous = 0.0f;
        for (float red : lightAtSwap) {
            n += direction * (red - previous) > 0.0f;
            previous = red;
        }
        return n;
    }
};

TEST_F(GameLoopTest, LightFadesInOverFortySixFramesAndOutOverFortySixAfterEscape) {
    Script(60, KeyDownMessage, EscapeKey);
    Script(61, KeyUpMessage, EscapeKey);
    EXPECT_EQ(RunGame(), 0);
    EXPECT_EQ(Changes(1), 46);
    EXPECT_EQ(Changes(-1), 46);
    EXPECT_EQ(lightAtSwap[46], lightAtSwap[45]);
    // The frame that ends the fade is still presented, and it is the last.
    EXPECT_EQ(Fake().swaps, 61 + 46);
    EXPECT_LT(lightAtSwap.back(), 0.0f);
    EXPECT_TRUE(NothingHeld());
    EXPECT_FALSE(Fake().classRegistered);
}

TEST_F(GameLoopTest, EscapeDuringTheFadeInWaitsForItToFinish) {
    Script(5, KeyDownMessage, EscapeKey);
    EXPECT_EQ(RunGame(), 0);
    EXPECT_EQ(Changes(1), 46);
    EXPECT_EQ(Changes(-1), 46);
    EXPECT_EQ(Fake().swaps, 92);
}

// Ten frames lit before and ten after; the twenty minimised passes present the old frame while
// the held key goes on moving the hand. Closing the window then ends the game with status 0.
TEST_F(GameLoopTest, MinimisedWindowStopsDrawingButKeysStillAct) {
    Script(5, ActivateMessage, 0);  // focus lost: frames go on
    Script(10, ActivateMessage, 1u << 16);
    Script(10, KeyDownMessage, 'D');
    Script(30, ActivateMessage, 1);
    Script(30, KeyUpMessage, 'D');
    Script(40, CloseMessage);
    const float x0 = gameTable.hand.current.x;
    EXPECT_EQ(RunGame(), 0);
    EXPECT_EQ(Changes(1), 20);
    EXPECT_EQ(Fake().swaps, 40);
    EXPECT_FLOAT_EQ(gameTable.hand.current.x, x0 + 20 * 0.05f);
    EXPECT_TRUE(NothingHeld());
}

// The toggle closed the window and the failed opening cleaned up after itself: a third close
// would release handles twice.
TEST_F(GameLoopTest, FailedReopenEndsTheGameWithoutClosingAgain) {
    Script(5, KeyDownMessage, F1Key);
    Fake().onSwap = [](int swap) { Fake().failing[CreateRenderContextStep] = swap >= 5; };
    EXPECT_EQ(RunGame(), 0);
    EXPECT_EQ(Fake().swaps, 6);
    EXPECT_EQ(Fake().boxes.size(), 1u);
    EXPECT_EQ(LastBoxText(), "Can't Create A GL Rendering Context.");
    EXPECT_EQ(Count("UnregisterWindowClass"), 2);
    EXPECT_TRUE(NothingHeld());
}

// A refused swap interval is paced to 60 frames a second; a granted one is only believed when
// the swaps take their time (the fake clock stands still while drawing).
TEST_F(GameLoopTest, FramesArePacedToSixtyASecondUnlessTheSwapReallySyncs) {
    Fake().failing[SwapIntervalStep] = true;
    Script(120, CloseMessage);
    EXPECT_EQ(RunGame(), 0);
    EXPECT_NEAR(static_cast<double>(Fake().clock), 119 * 16667.0, 16667.0);

    SetUp();
    Script(120, CloseMessage);
    EXPECT_EQ(RunGame(), 0);
    EXPECT_EQ(Fake().swapInterval, 1);
    EXPECT_GT(Fake().waits, 0);

    SetUp();
    Fake().onSwap = [](int) { Fake().clock += 16667; };
    Script(120, CloseMessage);
    EXPECT_EQ(RunGame(), 0);
    EXPECT_EQ(Fake().waits, 0);
}

// After a half-second stall (a computer move) one frame is due at once, then the old cadence:
// no burst of frames to catch up.
TEST(FramePacer, DoesNotBurstAfterAStall) {
    FramePacer pacer;
    pacer.Start(false, true, 0);
    pacer.FrameDrawn(0);
    EXPECT_GT(pacer.WaitFor(100), 0);
    EXPECT_EQ(pacer.WaitFor(500000), 0);
    pacer.FrameDrawn(500000);
    EXPECT_GT(pacer.WaitFor(500000), 0);
}
