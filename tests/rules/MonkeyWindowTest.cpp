// The whole game behind the scripted window system: random messages of every kind the window
// procedure handles go through the real main loop, frame after frame.
#include <gtest/gtest.h>

#include <cstdlib>
#include <random>

#include "ai/Chance.h"
#include "app/AppState.h"
#include "app/MainLoop.h"
#include "platform/FakePlatform.h"

// Keys that do something; Escape is left out, it would end the run. Typed digits pick colour
// schemes, "[" and "]" the polygon mode, "p" the window mode.
static const unsigned monkeyKeys[] = {'B',      'W',    'X',         'A',     'D',
                                      'Z',      'Q',    UpKey,       DownKey, LeftKey,
                                      RightKey, AddKey, SubtractKey, F1Key,   LeftWindowsKey,
                                      MenuKey,  '0',    '5'};
static const char monkeyChars[] = "0123456789[]pbkmx";

TEST(MonkeyThroughTheWindow, RandomMessagesNeverBreakTheGame) {
    setenv("KESTRANE_NO_PACING", "1", 1);
    SetClockSource([] { return std::time_t{1700000000}; });
    ResetFakePlatform();
    ResetAppState();
    std::mt19937 monkey(2026);
    const int frames = 60000;
    const int turnsAtStart = gameTable.turnsStarted;
    int invalidFrames = 0;

    Fake().swapLimit = frames;
    Fake().onSwap = [&](int swap) {
        invalidFrames += gameTable.IsValid() ? 0 : 1;
        const unsigned action = monkey() % 100;
        const auto at =
            PackClientPoint(static_cast<int>(monkey() % 900), static_cast<int>(monkey() % 700));
        if (action < 30) {
            // Now and then a position no real window would send.
            Script(swap, MouseMoveMessage, 0, action < 28 ? at : monkey());
        } else if (action < 40) {
            Script(swap, LeftButtonDownMessage, 0, at);
        } else if (action < 44) {
            Script(swap, RightButtonDownMessage, 0, at);
        } else if (action < 46) {
            const unsigned key = monkeyKeys[monkey() % (sizeof(monkeyKeys) / sizeof(unsigned))];
            Script(swap, KeyDownMessage, key);
            Script(swap + static_cast<int>(monkey() % 5), KeyUpMessage, key);
        } else if (action < 48) {
            Script(swap, CharMessage,
                   static_cast<unsigned char>(monkeyChars[monkey() % (sizeof(monkeyChars) - 1)]));
        } else if (action < 49) {
            // Shrunk to its caption or an odd size, then back.
            const int sizes[] = {0, 1, 3, 641, 800};
            Script(swap, SizeMessage, 0, PackClientPoint(sizes[monkey() % 5], sizes[monkey() % 5]));
            Script(swap + 20, SizeMessage, 0, PackClientPoint(800, 600));
        } else if (action < 50) {
            Script(swap, ActivateMessage, 1u << 16);  // minimised for a while
            Script(swap + 10, ActivateMessage, 0);
        }
    };

    EXPECT_EQ(RunGame(), 0);
    EXPECT_EQ(invalidFrames, 0);
    EXPECT_GE(Fake().swaps, frames);
    EXPECT_GT(gameTable.turnsStarted - turnsAtStart, 50);
    std::printf("monkey: %d frames, %d turns, %d games finished\n", Fake().swaps,
                gameTable.turnsStarted - turnsAtStart, gameTable.gamesFinished);
    Fake().onSwap = nullptr;
    SetClockSource(nullptr);
}
