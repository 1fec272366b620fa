#include "tests/ai/AiTestSupport.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>

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
        const int count = static_cast<int>(points[p].count);
        b[p] = points[p].owner == 2 ? -count : count;
    }
    return b;
}

PositionKey KeyOf(const PointEntry points[26]) {
    PositionKey key{};
    for (unsigned p = 0; p < 26; ++p) {
        key[2 * p] = points[p].owner;
        key[2 * p + 1] = points[p].count;
    }
    return key;
}

BoardState RandomBoard(std::mt19937& rng) {
    auto uniform = [&rng](unsigned lo, unsigned hi) {
        return std::uniform_int_distribution<unsigned>(lo, hi)(rng);
    };
    Signed b{};
    const unsigned kind = uniform(0, 3);
    // Player 1 first, then player 2 on the points player 1 left free.
    const unsigned ones = kind == 0 ? 15 : uniform(1, 15);
    const unsigned twos = kind == 0 ? 15 : uniform(1, 15);
    for (unsigned c = 0; c < ones; ++c) {
        if (kind == 1 || kind == 2) {
            b[uniform(kind == 1 ? 13 : 19, 24)] += 1;
        } else if (kind == 3 && c < uniform(0, 4)) {
            b[0] += 1;
        } else {
            b[uniform(uniform(0, 20) == 0 ? 0 : 1, 24)] += 1;
        }
    }
    for (unsigned c = 0; c < twos; ++c) {
        for (unsigned attempt = 0; attempt < 50; ++attempt) {
            const unsigned p = kind == 3   ? uniform(1, 7)
                               : kind != 0 ? uniform(1, 12)
                                           : uniform(1, uniform(0, 20) == 0 ? 25 : 24);
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

void WriteWeights(const std::string& path, unsigned count, unsigned seed) {
    std::FILE* f = std::fopen(path.c_str(), "w");
    ASSERT_NE(f, nullptr) << path;
    for (unsigned n = 0; n < count; ++n) {
        std::fprintf(f, "%.9g%c", static_cast<double>(FileWeight(seed, n)), " \t\n"[n % 3]);
    }
    std::fclose(f);
}

std::string WeightFolder(const std::string& name, unsigned contactSeed, unsigned raceSeed) {
    const std::string dir = ::testing::TempDir() + name;
    mkdir(dir.c_str(), 0700);
    WriteWeights(dir + "/net-160 (0).dat", 4020, contactSeed);
    WriteWeights(dir + "/net-160 (1).dat", 4020, raceSeed);
    return dir;
}
