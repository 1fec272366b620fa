#include <GL/gl.h>
#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <memory>
#include <numeric>
#include <string>
#include <vector>

#include "app/App.h"
#include "platform/Events.h"
#include "platform/Portable.h"
#include "tests/table/TableSetup.h"

// The game window on the real window system, under whatever X display DISPLAY names (the test
// script starts a virtual one). Nobody can click a message box there, so every box is answered
// from the environment.

class RealWindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        const char* display = std::getenv("DISPLAY");
        if (!display || !*display) {
            GTEST_SKIP() << "no X display";
        }
        app = std::make_unique<App>();
        portable::SetEnvironment("KESTRANE_MESSAGE_BOX_ANSWER", "yes");
    }
    void TearDown() override {
        if (app) {
            app->CloseWindow();
        }
        platform::ShutDownWindowSystem();
        portable::UnsetEnvironment("KESTRANE_MESSAGE_BOX_ANSWER");
    }

    std::unique_ptr<App> app;
};

// The sum of every colour byte of the frame just drawn: it grows as the light fades in.
static long FrameBrightness() {
    std::vector<unsigned char> pixels(800 * 600 * 3);
    glReadBuffer(GL_BACK);
    glReadPixels(0, 0, 800, 600, GL_RGB, GL_UNSIGNED_BYTE, pixels.data());
    return std::accumulate(pixels.begin(), pixels.end(), 0L);
}

TEST_F(RealWindowTest, OpensADepthBufferedWindowAndFadesTheLightIn) {
    ASSERT_TRUE(app->OpenWindow(false));
    GLint depthBits = 0;
    glGetIntegerv(GL_DEPTH_BITS, &depthBits);
    EXPECT_GE(depthBits, 16);

    std::vector<long> brightness;
    for (int frame = 0; frame < 50; ++frame) {
        app->StepFrame();
        app->DrawFrame();
        brightness.push_back(FrameBrightness());
        platform::SwapWindow();
    }
    EXPECT_EQ(glGetError(), GLenum(GL_NO_ERROR));
    EXPECT_LT(brightness[0], brightness[20]);
    EXPECT_LT(brightness[20], brightness[45]);
    EXPECT_FALSE(app->light.fadingIn);
}

// Where the display cannot change mode the fallback question is answered: yes keeps a window,
// no ends the opening leaving nothing open.
TEST_F(RealWindowTest, FullscreenOpensOrFallsBackAsTheDisplayAllows) {
    ASSERT_TRUE(app->OpenWindow(true));
    const bool fullscreenAllowed = app->window.Fullscreen();
    app->StepFrame();
    app->DrawFrame();
    platform::SwapWindow();
    app->CloseWindow();

    portable::SetEnvironment("KESTRANE_MESSAGE_BOX_ANSWER", "no");
    app = std::make_unique<App>();
    EXPECT_EQ(app->OpenWindow(true), fullscreenAllowed);
    EXPECT_EQ(app->window.IsOpen(), fullscreenAllowed);
}

// Typing, holding keys and clicking through the X server, as a player does, into the game's real
// loop.
class TypedRealWindowTest : public RealWindowTest {
protected:
    void SetUp() override {
        RealWindowTest::SetUp();
        if (IsSkipped()) {
            return;
        }
        if (std::system("command -v xdotool >/dev/null 2>&1") != 0) {
            GTEST_SKIP() << "no xdotool";
        }
        ASSERT_TRUE(app->Start());
        ASSERT_TRUE(PassUntil([this] { return !app->light.fadingIn; }));
    }
    void TearDown() override {
        if (!IsSkipped()) {
            X("keyup Left");
            app->End();
        }
        RealWindowTest::TearDown();
    }

    static bool X(const std::string& args) {
        return std::system(("timeout 10 xdotool " + args + " >/dev/null 2>&1").c_str()) == 0;
    }
    // Waits for the game's window to be mapped, gives it the focus and waits for that too.
    static bool FocusTheWindow() {
        return X("search --sync --onlyvisible --name '^Kestrane Alpha ver$' windowfocus --sync");
    }
    // Runs the game's loop until `done` holds; false when `seconds` were not enough.
    template <typename Done>
    bool PassUntil(Done done, int seconds = 10) {
        const std::int64_t end = platform::MonotonicMicroseconds() + seconds * 1000000LL;
        while (!done()) {
            if (platform::MonotonicMicroseconds() > end || !app->Pass()) {
                return false;
            }
        }
        return true;
    }
    bool Passes(int n) {
        return PassUntil([&n] { return n-- <= 0; });
    }
    // Types the keys, then a "v" that does nothing, and runs the loop until the "v" arrives:
    // everything typed before it has been taken.
    bool Type(const std::string& keys) {
        app->keys.lastChar = 0;
        return X("key --clearmodifiers " + keys + " v") &&
               PassUntil([this] { return app->keys.lastChar == 'v'; });
    }
    // The brightness of the scene as the game shows it now.
    long Shown() {
        app->DrawFrame();
        return FrameBrightness();
    }
};

// A typed "k" zooms one step and the board is still in view two seconds later.
TEST_F(TypedRealWindowTest, TypedKeysTapOnceAndTheBoardStaysInView) {
    ASSERT_TRUE(FocusTheWindow());
    const long filled = Shown();
    const float z0 = app->table.View().current.z;
    ASSERT_TRUE(Type("k"));
    ASSERT_TRUE(Passes(120));
    EXPECT_FLOAT_EQ(app->table.View().current.z, z0 + 0.02f);
    EXPECT_GT(Shown(), filled * 9 / 10);
}

// An arrow held down while F1 reopens the window goes on turning the view in the new one, and
// its release there stops it.
TEST_F(TypedRealWindowTest, AnArrowHeldAcrossTheWindowToggleKeepsTurning) {
    ASSERT_TRUE(FocusTheWindow());
    ASSERT_TRUE(X("keydown Left"));
    ASSERT_TRUE(PassUntil([this] { return app->Held(Key::Left); }));

    app->Handle(KeyEvent(EventType::KeyPressed, Key::F1));
    ASSERT_TRUE(PassUntil([this] { return !app->Held(Key::F1); }));
    ASSERT_TRUE(FocusTheWindow());
    ASSERT_TRUE(Type(""));
    const float turn = app->table.View().current.rotY;
    ASSERT_TRUE(Passes(10));
    EXPECT_TRUE(app->Held(Key::Left));
    EXPECT_LT(app->table.View().current.rotY, turn - 5.0f);

    ASSERT_TRUE(X("keyup Left"));
    ASSERT_TRUE(Type(""));
    ASSERT_TRUE(Passes(2));
    EXPECT_FALSE(app->Held(Key::Left));
}

// A click through the X server on a human point moves its checker with the selected die, and the
// computer then plays its own roll before the human's next roll.
TEST_F(TypedRealWindowTest, AClickMovesTheCheckerAndTheComputerAnswers) {
    ASSERT_TRUE(FocusTheWindow());
    GameTable& table = app->table;
    // A 4 takes a checker from 13 to the empty point 9; with one move left the turn then ends.
    table.Rules().OpenRoll(4, 2);
    table.Director().SetTurn(1, true);
    float px = 0, py = 0;
    TablePlayer(table, table.ClientWidth(), table.ClientHeight()).PixelForPoint(13, px, py);
    const int mover = table.Rules().PointAt(13).Top();
    // No --sync on the move: it waits for the pointer to move, for ever when it already rests
    // there from an earlier run on the same display. The click follows the move in the server.
    ASSERT_TRUE(X("search --onlyvisible --name '^Kestrane Alpha ver$' mousemove --window %1 " +
                  std::to_string(static_cast<int>(px)) + " " +
                  std::to_string(static_cast<int>(py)) + " click 1"));
    ASSERT_TRUE(PassUntil([&] { return table.Rules().CurrentSide() == Side::Computer; }, 60));
    EXPECT_EQ(table.Rules().PointAt(9).Top(), mover);
    EXPECT_EQ(table.Rules().PointAt(13).count, 4u);

    ASSERT_TRUE(PassUntil([&] { return table.Rules().CurrentSide() == Side::Human; }, 60));
    EXPECT_TRUE(table.IsValid());
}
