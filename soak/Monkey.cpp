#include "soak/Monkey.h"

#include <cstdlib>
#include <ctime>
#include <random>

#include "ai/Chance.h"
#include "app/AppState.h"
#include "app/MainLoop.h"
#include "platform/FakePlatform.h"

// Keys that do something. Typed digits pick colour schemes, "[" and "]" the polygon mode, "p" the
// window mode.
static const unsigned monkeyKeys[] = {'B',      'W',    'X',         'A',     'D',
                                      'Z',      'Q',    UpKey,       DownKey, LeftKey,
                                      RightKey, AddKey, SubtractKey, F1Key,   LeftWindowsKey,
                                      MenuKey,  '0',    '5'};
static const char monkeyChars[] = "0123456789[]pbkmx'%&(";

MonkeyResult RunMonkey(long frames, unsigned seed,
                       const std::function<void(const MonkeyResult&)>& everyTenth) {
    setenv("KESTRANE_NO_PACING", "1", 1);
    SetClockSource([] { return std::time_t{1700000000}; });
    ResetFakePlatform();
    ResetAppState();
    std::mt19937 monkey(seed);
    MonkeyResult result;
    const int turnsAtStart = gameTable.Rules().TurnsStarted();
    const int gamesAtStart = gameTable.Rules().GamesFinished();
    const long tenth = frames >= 10 ? frames / 10 : 1;

    Fake().swapLimit = static_cast<int>(frames);
    Fake().onSwap = [&](int swap) {
        // 1. The frame just drawn, checked; the fake's own records do not pile up.
        result.frames = swap;
        result.invalidFrames += gameTable.IsValid() ? 0 : 1;
        result.turns = gameTable.Rules().TurnsStarted() - turnsAtStart;
        result.games = gameTable.Rules().GamesFinished() - gamesAtStart;
        if (swap % 1000 == 0) {
            Fake().calls.clear();
            Fake().boxes.clear();
        }
        if (everyTenth && swap % tenth == 0) {
            everyTenth(result);
        }
        if (swap >= frames) {
            return;
        }
        // 2. The next messages.
        const unsigned action = monkey() % 100;
        const auto at = PackClientPoint(static_cast<int>(monkey() % 1000) - 50,
                                        static_cast<int>(monkey() % 800) - 50);
        if (action < 30) {
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

    RunGame();
    Fake().onSwap = nullptr;
    SetClockSource(nullptr);
    unsetenv("KESTRANE_NO_PACING");
    return result;
}
