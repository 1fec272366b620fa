#include "AppFixture.h"
#include "app/FramePacer.h"

// Whole runs of the game against a script: the fades, the ways the game ends, and what a
// minimised window still does.

struct FrameLog {
    std::vector<float> red;  // the light's red after each presented frame
    std::vector<int> fadingOutAt;
};

static FrameLog* log = nullptr;

static void RecordFrame(int) {
    log->red.push_back(lightDiffuse[0]);
    log->fadingOutAt.push_back(fadingOut);
}

class GameLoopTest : public AppTest {
protected:
    void SetUp() override {
        AppTest::SetUp();
        log = &frames;
        Fake().onSwap = RecordFrame;
    }
    FrameLog frames;

    // Frames in which the light went up, and in which it went down.
    int Rising() const {
        int n = 0;
        float previous = 0.0f;
        for (float r : frames.red) {
            n += r > previous;
            previous = r;
        }
        return n;
    }
    int Falling() const {
        int n = 0;
        float previous = 0.0f;
        for (float r : frames.red) {
            n += r < previous;
            previous = r;
        }
        return n;
    }
};

TEST_F(GameLoopTest, LightFadesInOverFortySixFramesAndOutOverFortySixAfterEscape) {
    Script(60, KeyDownMessage, EscapeKey);
    Script(61, KeyUpMessage, EscapeKey);
    EXPECT_EQ(RunGame(), 0);

    EXPECT_EQ(Rising(), 46);
    EXPECT_EQ(Falling(), 46);
    EXPECT_GT(frames.red[45], 0.9f);
    EXPECT_LT(frames.red[44], 0.9f);
    EXPECT_EQ(frames.red[46], frames.red[45]);
    EXPECT_LT(frames.red.back(), 0.0f);
    // The frame that ends the fade is still presented, and it is the last.
    EXPECT_EQ(Fake().swaps, 61 + 46);
    EXPECT_TRUE(NothingHeld());
    EXPECT_FALSE(Fake().classRegistered);
}

TEST_F(GameLoopTest, EscapeDuringTheFadeInWaitsForItToFinish) {
    Script(5, KeyDownMessage, EscapeKey);
    EXPECT_EQ(RunGame(), 0);
    EXPECT_EQ(Rising(), 46);
    EXPECT_EQ(Falling(), 46);
    EXPECT_EQ(Fake().swaps, 92);
    EXPECT_EQ(frames.fadingOutAt[5], 0);
    EXPECT_EQ(frames.fadingOutAt[6], 1);
}

TEST_F(GameLoopTest, ClosingTheWindowEndsTheLoopWithStatusZero) {
    Script(3, CloseMessage);
    EXPECT_EQ(RunGame(), 0);
    EXPECT_EQ(Fake().swaps, 3);
    EXPECT_TRUE(NothingHeld());
}

TEST_F(GameLoopTest, MinimisedWindowStopsDrawingButKeysStillAct) {
    Script(10, ActivateMessage, 1u << 16);
    Script(10, KeyDownMessage, 'D');
    Script(30, ActivateMessage, 1);
    Script(30, KeyUpMessage, 'D');
    Script(40, CloseMessage);
    const float x0 = gameTable.hand.current.x;
    EXPECT_EQ(RunGame(), 0);
    // Ten frames lit before, ten after: the other twenty passes presented the old frame.
    EXPECT_EQ(Rising(), 20);
    EXPECT_EQ(Fake().swaps, 40);
    EXPECT_FLOAT_EQ(gameTable.hand.current.x, x0 + 20 * 0.05f);
}

TEST_F(GameLoopTest, ToggleDuringTheFadeGoesOnFromWhereItWas) {
    Script(10, KeyDownMessage, F1Key);
    Script(80, CloseMessage);
    EXPECT_EQ(RunGame(), 0);
    EXPECT_EQ(Rising(), 46);
    EXPECT_EQ(Count("CreateGameWindow fullscreen"), 1);
    EXPECT_EQ(fullscreen, 1);
    EXPECT_TRUE(NothingHeld());
}

TEST_F(GameLoopTest, FailedReopenEndsTheGameWithoutClosingAgain) {
    Script(5, KeyDownMessage, F1Key);
    Fake().onSwap = [](int swap) {
        if (swap == 5) {
            Fake().failing[CreateRenderContextStep] = true;
        }
    };
    EXPECT_EQ(RunGame(), 0);
    EXPECT_EQ(Fake().swaps, 6);
    EXPECT_EQ(BoxTexts(), std::vector<std::string>{"Can't Create A GL Rendering Context."});
    // The toggle's close and the failed opening's own close; no third.
    EXPECT_EQ(Count("UnregisterWindowClass"), 2);
    EXPECT_TRUE(NothingHeld());
}

TEST_F(GameLoopTest, DecliningTheFallbackOnToggleEndsTheGame) {
    Fake().failing[ChangeDisplayModeStep] = true;
    Fake().answers.push_back(NoAnswer);
    Script(5, CharMessage, 'p');
    EXPECT_EQ(RunGame(), 0);
    EXPECT_EQ(BoxTexts().back(), "Program Will Now Close.");
    EXPECT_TRUE(NothingHeld());
}

TEST_F(GameLoopTest, AcceptingTheFallbackKeepsPlayingAndAsksAgainNextTime) {
    Fake().failing[ChangeDisplayModeStep] = true;
    Script(5, KeyDownMessage, F1Key);
    Script(10, KeyDownMessage, F1Key);
    Script(15, CloseMessage);
    EXPECT_EQ(RunGame(), 0);
    EXPECT_EQ(Fake().boxes.size(), 2u);
    EXPECT_EQ(fullscreen, 0);
    EXPECT_EQ(Fake().swaps, 15);
}

TEST_F(GameLoopTest, IdleLoopIsPacedToSixtyFramesWhenTheSwapIsNotSynced) {
    Fake().failing[SwapIntervalStep] = true;
    Script(120, CloseMessage);
    EXPECT_EQ(RunGame(), 0);
    // 120 frames at 60 a second on the fake clock: two seconds, give or take the first frame.
    EXPECT_NEAR(static_cast<double>(Fake().clock), 119 * 16667.0, 16667.0);
}

TEST_F(GameLoopTest, AGrantedSwapIntervalIsOnlyBelievedWhenFramesTakeTheirTime) {
    // The fake clock stands still while drawing: a swap that "syncs" that fast does not.
    Script(120, CloseMessage);
    EXPECT_EQ(RunGame(), 0);
    EXPECT_EQ(Fake().swapInterval, 1);
    EXPECT_GT(Fake().waits, 0);

    ResetAppState();
    ResetFakePlatform();
    Fake().onSwap = [](int) { Fake().clock += 16667; };
    Script(120, CloseMessage);
    EXPECT_EQ(RunGame(), 0);
    EXPECT_EQ(Fake().waits, 0);
}

TEST_F(GameLoopTest, PacingCanBeSwitchedOffForMeasuring) {
    setenv("KESTRANE_NO_PACING", "1", 1);
    Fake().failing[SwapIntervalStep] = true;
    Script(120, CloseMessage);
    EXPECT_EQ(RunGame(), 0);
    EXPECT_EQ(Fake().waits, 0);
    EXPECT_EQ(Fake().clock, 0);
}

TEST_F(GameLoopTest, MessagesArrivingWhileWaitingAreHandledAtOnce) {
    Fake().failing[SwapIntervalStep] = true;
    Script(50, KeyDownMessage, 'A');
    Script(50, KeyUpMessage, 'A');
    Script(60, CloseMessage);
    const float x0 = gameTable.hand.current.x;
    EXPECT_EQ(RunGame(), 0);
    // Down and up came in the same wait, before the next frame: the tap still acts, once.
    EXPECT_EQ(gameTable.hand.current.x, x0 - 0.05f);
    EXPECT_EQ(Fake().swaps, 60);
}

TEST(FramePacer, KeepsSixtyFramesASecondWithoutBurstingAfterAStall) {
    FramePacer pacer;
    pacer.Start(false, true, 0);
    EXPECT_TRUE(pacer.Pacing());
    std::int64_t now = 0;
    int frames = 0;
    while (now < 1000000) {
        std::int64_t wait = pacer.WaitFor(now);
        now += wait > 0 ? wait : 100;  // drawing takes 0.1 ms
        if (wait == 0 || pacer.WaitFor(now) == 0) {
            pacer.FrameDrawn(now);
            ++frames;
        }
    }
    EXPECT_NEAR(frames, 60, 1);

    // A half-second stall (a computer move): one frame at once, then the old cadence.
    now += 500000;
    EXPECT_EQ(pacer.WaitFor(now), 0);
    pacer.FrameDrawn(now);
    EXPECT_GT(pacer.WaitFor(now), 0);
}

TEST(FramePacer, ProbesAGrantedSwapIntervalBeforeTrustingIt) {
    FramePacer slow;
    slow.Start(true, true, 0);
    for (int i = 1; i <= FramePacer::probeFrames; ++i) {
        slow.FrameDrawn(i * 16667);
    }
    EXPECT_FALSE(slow.Pacing());

    FramePacer fast;
    fast.Start(true, true, 0);
    for (int i = 1; i <= FramePacer::probeFrames; ++i) {
        EXPECT_FALSE(fast.Pacing());
        fast.FrameDrawn(i * 300);
    }
    EXPECT_TRUE(fast.Pacing());

    FramePacer off;
    off.Start(false, false, 0);
    EXPECT_FALSE(off.Pacing());
    EXPECT_EQ(off.WaitFor(0), 0);
}
