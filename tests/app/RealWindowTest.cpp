#include <GL/gl.h>
#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
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

// A white square facing the eye in the middle of the view, lit by the scene's light and drawn
// over whatever the table drew: its brightness shows the light's fade.
static float ProbeBrightness() {
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glDisable(GL_DEPTH_TEST);
    glDisable(GL_BLEND);
    glDisable(GL_CULL_FACE);
    glDisable(GL_TEXTURE_2D);
    glEnable(GL_LIGHTING);
    glPolygonMode(GL_FRONT_AND_BACK, GL_FILL);
    glColor3f(1.0f, 1.0f, 1.0f);
    glBegin(GL_QUADS);
    glNormal3f(0.0f, 0.0f, 1.0f);
    glVertex3f(-0.1f, -0.1f, -1.0f);
    glVertex3f(0.1f, -0.1f, -1.0f);
    glVertex3f(0.1f, 0.1f, -1.0f);
    glVertex3f(-0.1f, 0.1f, -1.0f);
    glEnd();
    glEnable(GL_DEPTH_TEST);
    glFinish();
    unsigned char pixel[4] = {};
    glReadBuffer(GL_BACK);
    glReadPixels(400, 300, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, pixel);
    return pixel[0] / 255.0f;
}

TEST_F(RealWindowTest, OpensADepthBufferedWindowAndFadesTheLightIn) {
    ASSERT_TRUE(Open(false));
    GLint viewport[4] = {};
    glGetIntegerv(GL_VIEWPORT, viewport);
    EXPECT_EQ(viewport[2], 800);
    EXPECT_EQ(viewport[3], 600);
    GLint depthBits = 0;
    glGetIntegerv(GL_DEPTH_BITS, &depthBits);
    EXPECT_GE(depthBits, 16);
    GLboolean doubleBuffered = GL_FALSE;
    glGetBooleanv(GL_DOUBLEBUFFER, &doubleBuffered);
    EXPECT_TRUE(doubleBuffered);
    EXPECT_TRUE(glIsEnabled(GL_LIGHTING));
    EXPECT_TRUE(glIsEnabled(GL_CULL_FACE));

    std::vector<float> brightness;
    for (int frame = 0; frame < 60; ++frame) {
        ASSERT_TRUE(RenderFrame());
        brightness.push_back(ProbeBrightness());
        SwapWindowBuffers(gameDeviceContext);
    }
    EXPECT_EQ(glGetError(), GLenum(GL_NO_ERROR));
    EXPECT_LT(brightness[0] + 0.3f, brightness[45]);
    EXPECT_LT(brightness[10], brightness[30]);
    EXPECT_EQ(fadingIn, 0);
    EXPECT_NEAR(brightness[59], brightness[46], 1.0f / 255.0f);
}

TEST_F(RealWindowTest, FullscreenOpensOrFallsBackAsTheDisplayAllows) {
    ASSERT_TRUE(Open(true));
    GLint viewport[4] = {};
    glGetIntegerv(GL_VIEWPORT, viewport);
    EXPECT_EQ(viewport[2], 800);
    EXPECT_EQ(viewport[3], 600);
    const bool fullscreenAllowed = fullscreen != 0;
    ASSERT_TRUE(RenderFrame());
    SwapWindowBuffers(gameDeviceContext);
    CloseGameWindow();

    // Declining the fallback ends the opening, leaving only the class behind.
    setenv("KESTRANE_MESSAGE_BOX_ANSWER", "no", 1);
    ResetAppState();
    EXPECT_EQ(Open(true), fullscreenAllowed);
    if (!fullscreenAllowed) {
        EXPECT_EQ(gameWindow, nullptr);
        EXPECT_EQ(gameRenderContext, nullptr);
        EXPECT_TRUE(UnregisterWindowClass());
    }
}

// Posts the messages from a second thread, as the window system would, retrying until the game
// has the window system up.
static void Post(unsigned message, std::uint32_t wParam) {
    WindowMessage m;
    m.message = message;
    m.wParam = wParam;
    for (int tries = 0; tries < 500 && !PostWindowMessage(m); ++tries) {
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
}

TEST_F(RealWindowTest, GameTogglesTheWindowTwiceAndEndsOnEscapeWithStatusZero) {
    std::thread player([] {
        std::this_thread::sleep_for(std::chrono::milliseconds(300));
        Post(KeyDownMessage, F1Key);
        Post(KeyUpMessage, F1Key);
        std::this_thread::sleep_for(std::chrono::milliseconds(300));
        Post(CharMessage, 'p');
        std::this_thread::sleep_for(std::chrono::milliseconds(300));
        Post(KeyDownMessage, EscapeKey);
    });
    int status = RunGame();
    player.join();
    EXPECT_EQ(status, 0);
    EXPECT_EQ(fadingOut, 1);
    EXPECT_EQ(done, 1);
    EXPECT_LT(lightDiffuse[0], 0.0f);
    EXPECT_EQ(fullscreen, 0);
    EXPECT_EQ(gameWindow, nullptr);
}
