// A move played on the real game window under a virtual display: the real pointer is moved over
// a human point and clicked through the window system (xdotool), the hand carries the checker,
// the computer answers, and both the board and a pixel read back from the frame show the move.
#include <gtest/gtest.h>

#include <GL/gl.h>
#include <GL/glu.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "app/App.h"
#include "tests/table/TableSetup.h"

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

// The one game of this test.
static App app;
static GameTable& gameTable = app.table;

// The brightness, in the frame just drawn, of a board position: projected with the view the
// table applies (including its stretch along x) and read before the swap.
static float Brightness(const Pose& at) {
    double modelview[16], projection[16];
    int viewport[4];
    glMatrixMode(GL_MODELVIEW);
    glPushMatrix();
    glLoadIdentity();
    gameTable.View().ApplyView();
    glGetDoublev(GL_MODELVIEW_MATRIX, modelview);
    glPopMatrix();
    glGetDoublev(GL_PROJECTION_MATRIX, projection);
    glGetIntegerv(GL_VIEWPORT, viewport);
    double wx = 0, wy = 0, wz = 0;
    gluProject(at.x, at.y, at.z, modelview, projection, viewport, &wx, &wy, &wz);
    unsigned char rgb[3] = {0, 0, 0};
    glReadBuffer(GL_BACK);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(static_cast<int>(wx), static_cast<int>(wy), 1, 1, GL_RGB, GL_UNSIGNED_BYTE, rgb);
    return (rgb[0] + rgb[1] + rgb[2]) / (3.0f * 255.0f);
}

// Where the top of a checker standing first on point 9 is drawn, and how bright it last was.
static Pose onNine;
static float nineBrightness = 0.0f;

// One pass of the main loop: every waiting event, the keys, then a frame.
static void Pass() {
    Event event;
    while (platform::PollEvent(event)) {
        app.Handle(event);
    }
    app.ApplyKeyActions();
    app.StepFrame();
    app.DrawFrame();
    nineBrightness = Brightness(onNine);
    platform::SwapWindow();
}

// Passes until `done` holds; false after `limit` passes.
template <typename Done>
static bool PassUntil(Done done, int limit) {
    for (int i = 0; i < limit && !done(); i++) {
        Pass();
    }
    return done();
}

TEST(RealWindow, AClickOnAHumanPointMovesItsCheckerAndTheComputerAnswers) {
    if (std::getenv("DISPLAY") == nullptr ||
        std::system("command -v xdotool >/dev/null 2>&1") != 0) {
        GTEST_SKIP() << "needs an X display and xdotool";
    }
    ASSERT_TRUE(app.OpenWindow(false));
    PassUntil([] { return !app.light.fadingIn; }, 60);
    // This process's own window: another game left on the display has the same title.
    std::string window = Shell("xdotool search --onlyvisible --pid " + std::to_string(getpid()) +
                               " --name '^Kestrane Alpha ver$' | head -n 1");
    while (!window.empty() && (window.back() == '\n' || window.back() == ' ')) {
        window.pop_back();
    }
    ASSERT_FALSE(window.empty()) << "the game window is not on the display";

    // A known roll: a 4 takes a checker from 13 to the empty, dark point 9. With one move left
    // the computer answers right after it.
    SetRoll(gameTable, 4, 2);
    gameTable.Director().SetTurn(1, gameTable.Director().InputEnabled());
    onNine = SlotPosition(9, 0);
    onNine.y += 0.01f;
    Pass();
    const float emptyNine = nineBrightness;
    TablePlayer aim(gameTable, gameTable.ClientWidth(), gameTable.ClientHeight());
    float px = 0, py = 0;
    aim.PixelForPoint(13, px, py);
    Shell("xdotool mousemove --sync --window " + window + " " +
          std::to_string(static_cast<int>(px)) + " " + std::to_string(static_cast<int>(py)));
    const int mover = gameTable.Rules().PointAt(13).Top();
    Shell("xdotool click 1");
    // Out of the way, so the returning hand does not cover point 9.
    Shell("xdotool mousemove --sync --window " + window + " 780 20");

    PassUntil([] { return gameTable.Rules().PointAt(9).count > 0; }, 2000);
    ASSERT_EQ(gameTable.Rules().PointAt(9).Top(), mover)
        << "the click did not move the checker on 13";
    EXPECT_EQ(gameTable.Rules().PointAt(13).count, 4u);
    BoardState before;
    gameTable.Rules().FillSnapshot(before);
    PassUntil([] { return false; }, 5);
    EXPECT_LT(emptyNine, 0.35f);
    EXPECT_GT(nineBrightness, 0.5f) << "the white checker does not show on point 9";

    // The computer's turn, played by its hand, then the human's roll.
    PassUntil(
        [] {
            const GameRules& rules = gameTable.Rules();
            const TurnDirector& director = gameTable.Director();
            return rules.CurrentSide() == Side::Human && director.InputEnabled() &&
                   !director.MoveUnderway();
        },
        3000);
    ASSERT_EQ(gameTable.Rules().CurrentSide(), Side::Human);
    BoardState after;
    gameTable.Rules().FillSnapshot(after);
    int computerPointsChanged = 0;
    for (int p = 0; p < 26; p++) {
        const bool computer = before.points[p].owner == 1 || after.points[p].owner == 1;
        if (computer && (before.points[p].owner != after.points[p].owner ||
                         before.points[p].count != after.points[p].count)) {
            computerPointsChanged++;
        }
    }
    EXPECT_GE(computerPointsChanged, 1) << "the computer did not move";
    EXPECT_TRUE(gameTable.IsValid());
    app.CloseWindow();
}
