#include "AppFixture.h"

// Opening and closing the game window: the step order, what each failure shows and releases,
// fullscreen and its fallback, and the pointer.

TEST_F(AppTest, OpeningAcquiresEverythingInOrderAndClosingReleasesIt) {
    ASSERT_TRUE(Open());
    const std::vector<std::string> opened = {
        "RegisterWindowClass", "CreateGameWindow", "GetDeviceContext",
        "ChoosePixelFormat",   "SetPixelFormat",   "CreateRenderContext",
        "MakeCurrent",         "ShowGameWindow",   "FocusGameWindow"};
    EXPECT_EQ(Fake().calls, opened);
    EXPECT_EQ(Fake().windowsOpen, 1);
    EXPECT_TRUE(Fake().contextCurrent);
    EXPECT_EQ(Fake().lastWindowX, 150);
    EXPECT_EQ(Fake().lastWindowY, 50);
    EXPECT_EQ(gameTable.clientWidth, 800);
    EXPECT_EQ(gameTable.clientHeight, 600);
    EXPECT_EQ(Fake().pointerCount, -1);
    EXPECT_TRUE(Fake().boxes.empty());

    Fake().calls.clear();
    CloseGameWindow();
    const std::vector<std::string> closed = {"ReleaseCurrent", "DeleteRenderContext",
                                             "ReleaseDeviceContext", "DestroyGameWindow",
                                             "UnregisterWindowClass"};
    EXPECT_EQ(Fake().calls, closed);
    EXPECT_TRUE(NothingHeld());
    EXPECT_FALSE(Fake().classRegistered);
    EXPECT_TRUE(Fake().boxes.empty());
}

struct OpeningFailure {
    FakeStep step;
    const char* text;
};

// Each failing step closes what the opening had acquired before it, and only then says why.
TEST_F(AppTest, EveryFailedOpeningStepClosesThenShowsItsBox) {
    const OpeningFailure failures[] = {
        {CreateWindowStep, "Window Creation Error."},
        {GetDeviceContextStep, "Can't Create A GL Device Context."},
        {ChoosePixelFormatStep, "Can't Find A Suitable PixelFormat."},
        {SetPixelFormatStep, "Can't Set The PixelFormat."},
        {CreateRenderContextStep, "Can't Create A GL Rendering Context."},
        {MakeCurrentStep, "Can't Activate The GL Rendering Context."},
    };
    for (const OpeningFailure& f : failures) {
        SCOPED_TRACE(f.text);
        ResetAppState();
        ResetFakePlatform();
        Fake().failing[f.step] = true;

        EXPECT_FALSE(Open());
        ASSERT_EQ(Fake().boxes.size(), 1u);
        EXPECT_EQ(Fake().boxes[0].text, f.text);
        EXPECT_EQ(Fake().boxes[0].caption, "ERROR");
        EXPECT_EQ(Fake().boxes[0].style, OkExclamation);
        EXPECT_EQ(Fake().calls.back(), std::string("MessageBox ") + f.text);
        EXPECT_EQ(Fake().calls[Fake().calls.size() - 2], "UnregisterWindowClass");
        EXPECT_TRUE(NothingHeld());
        EXPECT_FALSE(Fake().classRegistered);
        EXPECT_EQ(Count("ShowGameWindow"), 0);
    }
}

TEST_F(AppTest, FailedClassRegistrationEndsTheGameWithNothingToClose) {
    Fake().failing[RegisterClassStep] = true;
    EXPECT_EQ(RunGame(), 0);
    EXPECT_EQ(BoxTexts(), std::vector<std::string>{"Failed To Register The Window Class."});
    EXPECT_EQ(Fake().boxes[0].caption, "ERROR");
    EXPECT_EQ(Count("UnregisterWindowClass"), 0);
    EXPECT_EQ(Count("CreateGameWindow"), 0);
    EXPECT_EQ(Fake().swaps, 0);
}

// A release that fails is reported and the rest of the closing still runs.
TEST_F(AppTest, EveryFailedReleaseIsReportedAndClosingGoesOn) {
    const OpeningFailure failures[] = {
        {ReleaseCurrentStep, "Release Of DC And RC Failed."},
        {DeleteRenderContextStep, "Release Rendering Context Failed."},
        {ReleaseDeviceContextStep, "Release Device Context Failed."},
        {DestroyWindowStep, "Could Not Release hWnd."},
        {UnregisterClassStep, "Could Not Unregister Class."},
    };
    for (const OpeningFailure& f : failures) {
        SCOPED_TRACE(f.text);
        ResetAppState();
        ResetFakePlatform();
        ASSERT_TRUE(Open());
        Fake().failing[f.step] = true;
        Fake().calls.clear();

        CloseGameWindow();
        ASSERT_EQ(Fake().boxes.size(), 1u);
        EXPECT_EQ(Fake().boxes[0].text, f.text);
        EXPECT_EQ(Fake().boxes[0].caption, "SHUTDOWN ERROR");
        EXPECT_EQ(Fake().boxes[0].style, OkInformation);
        EXPECT_EQ(Count("DestroyGameWindow"), 1);
        EXPECT_EQ(Count("UnregisterWindowClass"), 1);
        EXPECT_EQ(gameWindow, nullptr);
        EXPECT_EQ(gameDeviceContext, nullptr);
        EXPECT_EQ(gameRenderContext, nullptr);
    }
}

TEST_F(AppTest, ClosingWithNothingHeldOnlyUnregistersTheClass) {
    ASSERT_TRUE(RegisterWindowClass());
    Fake().calls.clear();
    CloseGameWindow();
    EXPECT_EQ(Fake().calls, std::vector<std::string>{"UnregisterWindowClass"});
    EXPECT_TRUE(Fake().boxes.empty());
}

TEST_F(AppTest, FullscreenCoversTheDisplayAndClosingRestoresTheMode) {
    ASSERT_TRUE(Open(true));
    EXPECT_EQ(fullscreen, 1);
    EXPECT_TRUE(Fake().displayChanged);
    EXPECT_TRUE(Fake().lastWindowFullscreen);
    EXPECT_EQ(Fake().lastWindowX, 0);
    EXPECT_EQ(Fake().lastWindowY, 0);
    EXPECT_EQ(Fake().pointerCount, -2);

    CloseGameWindow();
    EXPECT_FALSE(Fake().displayChanged);
    EXPECT_TRUE(NothingHeld());
    // Shown once for the two hidings: the pointer stays hidden over the next window too.
    EXPECT_EQ(Fake().pointerCount, -1);
}

TEST_F(AppTest, RefusedFullscreenFallsBackToAWindowWhenTheAnswerIsYes) {
    Fake().failing[ChangeDisplayModeStep] = true;
    Fake().answers.push_back(YesAnswer);
    ASSERT_TRUE(Open(true));
    ASSERT_EQ(Fake().boxes.size(), 1u);
    EXPECT_EQ(Fake().boxes[0].text,
              "The Requested Fullscreen Mode Is Not Supported By\nYour Video Card. Use Windowed "
              "Mode Instead?");
    EXPECT_EQ(Fake().boxes[0].caption, "Zorv GL");
    EXPECT_EQ(Fake().boxes[0].style, YesNoExclamation);
    EXPECT_EQ(fullscreen, 0);
    EXPECT_FALSE(Fake().lastWindowFullscreen);
    EXPECT_EQ(Fake().lastWindowX, 150);
    EXPECT_EQ(Fake().pointerCount, -1);
    CloseGameWindow();
    EXPECT_EQ(Count("RestoreDisplayMode"), 0);
}

TEST_F(AppTest, RefusedFullscreenEndsTheGameWhenTheAnswerIsNo) {
    Fake().failing[ChangeDisplayModeStep] = true;
    Fake().answers.push_back(NoAnswer);
    EXPECT_FALSE(Open(true));
    EXPECT_EQ(BoxTexts().back(), "Program Will Now Close.");
    EXPECT_EQ(Fake().boxes.back().caption, "ERROR");
    EXPECT_EQ(Fake().boxes.back().style, OkStop);
    // Nothing but the class is left behind.
    EXPECT_TRUE(NothingHeld());
    EXPECT_TRUE(Fake().classRegistered);
    EXPECT_EQ(Count("CreateGameWindow fullscreen") + Count("CreateGameWindow"), 0);
}

TEST_F(AppTest, FailedFullscreenWindowGivesTheDisplayModeBack) {
    Fake().failing[CreateWindowStep] = true;
    EXPECT_FALSE(Open(true));
    EXPECT_FALSE(Fake().displayChanged);
    EXPECT_EQ(Fake().pointerCount, 0);
    EXPECT_EQ(BoxTexts(), std::vector<std::string>{"Window Creation Error."});
}

TEST_F(AppTest, ResizeRecordsTheClientSizeAndNeverDividesByZero) {
    ResizeViewport(1024, 700);
    EXPECT_EQ(gameTable.clientWidth, 1024);
    EXPECT_EQ(gameTable.clientHeight, 700);
    ResizeViewport(0, 0);
    EXPECT_EQ(gameTable.clientWidth, 0);
    EXPECT_EQ(gameTable.clientHeight, 1);
}
