#include "soak/Monkey.h"

#include <cstdint>
#include <cstdlib>
#include <ctime>
#include <iterator>
#include <random>

#include "ai/Chance.h"
#include "app/App.h"
#include "platform/FakePlatform.h"
#include "platform/Portable.h"

// Keys that do something. Typed digits pick colour schemes, "[" and "]" the polygon mode, "p" the
// window mode.
static const Key monkeyKeys[] = {
    Key{'B'},         Key{'W'}, Key{'X'},       Key{'A'},  Key{'D'},   Key{'Z'},
    Key{'Q'},         Key::Up,  Key::Down,      Key::Left, Key::Right, Key::KeypadPlus,
    Key::KeypadMinus, Key::F1,  Key::LeftSuper, Key::Menu, Key{'0'},   Key{'5'}};
static const char monkeyChars[] = "0123456789[]pbkmx'%&(";

MonkeyResult RunMonkey(long frames, unsigned seed,
                       const std::function<void(const MonkeyResult&)>& everyTenth) {
    portable::SetEnvironment("KESTRANE_NO_PACING", "1");
    SetClockSource([] { return std::time_t{1700000000}; });
    ResetFakePlatform();
    App app;
    GameTable& table = app.table;
    std::mt19937 monkey(seed);
    MonkeyResult result;
    const int turnsAtStart = table.Rules().TurnsStarted();
    const int gamesAtStart = table.Director().GamesFinished();
    const long tenth = frames >= 10 ? frames / 10 : 1;

    Fake().swapLimit = static_cast<int>(frames);
    Fake().onSwap = [&](int swap) {
        // 1. The frame just drawn, checked; the fake's own records do not pile up.
        result.frames = swap;
        result.invalidFrames += table.IsValid() ? 0 : 1;
        result.turns = table.Rules().TurnsStarted() - turnsAtStart;
        result.games = table.Director().GamesFinished() - gamesAtStart;
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
        // 2. The next events: mostly on the window and around it, now and then anywhere.
        const unsigned action = monkey() % 100;
        int x = static_cast<int>(monkey() % 1000) - 50;
        int y = static_cast<int>(monkey() % 800) - 50;
        if (action < 30) {
            if (action >= 28) {
                const std::uint32_t anywhere = monkey();
                x = static_cast<std::int16_t>(anywhere & 0xFFFFu);
                y = static_cast<std::int16_t>(anywhere >> 16);
            }
            Script(swap, PointerEvent(EventType::PointerMoved, x, y));
        } else if (action < 44) {
            Script(swap, PointerEvent(EventType::ButtonPressed, x, y,
                                      action < 40 ? Button::Left : Button::Right));
        } else if (action < 46) {
            const Key key = monkeyKeys[monkey() % std::size(monkeyKeys)];
            Script(swap, KeyEvent(EventType::KeyPressed, key));
            Script(swap + static_cast<int>(monkey() % 5), KeyEvent(EventType::KeyReleased, key));
        } else if (action < 48) {
            Script(swap, Typed(static_cast<unsigned char>(
                             monkeyChars[monkey() % (sizeof(monkeyChars) - 1)])));
        } else if (action < 49) {
            // Shrunk to its caption or an odd size, then back.
            const int sizes[] = {0, 1, 3, 641, 800};
            const int width = sizes[monkey() % 5];
            Script(swap, PointerEvent(EventType::Resized, width, sizes[monkey() % 5]));
            Script(swap + 20, PointerEvent(EventType::Resized, 800, 600));
        } else if (action < 50) {
            Script(swap, WindowEvent(EventType::Minimised));  // minimised for a while
            Script(swap + 10, WindowEvent(EventType::Restored));
        }
    };

    app.Run();
    Fake().onSwap = nullptr;
    SetClockSource(nullptr);
    portable::UnsetEnvironment("KESTRANE_NO_PACING");
    return result;
}
