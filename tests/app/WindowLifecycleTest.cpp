#include <utility>

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
    EXPECT_EQ(gameTable.ClientHeight(), 600);

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

// A step the fake makes fail, and the text of the box that must then come up.
using StepFailure = std::pair<FakeStep, const char*>;

// A failing step closes what the opening had acquired before it, and only then says why.
TEST_F(AppTest, EveryFailedOpeningStepClosesThenShowsItsBox) {
    const StepFailure failures[] = {
        {CreateWindowStep, "Window Creation Error."},
        {GetDeviceContextStep, "Can't Create A GL Device Context."},
        {ChoosePixelFormatStep, "Can't Find A Suitable PixelFormat."},
        {SetPixelFormatStep, "Can't Set The PixelFormat."},
        {CreateRenderContextStep, "Can't Create A GL Rendering Context."},
        {MakeCurrentStep, "Can't Activate The GL Rendering Context."},
    };
    for (const auto& [step, text] : failures) {
        SCOPED_TRACE(text);
        SetUp();
        Fake().failing[step] = true;
        EXPECT_FALSE(Open());
        ASSERT_EQ(Fake().boxes.size(), 1u);
        EXPECT_EQ(Fake().boxes[0].caption, "ERROR");
        EXPECT_EQ(Fake().calls.back(), std::string("MessageBox ") + text);
        EXPECT_EQ(Fake().calls[Fake().calls.size() - 2], "UnregisterWindowClass");
        EXPECT_TRUE(NothingHeld());
    }

    SetUp();
    Fake().failing[RegisterClassStep] = true;
    EXPECT_EQ(RunGame(), 0);
    EXPECT_EQ(LastBoxText(), "Failed To Register The Window Class.");
    EXPECT_EQ(Count("UnregisterWindowClass") + Count("CreateGameWindow") + Fake().swaps, 0);
}

// A release that fails is reported and the rest of the closing still runs.
TEST_F(AppTest, EveryFailedReleaseIsReportedAndClosingGoesOn) {
    const StepFailure failures[] = {
        {ReleaseCurrentStep, "Release Of DC And RC Failed."},
        {DeleteRenderContextStep, "Release Rendering Context Failed."},
        {ReleaseDeviceContextStep, "Release Device Context Failed."},
        {DestroyWindowStep, "Could Not Release hWnd."},
        {UnregisterClassStep, "Could Not Unregister Class."},
    };
    for (const auto& [step, text] : failures) {
        SCOPED_TRACE(text);
        SetUp();
        ASSERT_TRUE(Open());
        Fake().failing[step] = true;
        CloseGameWindow();
        ASSERT_EQ(Fake().boxes.size(), 1u);
        EXPECT_EQ(Fake().boxes[0].text, text);
        EXPECT_EQ(Fake().boxes[0].caption, "SHUTDOWN ERROR");
        EXPECT_EQ(Count("DestroyGameWindow"), 1);
        EXPECT_EQ(Count("UnregisterWindowClass"), 1);
        EXPECT_TRUE(gameWindow == nullptr && gameRenderContext == nullptr);
    }
}

// The pointer is hidden once per opening and shown once per closing, so after a fullscreen
// window it stays hidden over the next one too.
TEST_F(AppTest, FullscreenCoversTheDisplayAndClosingRestoresTheMode) {
    ASSERT_TRUE(Open(true));
    EXPECT_EQ(fullscreen, 1);
    EXPECT_TRUE(Fake().displayChanged);
    EXPECT_EQ(Fake().lastWindowX, 0);
    EXPECT_EQ(Fake().pointerCount, -2);
    CloseGameWindow();
    EXPECT_TRUE(NothingHeld());
    EXPECT_EQ(Fake().pointerCount, -1);

    // A window that fails after the mode change must give the mode back.
    SetUp();
    Fake().failing[CreateWindowStep] = true;
    EXPECT_FALSE(Open(true));
    EXPECT_FALSE(Fake().displayChanged);
    EXPECT_EQ(Fake().pointerCount, 0);
}

TEST_F(AppTest, RefusedFullscreenAsksAndFallsBackToAWindowOrEnds) {
    Fake().failing[ChangeDisplayModeStep] = true;
    ASSERT_TRUE(Open(true));  // the fake answers Yes
    ASSERT_EQ(Fake().boxes.size(), 1u);
    EXPECT_EQ(Fake().boxes[0].text,
              "The Requested Fullscreen Mode Is Not Supported By\nYour Video Card. Use Windowed "
              "Mode Instead?");
    EXPECT_EQ(Fake().boxes[0].style, YesNoExclamation);
    EXPECT_EQ(Fake().lastWindowX, 150);
    CloseGameWindow();
    EXPECT_EQ(Count("RestoreDisplayMode"), 0);

    // Declined: nothing but the class is left behind.
    SetUp();
    Fake().failing[ChangeDisplayModeStep] = true;
    Fake().answers.push_back(NoAnswer);
    EXPECT_FALSE(Open(true));
    EXPECT_EQ(LastBoxText(), "Program Will Now Close.");
    EXPECT_TRUE(NothingHeld());
    EXPECT_TRUE(Fake().classRegistered);
    EXPECT_EQ(Count("CreateGameWindow"), 0);
}
