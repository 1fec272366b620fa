// A move played on the real game window under a virtual display: the real mouse pointer is moved
// over a human point and clicked through the window system (xdotool), the hand carries the
// checker, the computer answers, and both the board and a pixel read back from the frame show
// the move.
#include <gtest/gtest.h>

#include <GL/gl.h>
#include <GL/glu.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "app/AppState.h"
#include "app/GameWindow.h"
#include "app/MainLoop.h"
#include "tests/rules/TablePlayer.h"

static std::string Shell(const std::string& command) {
    std::string output;
    FILE* pipe = popen(command.c_str(), "r");
    if (pipe == nullptr) {
        return output;
    }
    char buffer[256];
    while (std::fgets(buffer, sizeof(buffer), pipe) != nullptr) {
        output += buffer;
    }
    pclose(pipe);
    return output;
}

class RealWindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        if (std::getenv("DISPLAY") == nullptr) {
            GTEST_SKIP() << "no X display";
        }
        if (std::system("command -v xdotool >/dev/null 2>&1") != 0) {
            GTEST_SKIP() << "xdotool is not installed";
        }
        ASSERT_TRUE(OpenGameWindow("Kestrane Alpha ver", 800, 600, 16, false));
        opened = true;
        for (int i = 0; i < 60; i++) {
            Pass();
        }
        ASSERT_FALSE(fadingIn);
        // This process's own window: another game left on the display has the same title.
        window = Shell("xdotool search --onlyvisible --pid " + std::to_string(getpid()) +
                       " --name '^Kestrane Alpha ver$' | head -n 1");
        while (!window.empty() && (window.back() == '\n' || window.back() == ' ')) {
            window.pop_back();
        }
        ASSERT_FALSE(window.empty()) << "the game window is not on the display";
    }

    void TearDown() override {
        if (opened) {
            CloseGameWindow();
        }
    }

    // One pass of the main loop: every waiting message, then a frame, as the loop would.
    void Pass() {
        WindowMessage message;
        while (PeekWindowMessage(message)) {
            GameWindowProc(gameWindow, message.message, message.wParam, message.lParam);
        }
        RenderFrame();
        if (readAt != nullptr) {
            ReadPixel(*readAt);
        }
        SwapWindowBuffers(gameDeviceContext);
        ApplyKeyActions();
    }

    // The brightness of the frame just drawn at a board position, read before the swap.
    void ReadPixel(const Pose& at) {
        double modelview[16], projection[16];
        int viewport[4];
        glMatrixMode(GL_MODELVIEW);
        glPushMatrix();
        glLoadIdentity();
        const Pose& view = gameTable.boardView.current;
        glTranslatef(view.x, view.y, view.z);
        glRotatef(view.rotX, 1.0f, 0.0f, 0.0f);
        glRotatef(view.rotY, 0.0f, 1.0f, 0.0f);
        glScalef(1.1f, 1.0f, 1.0f);
        glGetDoublev(GL_MODELVIEW_MATRIX, modelview);
        glPopMatrix();
        glGetDoublev(GL_PROJECTION_MATRIX, projection);
        glGetIntegerv(GL_VIEWPORT, viewport);
        double wx = 0, wy = 0, wz = 0;
        gluProject(at.x, at.y, at.z, modelview, projection, viewport, &wx, &wy, &wz);
        unsigned char rgb[3] = {0, 0, 0};
        glReadBuffer(GL_BACK);
        glPixelStorei(GL_PACK_ALIGNMENT, 1);
        glReadPixels(static_cast<int>(wx), static_cast<int>(wy), 1, 1, GL_RGB, GL_UNSIGNED_BYTE,
                     rgb);
        brightness = (rgb[0] + rgb[1] + rgb[2]) / (3.0f * 255.0f);
    }

    void PointerTo(float px, float py) {
        Shell("xdotool mousemove --sync --window " + window + " " +
              std::to_string(static_cast<int>(px)) + " " + std::to_string(static_cast<int>(py)));
    }

    bool opened = false;
    std::string window;
    const Pose* readAt = nullptr;
    float brightness = 0.0f;
};

TEST_F(RealWindowTest, AClickOnAHumanPointMovesItsCheckerAndTheComputerAnswers) {
    // A known roll: a 4 takes a checker from 13 to the empty, dark point 9; the turn has one
    // move, so the computer answers right after it.
    gameTable.dice[0].SetValue(4);
    gameTable.dice[1].SetValue(2);
    gameTable.doubles = 0;
    gameTable.selectedDie = 0;
    gameTable.movesLeft = 1;
    Pose onNine = SlotPosition(9, 0);
    onNine.y += 0.01f;  // the top of a checker standing there
    readAt = &onNine;
    Pass();
    const float emptyPoint = brightness;

    TablePlayer aim(gameTable, gameTable.clientWidth, gameTable.clientHeight);
    float px = 0, py = 0;
    aim.PixelForPoint(13, px, py);
    PointerTo(px, py);
    Checker* mover = gameTable.points[13].Top();
    // A real button press at the pointer, as a person would make it.
    Shell("xdotool click 1");
    // Out of the way, so the hand comes back far from point 9.
    PointerTo(780, 20);

    bool carried = false;
    int passes = 0;
    while (gameTable.points[9].count == 0 && passes++ < 2000) {
        Pass();
        carried = carried || (gameTable.hand.attached == 1 && gameTable.hand.carried == mover);
    }
    ASSERT_EQ(gameTable.points[9].Top(), mover) << "the click did not move the checker on 13";
    EXPECT_TRUE(carried);
    EXPECT_EQ(gameTable.points[13].count, 4u);
    // The hand is on its way back: the checker on 9 is drawn.
    for (int i = 0; i < 5; i++) {
        Pass();
    }
    std::printf("point 9 brightness: %.2f empty, %.2f with the human's checker\n", emptyPoint,
                brightness);
    EXPECT_LT(emptyPoint, 0.35f);
    EXPECT_GT(brightness, 0.5f) << "point 9 before the move: " << emptyPoint;
    readAt = nullptr;

    // The computer's turn, played by its hand, and then the human's roll.
    BoardState before;
    gameTable.FillSnapshot(before);
    passes = 0;
    while (
        !(gameTable.currentSide == HumanSide && gameTable.inputEnabled && !gameTable.hand.moving) &&
        passes++ < 3000) {
        Pass();
        if (gameTable.currentSide == ComputerSide && passes == 1) {
            gameTable.FillSnapshot(before);
        }
    }
    ASSERT_EQ(gameTable.currentSide, HumanSide);
    BoardState after;
    gameTable.FillSnapshot(after);
    int changed = 0;
    for (int p = 0; p < 26; p++) {
        const bool computerBefore = before.points[p].owner == 1;
        const bool computerAfter = after.points[p].owner == 1;
        if ((computerBefore || computerAfter) &&
            (computerBefore != computerAfter || before.points[p].count != after.points[p].count)) {
            changed++;
        }
    }
    EXPECT_GE(changed, 1) << "the computer did not move";
    EXPECT_TRUE(gameTable.IsValid());
}
