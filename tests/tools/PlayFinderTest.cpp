#include <gtest/gtest.h>

#include <cstring>
#include <random>
#include <vector>

#include "tools/PlayFinder.h"

// The game's search written out plainly, trial by trial over checker indices, recording each
// position the first time it is reached with its number of moves; the finder must give the same
// positions in the same order while skipping the trials that cannot add anything.
static std::vector<Position> PlainSearch(const Position& start, int d1, int d2) {
    int list[15];
    int n = 0;
    for (int i = 0; i <= 25; ++i) {
        for (int c = 0; c < start.points[i]; ++c) {
            list[n++] = i;
        }
    }
    int bar = start.points[0] > 0 ? start.points[0] : 0;
    std::vector<Position> seen;
    std::vector<int> seenMoves;
    auto record = [&](const Position& p, int moves) {
        for (size_t i = 0; i < seen.size(); ++i) {
            if (seenMoves[i] == moves && SamePosition(seen[i], p)) {
                return;
            }
        }
        seen.push_back(p);
        seenMoves.push_back(moves);
    };
    if (d1 != d2) {
        bool foundTwo = false;
        for (int pass = 0; pass < 2; ++pass) {
            int a = pass ? d2 : d1;
            int b = pass ? d1 : d2;
            for (int i = 0; i < (bar == 0 ? n : 1); ++i) {
                int jFirst = bar == 0 ? i : (bar == 1 ? 0 : 1);
                int jLast = bar >= 2 ? 1 : n - 1;
                for (int j = jFirst; j <= jLast; ++j) {
                    Position p = start;
                    int l[15];
                    std::memcpy(l, list, sizeof l);
                    if (!MoveOne(p, l[i], a)) {
                        continue;
                    }
                    l[i] += a;
                    if (l[j] <= 24 && MoveOne(p, l[j], b)) {
                        foundTwo = true;
                        record(p, 2);
                    } else if (!foundTwo) {
                        record(p, 1);
                    }
                }
            }
        }
    } else {
        int range[4][2];
        for (int k = 0; k < 4; ++k) {
            range[k][0] = k < bar ? k : 0;
            range[k][1] = k < bar ? k : n - 1;
        }
        bool stop = false;
        for (int k1 = range[0][0]; k1 <= range[0][1] && !stop; ++k1) {
            for (int k2 = range[1][0]; k2 <= range[1][1] && !stop; ++k2) {
                for (int k3 = range[2][0]; k3 <= range[2][1] && !stop; ++k3) {
                    for (int k4 = range[3][0]; k4 <= range[3][1] && !stop; ++k4) {
                        int ks[4] = {k1, k2, k3, k4};
                        Position p = start;
                        int l[15];
                        std::memcpy(l, list, sizeof l);
                        int moves = 0;
                        for (int m = 0; m < 4; ++m) {
                            if (MoveOne(p, l[ks[m]], d1)) {
                                l[ks[m]] += d1;
                                ++moves;
                            } else if (p.points[0] == m + 1) {
                                stop = true;
                            }
                        }
                        record(p, moves);
                    }
                }
            }
        }
    }
    int most = 0;
    for (int m : seenMoves) {
        most = m > most ? m : most;
    }
    std::vector<Position> out;
    for (size_t i = 0; i < seen.size() && most > 0; ++i) {
        if (seenMoves[i] == most) {
            out.push_back(seen[i]);
        }
    }
    if (out.empty()) {
        out.push_back(start);
    }
    return out;
}

// Positions from games of random plays, with the rolls that came up, cover bars, hits, blocked
// entries, bear-offs and endings.
struct Sample {
    Position position;
    int d1, d2;
};

static std::vector<Sample> RandomPositions(int count, unsigned seed) {
    std::mt19937 rng(seed);
    PlayFinder finder;
    std::vector<Sample> out;
    std::vector<Position> list;
    while (static_cast<int>(out.size()) < count) {
        Position p = StartPosition();
        for (int ply = 0; ply < 400 && static_cast<int>(out.size()) < count; ++ply) {
            int d1 = static_cast<int>(rng() % 6) + 1;
            int d2 = static_cast<int>(rng() % 6) + 1;
            out.push_back({p, d1, d2});
            finder.Find(p, d1, d2, list);
            p = list[rng() % list.size()];
            if (MoverCheckers(p) == 0) {
                break;
            }
            p = Mirrored(p);
        }
    }
    return out;
}

TEST(PlayFinder, MatchesThePlainSearchInOrder) {
    PlayFinder finder;
    std::vector<Position> list;
    int compared = 0;
    for (const Sample& s : RandomPositions(600, 17)) {
        std::vector<Position> expected = PlainSearch(s.position, s.d1, s.d2);
        finder.Find(s.position, s.d1, s.d2, list);
        ASSERT_EQ(expected.size(), list.size()) << "roll " << s.d1 << "-" << s.d2;
        for (size_t i = 0; i < list.size(); ++i) {
            ASSERT_TRUE(SamePosition(expected[i], list[i])) << "candidate " << i;
        }
        ++compared;
    }
    EXPECT_EQ(compared, 600);
}

TEST(PlayFinder, RollsWithoutPlayLeaveThePositionAlone) {
    PlayFinder finder;
    std::vector<Position> list;
    Position p;
    std::memset(&p, 0, sizeof p);
    p.points[0] = 1;
    p.points[19] = 14;
    for (int point = 1; point <= 6; ++point) {
        p.points[point] = -2;
    }
    p.points[24] = -3;
    for (int d1 = 1; d1 <= 6; ++d1) {
        for (int d2 = 1; d2 <= 6; ++d2) {
            finder.Find(p, d1, d2, list);
            ASSERT_EQ(list.size(), 1u);
            EXPECT_TRUE(SamePosition(list[0], p));
        }
    }
}

TEST(PlayFinder, OpeningRollsAndBearingOff) {
    PlayFinder finder;
    std::vector<Position> list;
    // 3-1 from the start: every candidate moves four pips, none hits.
    finder.Find(StartPosition(), 3, 1, list);
    EXPECT_GT(list.size(), 10u);
    for (const Position& p : list) {
        int pips = 0;
        for (int i = 1; i <= 24; ++i) {
            pips += p.points[i] > 0 ? p.points[i] * i : 0;
        }
        EXPECT_EQ(pips, 2 * 1 + 5 * 12 + 3 * 17 + 5 * 19 + 4);
        EXPECT_EQ(p.points[25], 0);
    }
    // Two checkers left on points 23 and 24 with 6-5: both come off and nothing else is offered.
    Position end;
    std::memset(&end, 0, sizeof end);
    end.points[23] = 1;
    end.points[24] = 1;
    end.points[2] = -3;
    finder.Find(end, 6, 5, list);
    ASSERT_EQ(list.size(), 1u);
    EXPECT_EQ(MoverCheckers(list[0]), 0);
    // A checker outside the home board stops every bear-off: with 6-6 from 18 it must come in
    // first and only then may the others leave.
    Position late;
    std::memset(&late, 0, sizeof late);
    late.points[18] = 1;
    late.points[24] = 2;
    late.points[3] = -2;
    finder.Find(late, 6, 6, list);
    ASSERT_EQ(list.size(), 1u);
    EXPECT_EQ(MoverCheckers(list[0]), 0);
}

TEST(PlayFinder, EncodingAndMirrorAgree) {
    int active[64];
    int n = ActiveInputs(StartPosition(), active);
    std::vector<int> got(active, active + n);
    EXPECT_EQ(got, (std::vector<int>{5, 51, 66, 95, 107, 134, 151, 193}));
    Position p = StartPosition();
    EXPECT_TRUE(SamePosition(Mirrored(p), p));
    p.points[0] = 6;
    p.points[1] = 0;
    p.points[12] = 1;
    p.points[25] = -3;
    n = ActiveInputs(p, active);
    EXPECT_EQ(active[0], 3);
    EXPECT_EQ(active[n - 1], 199);
    EXPECT_TRUE(SamePosition(Mirrored(Mirrored(p)), p));
    EXPECT_FALSE(IsRacePosition(StartPosition()));
    Position race;
    std::memset(&race, 0, sizeof race);
    race.points[3] = -15;
    race.points[20] = 15;
    EXPECT_TRUE(IsRacePosition(race));
    race.points[25] = -1;
    race.points[3] = -14;
    EXPECT_FALSE(IsRacePosition(race));
}
