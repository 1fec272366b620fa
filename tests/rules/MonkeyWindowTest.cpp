// The whole game behind the scripted window system: random messages of every kind the window
// procedure handles go through the real main loop, frame after frame.
#include <gtest/gtest.h>

#include <cstdlib>
#include <random>

#include "ai/Chance.h"
#include "app/AppState.h"
#include "app/MainLoop.h"
#include "platform/FakePlatform.h"
#include "tests/rules/TablePlayer.h"

static std::time_t FixedClock() {
    return 1700000000;
}

// Keys that do something, by virtual-key code; Escape is left out, it would end the run.
static const unsigned monkeyKeys[] = {'B',      'W',    'X',         'A',     'D',
                                      'Z',      'Q',    UpKey,       DownKey, LeftKey,
                                      RightKey, AddKey, SubtractKey, F1Key,   LeftWindowsKey,
                                      MenuKey,  '0',    '5'};
// Typed characters: digits pick colour schemes, "[" and "]" the polygon mode, "p" the window mode.
static const char monkeyChars[] = "0123456789[]pbkmx";

TEST(MonkeyThroughTheWindow, RandomMessagesNeverBreakTheGame) {
    setenv("KESTRANE_NO_PACING", "1", 1);
    SetClockSource(FixedClock);
    ResetFakePlatform();
    ResetAppState();
    std::mt19937 monkey(2026);
    const int frames = 60000;
    const int turnsAtStart = gameTable.turnsStarted;
    int invalidFrames = 0;
    int legalClicks = 0;

    Fake().swapLimit = frames;
    Fake().onSwap = [&](int swap) {
        if (!gameTable.IsValid()) {
            invalidFrames++;
        }
        if (swap >= frames) {
            return;
        }
        const unsigned action = monkey() % 100;
        const int x = static_cast<int>(monkey() % 900);
        const int y = static_cast<int>(monkey() % 700);
        if (action < 30) {
            Script(swap, MouseMoveMessage, 0, PackClientPoint(x, y));
        } else if (action < 32) {
            Script(swap, MouseMoveMessage, 0, monkey());
        } else if (action < 40) {
            Script(swap, LeftButtonDownMessage, 0, PackClientPoint(x, y));
        } else if (action < 44) {
            Script(swap, RightButtonDownMessage, 0, PackClientPoint(x, y));
        } else if (action < 46) {
            const unsigned key = monkeyKeys[monkey() % (sizeof(monkeyKeys) / sizeof(unsigned))];
            Script(swap, KeyDownMessage, key);
            Script(swap + static_cast<int>(monkey() % 5), KeyUpMessage, key);
        } else if (action < 48) {
            Script(swap, CharMessage,
                   static_cast<unsigned char>(monkeyChars[monkey() % (sizeof(monkeyChars) - 1)]));
        } else if (action < 49) {
            // A window shrunk to its caption, an odd size, and back to normal.
            const int sizes[] = {0, 1, 3, 641, 800};
            Script(swap, SizeMessage, 0, PackClientPoint(sizes[monkey() % 5], sizes[monkey() % 5]));
            Script(swap + 20, SizeMessage, 0, PackClientPoint(800, 600));
        } else if (action < 50) {
            // Minimised for a while, then restored.
            Script(swap, ActivateMessage, 1u << 16);
            Script(swap + 10, ActivateMessage, 0);
        } else if (action < 53 && gameTable.currentSide == HumanSide && gameTable.inputEnabled &&
                   !gameTable.hand.moving && gameTable.movesLeft > 0 &&
                   gameTable.clientWidth == 800 && gameTable.clientHeight == 600) {
            // Now and then a legal move, clicked where the point lies, so that games go on.
            TablePlayer aim(gameTable, 800, 600);
            const int die = gameTable.dice[gameTable.selectedDie].value;
            for (int s = HumanBar; s >= 1; s--) {
                if (gameTable.points[s].Owner() == HumanSide &&
                    gameTable.HumanMoveTarget(s, die).allowed) {
                    float px, py;
                    aim.PixelForPoint(s, px, py);
                    const std::uint32_t at =
                        PackClientPoint(static_cast<int>(px), static_cast<int>(py));
                    Script(swap, MouseMoveMessage, 0, at);
                    Script(swap, LeftButtonDownMessage, 0, at);
                    legalClicks++;
                    break;
                }
            }
        }
    };

    EXPECT_EQ(RunGame(), 0);
    EXPECT_EQ(invalidFrames, 0);
    EXPECT_GE(Fake().swaps, frames);
    EXPECT_GT(legalClicks, 50);
    EXPECT_GT(gameTable.turnsStarted - turnsAtStart, 50);
    std::printf("monkey: %d frames, %d turns, %d games finished, %d legal clicks\n", Fake().swaps,
                gameTable.turnsStarted - turnsAtStart, gameTable.gamesFinished, legalClicks);
    Fake().onSwap = nullptr;
    SetClockSource(nullptr);
}
