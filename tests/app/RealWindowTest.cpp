#include <GL/gl.h>
#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <numeric>
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
