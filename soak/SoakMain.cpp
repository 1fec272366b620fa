// kestrane-soak: whole games headless and a monkey through the real main loop, for as long as
// asked, with the board invariants after every frame and the resident memory along the way.
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <string>

#include "ai/Chance.h"
#include "platform/Portable.h"
#include "soak/Monkey.h"
#include "soak/Simulation.h"

static const char* const usage =
    "usage: kestrane-soak --games N --frames M [--seed S] [--weights DIR] [--loose-rules]\n"
    "Plays N seeded whole games without a window, then runs M frames of random input through\n"
    "the game's main loop, and prints what it saw and the resident memory as it goes. The games\n"
    "are played by the full rules of backgammon, every turn checked to end on a legal play, or\n"
    "with --loose-rules by the game's first, looser rules.\n";

static bool ReadCount(const char* text, long long low, long long high, long long& value) {
    char* end = nullptr;
    errno = 0;
    const long long n = std::strtoll(text, &end, 10);
    if (errno != 0 || end == text || *end != '\0' || n < low || n > high) {
        return false;
    }
    value = n;
    return true;
}

int main(int argc, char** argv) {
    portable::UseBinaryOutput();
    // 1. The options.
    long long games = 0;
    long long frames = 0;
    long long seed = 1;
    std::string weights;
    bool looseRules = false;
    for (int i = 1; i < argc; ++i) {
        const std::string key = argv[i];
        if (key == "--help" || key == "-h") {
            std::fputs(usage, stdout);
            return 0;
        }
        if (key == "--loose-rules") {
            looseRules = true;
            continue;
        }
        const char* value = i + 1 < argc ? argv[++i] : nullptr;
        const bool ok = value && ((key == "--games" && ReadCount(value, 0, 100000000, games)) ||
                                  (key == "--frames" && ReadCount(value, 0, 2000000000, frames)) ||
                                  (key == "--seed" && ReadCount(value, 0, 4294967295LL, seed)) ||
                                  (key == "--weights" && (weights = value, true)));
        if (!ok) {
            std::fprintf(stderr, "kestrane-soak: bad option %s%s%s\n%s", key.c_str(),
                         value ? " " : "", value ? value : "", usage);
            return 2;
        }
    }

    int failures = 0;
    // 2. The games. The computer reseeds from the clock when it makes its agent; a fixed clock
    // leaves the seed alone to decide the games, the same on every machine and every system.
    if (games > 0) {
        SetClockSource([] { return std::time_t{1700000000}; });
        std::printf("games: resident %lld KiB at start\n", portable::ResidentKiB());
        const long long tenth = games >= 10 ? games / 10 : 1;
        const SimulationResult r =
            Simulate(weights, static_cast<int>(games), static_cast<unsigned>(seed), looseRules,
                     [tenth](const SimulationResult& s) {
                         if (s.games % tenth == 0) {
                             std::printf("games: %d games, %lld frames, resident %lld KiB\n",
                                         s.games, s.frames, portable::ResidentKiB());
                             std::fflush(stdout);
                         }
                     });
        std::printf(
            "games: %d games, %lld frames, %d turns, longest turn %d frames (limit %d), %d "
            "invariant breaks, resident %lld KiB at the end%s%s\n",
            r.games, r.frames, r.turns, r.longestTurn, TurnFrameLimit, r.invariantBreaks,
            portable::ResidentKiB(), r.fault.empty() ? "" : "; FAULT: ", r.fault.c_str());
        SetClockSource(nullptr);
        failures += r.fault.empty() && r.games == games ? 0 : 1;
    }

    // 3. The monkey.
    if (frames > 0) {
        std::printf("monkey: resident %lld KiB at start\n", portable::ResidentKiB());
        const MonkeyResult r = RunMonkey(
            static_cast<long>(frames), static_cast<unsigned>(seed), [](const MonkeyResult& m) {
                std::printf("monkey: %ld frames, %d turns, resident %lld KiB\n", m.frames, m.turns,
                            portable::ResidentKiB());
                std::fflush(stdout);
            });
        std::printf(
            "monkey: %ld frames, %d turns, %d games finished, %d invariant breaks, resident "
            "%lld KiB at the end\n",
            r.frames, r.turns, r.games, r.invalidFrames, portable::ResidentKiB());
        failures += r.invalidFrames == 0 && r.frames >= frames ? 0 : 1;
    }
    return failures == 0 ? 0 : 1;
}
