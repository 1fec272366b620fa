#include <utility>

#include "AppFixture.h"

// Opening and closing the game window: what each failure shows and leaves behind, fullscreen and
// its fallback.

// Closing twice closes once; a context that will not let go is reported, and the window still
// closes.
TEST_F(AppTest, OpeningSetsUpTheViewAndClosingLeavesNothingOpen) {
    ASSERT_TRUE(app->OpenWindow(false));
    EXPECT_EQ(Fake().calls, std::vector<std::string>{"OpenWindow"});
    EXPECT_EQ(app->table.ClientHeight(), 600);
    app->CloseWindow();
    app->CloseWindow();
    EXPECT_EQ(Count("CloseWindow"), 1);
    EXPECT_TRUE(NothingHeld());
    EXPECT_TRUE(Fake().boxes.empty());

    ASSERT_TRUE(app->OpenWindow(false));
    Fake().failing[ReleaseCurrentStep] = true;
    app->CloseWindow();
    ASSERT_EQ(Fake().boxes.size(), 1u);
    EXPECT_EQ(Fake().boxes[0].text, "Release Of DC And RC Failed.");
    EXPECT_EQ(Fake().boxes[0].caption, "SHUTDOWN ERROR");
    EXPECT_TRUE(NothingHeld());
}

// A failing step has closed what the opening had made; only then does the player hear why.
TEST_F(AppTest, EveryFailedOpeningShowsItsBox) {
    const std::pair<FakeStep, const char*> failures[] = {
        {WindowSystemStep, "Failed To Register The Window Class."},
        {WindowStep, "Window Creation Error."},
        {DeviceContextStep, "Can't Create A GL Device Context."},
        {PixelFormatStep, "Can't Find A Suitable PixelFormat."},
        {SetPixelFormatStep, "Can't Set The PixelFormat."},
        {ContextStep, "Can't Create A GL Rendering Context."},
        {MakeCurrentStep, "Can't Activate The GL Rendering Context."},
    };
    for (const auto& [step, text] : failures) {
        SCOPED_TRACE(text);
        SetUp();
        Fake().failing[step] = true;
        EXPECT_FALSE(app->OpenWindow(false));
        ASSERT_EQ(Fake().boxes.size(), 1u);
        EXPECT_EQ(Fake().boxes[0].caption, "ERROR");
        EXPECT_EQ(Fake().calls.back(), std::string("MessageBox ") + text);
        EXPECT_TRUE(NothingHeld());
    }

    // At start, a failed opening ends the game before any frame.
    SetUp();
    Fake().failing[WindowSystemStep] = true;
    EXPECT_EQ(app->Run(), 0);
    EXPECT_EQ(Count("CloseWindow") + Fake().swaps, 0);
}

TEST_F(AppTest, RefusedFullscreenAsksAndFallsBackToAWindowOrEnds) {
    Fake().failing[DisplayModeStep] = true;
    ASSERT_TRUE(app->OpenWindow(true));  // the fake answers Yes
    ASSERT_EQ(Fake().boxes.size(), 1u);
    EXPECT_EQ(Fake().boxes[0].text,
              "The Requested Fullscreen Mode Is Not Supported By\nYour Video Card. Use Windowed "
              "Mode Instead?");
    EXPECT_EQ(Fake().boxes[0].style, platform::YesNoExclamation);
    EXPECT_EQ(Fake().calls.back(), "OpenWindow");
    EXPECT_FALSE(app->window.Fullscreen());
    EXPECT_FALSE(Fake().fullscreen);
    app->CloseWindow();

    // Declined: nothing is left open.
    SetUp();
    Fake().failing[DisplayModeStep] = true;
    Fake().answers.push_back(platform::NoAnswer);
    EXPECT_FALSE(app->OpenWindow(true));
    EXPECT_EQ(LastBoxText(), "Program Will Now Close.");
    EXPECT_TRUE(NothingHeld());
    EXPECT_EQ(Count("OpenWindow"), 0);
}
