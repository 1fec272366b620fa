#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "tools/Pubeval.h"

static Pubeval LoadTable() {
    Pubeval p;
    std::string error;
    EXPECT_TRUE(p.Load(KESTRANE_PUBEVAL_TABLE, error)) << error;
    return p;
}

// A position given as signed counts (the mover's checkers positive) on the named points.
struct Points {
    PointEntry points[26] = {};
    Points& Set(int point, int count) {
        points[point].owner = count > 0 ? 1u : count < 0 ? 2u : 0u;
        points[point].count = static_cast<unsigned>(count > 0 ? count : -count);
        return *this;
    }
};

// Scores worked out by hand from the table's rows.
TEST(Pubeval, ScoresHandMadePositions) {
    Pubeval pubeval = LoadTable();
    // Two mover checkers on 20 (13 off), an opponent blot on 3 and two opponents on the bar:
    // rows 97, 10, 120 (x = 2/2) and 121 (x = 13/15).
    Points a;
    a.Set(20, 2).Set(3, -1).Set(25, -2);
    EXPECT_NEAR(pubeval.Score(a.points, false), 4.37655 - 1.10388 + 5.62596 - 2.75800 * 13 / 15,
                1e-5);
    EXPECT_NEAR(pubeval.Score(a.points, true), 3.85390 + 0.0 + 0.0 + 3.42040 * 13 / 15, 1e-5);
    // Five on 1 (rows 2 and 4 with x = (5-3)/2), three on 2 (rows 7 and 8), a blot on 24
    // (row 116), six off.
    Points b;
    b.Set(1, 5).Set(2, 3).Set(24, 1).Set(10, -4);
    EXPECT_NEAR(pubeval.Score(b.points, false),
                -1.66135 - 2.53398 - 1.06654 - 0.92830 - 1.59529 - 2.75800 * 6 / 15, 1e-5);
    EXPECT_NEAR(pubeval.Score(b.points, true),
                0.27010 - 0.08471 - 1.05121 + 0.07217 - 2.77982 + 3.42040 * 6 / 15, 1e-5);
    // A mover with everything off has won, whatever the rest.
    Points c;
    c.Set(5, -15);
    EXPECT_GT(pubeval.Score(c.points, false), 1e7f);
    // The point-by-point score is the table's dot product with the inputs.
    float x[122];
    Pubeval::Inputs(b.points, x);
    float dot = 0.0f;
    for (int i = 0; i < 122; ++i) {
        dot += pubeval.weights[1][i] * x[i];
    }
    EXPECT_NEAR(pubeval.Score(b.points, false), dot, 1e-4);
}

TEST(Pubeval, RejectsBrokenTables) {
    std::string path = testing::TempDir() + "pubeval-broken.tsv";
    Pubeval p;
    std::string error;
    EXPECT_FALSE(p.Load(path + ".missing", error));
    FILE* f = std::fopen(path.c_str(), "w");
    std::fprintf(f, "# comment\n0\t0.1\t0.2\n1\tx\t0.3\n");
    std::fclose(f);
    EXPECT_FALSE(p.Load(path, error));
    EXPECT_NE(error.find(":3:"), std::string::npos) << error;
    f = std::fopen(path.c_str(), "w");
    for (int i = 0; i < 121; ++i) {
        std::fprintf(f, "%d\t0.5\t0.25\n", i);
    }
    std::fclose(f);
    EXPECT_FALSE(p.Load(path, error));
    EXPECT_NE(error.find("121"), std::string::npos) << error;
}
