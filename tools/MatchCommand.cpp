#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "tools/Commands.h"
#include "tools/Match.h"

static const char* const kMatchUsage =
    "usage: kestrane-ai match --a PLAYER --b PLAYER --games N --seed S [--pubeval FILE]\n"
    "players: net[:DIR], pubeval, heuristic, random\n";

int MatchCommand(int argc, char** argv) {
    std::string a, b, pubevalPath;
    long games = 0;
    unsigned long long seed = 0;  // unsigned long has 32 bits on Windows: 2^32 would pass as 2^32-1
    bool seedGiven = false;
    for (int i = 0; i < argc; ++i) {
        std::string key = argv[i];
        if (i + 1 >= argc) {
            std::fprintf(stderr, "match: %s needs a value\n%s", key.c_str(), kMatchUsage);
            return 2;
        }
        std::string value = argv[++i];
        char* end = nullptr;
        if (key == "--a") {
            a = value;
        } else if (key == "--b") {
            b = value;
        } else if (key == "--pubeval") {
            pubevalPath = value;
        } else if (key == "--games") {
            games = std::strtol(value.c_str(), &end, 10);
            if (*end != '\0' || games < 1 || games > 100000000) {
                std::fprintf(stderr, "match: bad game count %s\n", value.c_str());
                return 2;
            }
        } else if (key == "--seed") {
            seed = std::strtoull(value.c_str(), &end, 10);
            if (*end != '\0' || value.empty() || value[0] == '-' || seed > 4294967295ull) {
                std::fprintf(stderr, "match: bad seed %s\n", value.c_str());
                return 2;
            }
            seedGiven = true;
        } else {
            std::fprintf(stderr, "match: unknown option %s\n%s", key.c_str(), kMatchUsage);
            return 2;
        }
    }
    if (a.empty() || b.empty() || games == 0 || !seedGiven) {
        std::fprintf(stderr, "%s", kMatchUsage);
        return 2;
    }
    Pubeval pubeval;
    std::string error;
    if (!LoadPubeval(pubeval, pubevalPath, error)) {
        std::fprintf(stderr, "match: %s\n", error.c_str());
        return 1;
    }
    MatchResult r =
        PlayMatch(a, b, static_cast<int>(games), static_cast<uint32_t>(seed), pubeval, true);
    if (!r.error.empty()) {
        std::fprintf(stderr, "match: %s\n", r.error.c_str());
        return 1;
    }
    int n = r.winsA + r.winsB;
    double p = static_cast<double>(r.winsA) / n;
    double half = 1.96 * std::sqrt(p * (1.0 - p) / n);
    std::printf("games %d (each side first in half of them), seed %llu\n", n, seed);
    std::printf("A %s: %d wins\n", a.c_str(), r.winsA);
    std::printf("B %s: %d wins\n", b.c_str(), r.winsB);
    std::printf("A win rate %.2f%% (95%% CI %.2f%% to %.2f%%)\n", 100.0 * p, 100.0 * (p - half),
                100.0 * (p + half));
    std::printf("%.1f games/s (%.1f s)\n", n / r.seconds, r.seconds);
    return 0;
}
