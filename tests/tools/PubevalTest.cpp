#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "tests/ai/AiTestSupport.h"
#include "tests/tools/ToolsTestSupport.h"

// Scores worked out by hand from the table's rows.
TEST(Pubeval, ScoresHandMadePositions) {
    Pubeval pubeval = PubevalTable();
    auto score = [&pubeval](const Signed& position, bool race) {
        return pubeval.Score(BoardFromSigned(position).points, race);
    };
    // Two mover checkers on 20 (13 off), an opponent blot on 3 and two opponents on the bar:
    // rows 97, 10, 120 (x = 2/2) and 121 (x = 13/15).
    Signed a{};
    a[20] = 2;
    a[3] = -1;
    a[25] = -2;
    EXPECT_NEAR(score(a, false), 4.37655 - 1.10388 + 5.62596 - 2.75800 * 13 / 15, 1e-5);
    EXPECT_NEAR(score(a, true), 3.85390 + 0.0 + 0.0 + 3.42040 * 13 / 15, 1e-5);
    // Five on 1 (rows 2 and 4 with x = (5-3)/2), three on 2 (rows 7 and 8), a blot on 24
    // (row 116), six off.
    Signed b = {0, 5, 3, 0, 0, 0, 0, 0, 0, 0, -4};
    b[24] = 1;
    EXPECT_NEAR(score(b, false),
                -1.66135 - 2.53398 - 1.06654 - 0.92830 - 1.59529 - 2.75800 * 6 / 15, 1e-5);
    EXPECT_NEAR(score(b, true), 0.27010 - 0.08471 - 1.05121 + 0.07217 - 2.77982 + 3.42040 * 6 / 15,
                1e-5);
    // A mover with everything off has won, whatever the rest.
    EXPECT_GT(score({0, 0, 0, 0, 0, -15}, false), 1e7f);
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
