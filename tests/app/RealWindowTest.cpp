#include <GL/gl.h>
#include <gtest/gtest.h>

#include <chrono>
#include <cstdint>
#include <cstdlib>
#include <numeric>
#include <string>
#include <thread>
#include <vector>

#include "app/AppState.h"
#include "app/GameWindow.h"
#include "app/MainLoop.h"

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
        ResetAppState();
        setenv("KESTRANE_MESSAGE_BOX_ANSWER", "yes", 1);
    }
    void TearDown() override {
        if (gameWindow) {
            CloseGameWindow();
        }
        ShutDownWindowSystem();
        unsetenv("KESTRANE_MESSAGE_BOX_ANSWER");
    }
    static bool Open(bool fullscreenRequested) {
        return OpenGameWindow("Kestrane Alpha ver", 800, 600, 16, fullscreenRequested);
    }
};

// The sum of every colour byte of the frame just drawn: it grows as the light fades in.
static long FrameBrightness() {
    std::vector<unsigned char> pixels(800 * 600 * 3);
    glReadBuffer(GL_BACK);
    glReadPixels(0, 0, 800, 600, GL_RGB, GL_UNSIGNED_BYTE, pixels.data());
    return std::accumulate(pixels.begin(), pixels.end(), 0L);
}

TEST_F(RealWindowTest, OpensADepthBufferedWindowAndFadesTheLightIn) {
    ASSERT_TRUE(Open(false));
    GLint depthBits = 0;
    glGetIntegerv(GL_DEPTH_BITS, &depthBits);
    EXPECT_GE(depthBits, 16);

    std::vector<long> brightness;
    for (int frame = 0; frame < 50; ++frame) {
        StepFrame();
        DrawFrame();
        brightness.push_back(FrameBrightness());
        SwapWindowBuffers(gameDeviceContext);
    }
    EXPECT_EQ(glGetError(), GLenum(GL_NO_ERROR));
    EXPECT_LT(brightness[0], brightness[20]);
    EXPECT_LT(brightness[20], brightness[45]);
    EXPECT_EQ(fadingIn, 0);
}

// Where the display cannot change mode the fallback question is answered: yes keeps a window,
// no ends the opening leaving only the class behind.
TEST_F(RealWindowTest, FullscreenOpensOrFallsBackAsTheDisplayAllows) {
    ASSERT_TRUE(Open(true));
    const bool fullscreenAllowed = fullscreen != 0;
    StepFrame();
    DrawFrame();
    SwapWindowBuffers(gameDeviceContext);
    CloseGameWindow();

    setenv("KESTRANE_MESSAGE_BOX_ANSWER", "no", 1);
    ResetAppState();
    EXPECT_EQ(Open(true), fullscreenAllowed);
    if (!fullscreenAllowed) {
        EXPECT_EQ(gameRenderContext, nullptr);
        EXPECT_TRUE(UnregisterWindowClass());
    }
}

// Posts a message from a second thread, as the window system would, retrying until the game
// has the window system up.
static void Post(unsigned message, std::uint32_t wParam) {
    WindowMessage m;
    m.message = message;
    m.wParam = wParam;
    for (int tries = 0; tries < 500 && !PostWindowMessage(m); ++tries) {
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(300));
}

TEST_F(RealWindowTest, GameTogglesTheWindowTwiceAndEndsOnEscapeWithStatusZero) {
    std::thread player([] {
        std::this_thread::sleep_for(std::chrono::milliseconds(300));
        Post(KeyDownMessage, F1Key);
        Post(KeyUpMessage, F1Key);
        Post(CharMessage, 'p');
        Post(KeyDownMessage, EscapeKey);
    });
    const int status = RunGame();
    player.join();
    EXPECT_EQ(status, 0);
    EXPECT_LT(lightDiffuse[0], 0.0f);
    EXPECT_EQ(fullscreen, 0);
    EXPECT_EQ(gameWindow, nullptr);
}

// Typing and holding keys through the X server, as a player does, into the game's real loop.
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
        gameTable.View() = BoardView();
        ASSERT_TRUE(StartGame());
        ASSERT_TRUE(PassUntil([] { return fadingIn == 0; }));
    }
    void TearDown() override {
        if (!IsSkipped()) {
            X("keyup Left");
            EndGame();
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
    // Runs the game's loop until `done` holds; false when ten seconds were not enough.
    template <typename Done>
    static bool PassUntil(Done done) {
        const std::int64_t end = MonotonicMicroseconds() + 10000000;
        while (!done()) {
            if (MonotonicMicroseconds() > end || !GamePass()) {
                return false;
            }
        }
        return true;
    }
    static bool Passes(int n) {
        return PassUntil([&n] { return n-- <= 0; });
    }
    // Types the keys, then a "v" that does nothing, and runs the loop until the "v" arrives:
    // everything typed before it has been taken.
    static bool Type(const std::string& keys) {
        lastChar = 0;
        return X("key --clearmodifiers " + keys + " v") &&
               PassUntil([] { return lastChar == 'v'; });
    }
    // The brightness of the scene as the game shows it now.
    static long Shown() {
        DrawFrame();
        return FrameBrightness();
    }
};

// A typed "k" zooms one step and the board is still in view two seconds later; "]" shows the
// wire frame and "[" brings the filled board back.
TEST_F(TypedRealWindowTest, TypedKeysTapOnceAndTheBoardStaysInView) {
    ASSERT_TRUE(FocusTheWindow());
    const long filled = Shown();
    const float z0 = gameTable.View().current.z;
    ASSERT_TRUE(Type("k"));
    ASSERT_TRUE(Passes(120));
    EXPECT_FLOAT_EQ(gameTable.View().current.z, z0 + 0.02f);
    EXPECT_GT(Shown(), filled * 9 / 10);

    ASSERT_TRUE(Type("bracketright"));
    ASSERT_TRUE(Passes(2));
    EXPECT_LT(Shown(), filled * 7 / 10);
    ASSERT_TRUE(Type("bracketleft"));
    ASSERT_TRUE(Passes(2));
    EXPECT_EQ(polygonMode, unsigned(GL_FILL));
    EXPECT_GT(Shown(), filled * 9 / 10);
}

// An arrow held down while F1 reopens the window goes on turning the view in the new one, and
// its release there stops it.
TEST_F(TypedRealWindowTest, AnArrowHeldAcrossTheWindowToggleKeepsTurning) {
    ASSERT_TRUE(FocusTheWindow());
    ASSERT_TRUE(X("keydown Left"));
    ASSERT_TRUE(PassUntil([] { return keys[LeftKey] != 0; }));

    keys[F1Key] = 1;
    ASSERT_TRUE(PassUntil([] { return keys[F1Key] == 0; }));
    ASSERT_TRUE(FocusTheWindow());
    ASSERT_TRUE(Type(""));
    const float turn = gameTable.View().current.rotY;
    ASSERT_TRUE(Passes(10));
    EXPECT_EQ(keys[LeftKey], 1);
    EXPECT_LT(gameTable.View().current.rotY, turn - 5.0f);

    ASSERT_TRUE(X("keyup Left"));
    ASSERT_TRUE(Type(""));
    ASSERT_TRUE(Passes(2));
    EXPECT_EQ(keys[LeftKey], 0);
}
