// kestrane-soak: whole games headless and a monkey through the real main loop, for as long as
// asked, with the board invariants after every frame and the resident memory along the way.
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <string>

#include "soak/Monkey.h"
#include "soak/Simulation.h"

static const char* const usage =
    "usage: kestrane-soak --games N --frames M [--seed S] [--weights DIR] [--loose-rules]\n"
    "Plays N seeded whole games without a window, then runs M frames of random input through\n"
    "the game's main loop, and prints what it saw and the resident memory as it goes. The games\n"
    "are played by the full rules of backgammon, every turn checked to end on a legal play, or\n"
    "with --loose-rules by the game's first, looser rules.\n";

// The resident set of this process, in KiB.
static long ResidentKiB() {
    std::ifstream statm("/proc/self/statm");
    long size = 0;
    long resident = 0;
    if (!(statm >> size >> resident)) {
        return -1;
    }
    return resident * (sysconf(_SC_PAGESIZE) / 1024);
}

static bool ReadCount(const char* text, long low, long high, long& value) {
    char* end = nullptr;
    errno = 0;
    const long long n = std::strtoll(text, &end, 10);
    if (errno != 0 || end == text || *end != '\0' || n < low || n > high) {
        return false;
    }
    value = static_cast<long>(n);
    return true;
}

int main(int argc, char** argv) {
    // 1. The options.
    long games = 0;
    long frames = 0;
    long seed = 1;
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
                                  (key == "--seed" && ReadCount(value, 0, 4294967295L, seed)) ||
                                  (key == "--weights" && (weights = value, true)));
        if (!ok) {
            std::fprintf(stderr, "kestrane-soak: bad option %s%s%s\n%s", key.c_str(),
                         value ? " " : "", value ? value : "", usage);
            return 2;
        }
    }

    int failures = 0;
    // 2. The games.
    if (games > 0) {
        const long start = ResidentKiB();
        std::printf("games: resident %ld KiB at start\n", start);
        const long tenth = games >= 10 ? games / 10 : 1;
        const SimulationResult r =
            Simulate(weights, static_cast<int>(games), static_cast<unsigned>(seed), looseRules,
                     [tenth](const SimulationResult& s) {
                         if (s.games % tenth == 0) {
                             std::printf("games: %d games, %ld frames, resident %ld KiB\n", s.games,
                                         s.frames, ResidentKiB());
                             std::fflush(stdout);
                         }
                     });
        std::printf(
            "games: %d games, %ld frames, %d turns, longest turn %d frames (limit %d), %d "
            "invariant breaks, resident %ld KiB at the end%s%s\n",
            r.games, r.frames, r.turns, r.longestTurn, TurnFrameLimit, r.invariantBreaks,
            ResidentKiB(), r.fault.empty() ? "" : "; FAULT: ", r.fault.c_str());
        failures += r.fault.empty() && r.games == games ? 0 : 1;
    }

    // 3. The monkey.
    if (frames > 0) {
        std::printf("monkey: resident %ld KiB at start\n", ResidentKiB());
        const MonkeyResult r =
            RunMonkey(frames, static_cast<unsigned>(seed), [](const MonkeyResult& m) {
                std::printf("monkey: %ld frames, %d turns, resident %ld KiB\n", m.frames, m.turns,
                            ResidentKiB());
                std::fflush(stdout);
            });
        std::printf(
            "monkey: %ld frames, %d turns, %d games finished, %d invariant breaks, resident "
            "%ld KiB at the end\n",
            r.frames, r.turns, r.games, r.invalidFrames, ResidentKiB());
        failures += r.invalidFrames == 0 && r.frames >= frames ? 0 : 1;
    }
    return failures == 0 ? 0 : 1;
}
