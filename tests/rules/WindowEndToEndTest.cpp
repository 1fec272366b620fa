// A move played on the real game window under a virtual display: the real pointer is moved over
// a human point and clicked through the window system (xdotool), and the hand carries the
// checker.
#include <gtest/gtest.h>

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

// One pass of the main loop: every waiting message, then a frame.
static void Pass() {
    WindowMessage message;
    while (PeekWindowMessage(message)) {
        GameWindowProc(gameWindow, message.message, message.wParam, message.lParam);
    }
    RenderFrame();
    SwapWindowBuffers(gameDeviceContext);
    ApplyKeyActions();
}

// Passes until `done` holds; false after `limit` passes.
template <typename Done>
static bool PassUntil(Done done, int limit) {
    for (int i = 0; i < limit && !done(); i++) {
        Pass();
    }
    return done();
}

TEST(RealWindow, AClickOnAHumanPointMovesItsChecker) {
    if (std::getenv("DISPLAY") == nullptr ||
        std::system("command -v xdotool >/dev/null 2>&1") != 0) {
        GTEST_SKIP() << "needs an X display and xdotool";
    }
    ASSERT_TRUE(OpenGameWindow("Kestrane Alpha ver", 800, 600, 16, false));
    PassUntil([] { return !fadingIn; }, 60);
    // This process's own window: another game left on the display has the same title.
    std::string window = Shell("xdotool search --onlyvisible --pid " + std::to_string(getpid()) +
                               " --name '^Kestrane Alpha ver$' | head -n 1");
    while (!window.empty() && (window.back() == '\n' || window.back() == ' ')) {
        window.pop_back();
    }
    ASSERT_FALSE(window.empty()) << "the game window is not on the display";

    // A known roll: a 4 takes a checker from 13 to the empty point 9.
    SetRoll(gameTable, 4, 2);
    TablePlayer aim(gameTable, gameTable.clientWidth, gameTable.clientHeight);
    float px = 0, py = 0;
    aim.PixelForPoint(13, px, py);
    Shell("xdotool mousemove --sync --window " + window + " " +
          std::to_string(static_cast<int>(px)) + " " + std::to_string(static_cast<int>(py)));
    Checker* mover = gameTable.points[13].Top();
    Shell("xdotool click 1");

    PassUntil([] { return gameTable.points[9].count > 0; }, 2000);
    ASSERT_EQ(gameTable.points[9].Top(), mover) << "the click did not move the checker on 13";
    EXPECT_EQ(gameTable.points[13].count, 4u);
    EXPECT_TRUE(gameTable.IsValid());
    CloseGameWindow();
}
