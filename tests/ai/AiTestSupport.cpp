#include "tests/ai/AiTestSupport.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

BoardState BoardFromSigned(const Signed& b) {
    BoardState board;
    for (unsigned p = 0; p < 26; ++p) {
        board.points[p].owner = b[p] > 0 ? 1 : (b[p] < 0 ? 2 : 0);
        board.points[p].count = static_cast<unsigned>(std::abs(b[p]));
    }
    board.Save();
    return board;
}

Signed SignedOf(const PointEntry points[26]) {
    Signed b{};
    for (unsigned p = 0; p < 26; ++p) {
        const PointEntry& e = points[p];
        const int count = static_cast<int>(e.count);
        const bool fits = e.owner <= 2 && (e.owner == 0) == (e.count == 0);
        b[p] = !fits ? 100 + static_cast<int>(e.owner) : (e.owner == 2 ? -count : count);
    }
    return b;
}

std::string MovesText(const MoveList& moves) {
    std::string text;
    for (unsigned m = 0; m < moves.count; ++m) {
        text += (m > 0 ? " " : "") + std::to_string(moves.indices[m]) + "/" +
                std::to_string(moves.dice[m]);
    }
    return text;
}

std::string PlayText(const Play& play) {
    std::string text;
    for (unsigned m = 0; m < play.count; ++m) {
        const Move& move = play.moves[m];
        text += (m > 0 ? " " : "") + std::to_string(move.from) + "/" + std::to_string(move.to) +
                (move.hits ? "*" : "");
    }
    return text;
}

BoardState RandomBoard(std::mt19937& rng) {
    auto uniform = [&rng](unsigned lo, unsigned hi) {
        return std::uniform_int_distribution<unsigned>(lo, hi)(rng);
    };
    // Kinds: 0 spread, with a rare checker on a bar; 1 race; 2 bear-off; 3 player 1 on the bar.
    const unsigned kind = uniform(0, 3);
    const unsigned ones = kind == 0 ? 15 : uniform(1, 15);
    const unsigned twos = kind == 0 ? 15 : uniform(1, 15);
    const unsigned low[4] = {1, 13, 19, 1};
    const unsigned high[4] = {24, 12, 12, 7};
    Signed b{};
    for (unsigned c = 0; c < ones; ++c) {
        const bool bar = kind == 0 ? uniform(0, 20) == 0 : (kind == 3 && c < uniform(0, 4));
        b[bar ? 0 : uniform(low[kind], 24)] += 1;
    }
    // Player 2 on the points player 1 left free.
    for (unsigned c = 0; c < twos; ++c) {
        for (unsigned attempt = 0; attempt < 50; ++attempt) {
            const unsigned p = kind == 0 && uniform(0, 20) == 0 ? 25 : uniform(1, high[kind]);
            if (b[p] <= 0) {
                b[p] -= 1;
                break;
            }
        }
    }
    return BoardFromSigned(b);
}

float FileWeight(unsigned seed, unsigned n) {
    return seed == 0 ? 0.0f : static_cast<float>(1.5 * std::sin(seed * 7919.0 + n * 1.37));
}

void WriteWeights(const std::string& path, unsigned count, unsigned seed, const char* tail) {
    std::FILE* f = std::fopen(path.c_str(), "w");
    ASSERT_NE(f, nullptr) << path;
    for (unsigned n = 0; n < count; ++n) {
        std::fprintf(f, "%.9g%c", static_cast<double>(FileWeight(seed, n)), " \t\n"[n % 3]);
    }
    std::fputs(tail, f);
    std::fclose(f);
}

std::string WeightFolder(const std::string& name, unsigned contactSeed, unsigned raceSeed) {
    const std::string dir = ::testing::TempDir() + name;
    std::filesystem::create_directories(dir);
    WriteWeights(dir + "/net-160 (0).dat", 4020, contactSeed);
    WriteWeights(dir + "/net-160 (1).dat", 4020, raceSeed);
    return dir;
}

std::string Scratch(const std::string& name) {
    const std::string dir = ::testing::TempDir() + "kestrane-" + name;
    std::filesystem::remove_all(dir);
    EXPECT_TRUE(std::filesystem::create_directories(dir)) << dir;
    return dir;
}

std::string ReadAll(const std::string& path) {
    std::ifstream in(path);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}
