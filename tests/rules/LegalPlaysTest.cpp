#include <gtest/gtest.h>

#include <random>
#include <set>
#include <string>
#include <vector>

#include "ai/PlayEnumerator.h"
#include "rules/LegalPlays.h"
#include "tests/table/TableSetup.h"

// A board as a short string: one byte a point.
static std::string Code(const PointEntry points[26]) {
    std::string code(26, '\0');
    for (unsigned p = 0; p < 26; p++) {
        code[p] = static_cast<char>(points[p].owner << 5 | points[p].count);
    }
    return code;
}

// The ends of the plays the generator lists for the mover of a board and a roll, and their
// number of moves.
static std::set<std::string> GeneratorEnds(const PointEntry points[26], unsigned a, unsigned b,
                                           unsigned& length) {
    static PlayEnumerator enumerator;
    static std::vector<PlayCandidate> candidates(6000);
    const unsigned dice[2] = {a, b};
    const unsigned n = enumerator.Enumerate(points, dice, candidates.data(), 6000);
    std::set<std::string> ends;
    length = candidates[0].moves.count;
    for (unsigned c = 0; c < n && c < candidates.size(); c++) {
        ends.insert(Code(candidates[c].points));
    }
    return ends;
}

// Every board a player reaches by clicking legal moves until none is left, from `now`.
static void ClickThrough(const LegalPlays& plays, const std::set<unsigned>& dice,
                         const BoardState& now, unsigned used, unsigned made,
                         std::set<std::string>& seen, std::set<std::string>& ends,
                         unsigned& shortTurns) {
    if (!seen.insert(Code(now.points) + static_cast<char>(used)).second) {
        return;
    }
    bool any = false;
    for (const unsigned die : dice) {
        for (unsigned from = 0; from <= 24; from++) {
            if (!plays.Allows(now, used, from, die)) {
                continue;
            }
            any = true;
            BoardState next;
            next.CopyFrom(now);
            next.MoveChecker(from, die);
            ClickThrough(plays, dice, next, used | plays.DieBit(used, die), made + 1, seen, ends,
                         shortTurns);
        }
    }
    if (!any) {
        ends.insert(Code(now.points));
        shortTurns += made != plays.PlayLength() ? 1 : 0;
    }
}

// Over random boards and rolls, the boards a player can end a turn on, clicking one legal move
// after another in any order the board allows, are exactly the ends of the plays the computer's
// generator lists for the same side and roll, and every turn ends after the plays' number of
// moves, never stuck before.
TEST(LegalPlays, ClickByClickReachesExactlyTheGeneratorsPlays) {
#ifdef KESTRANE_SHORT_RUNS
    const int cases = 5000;
#else
    const int cases = 100000;
#endif
    std::mt19937 rng(2026);
    LegalPlays plays;
    unsigned shortTurns = 0;
    for (int c = 0; c < cases; c++) {
        const BoardState board = RandomBoard(rng);
        const unsigned a = rng() % 6 + 1, b = rng() % 6 + 1;
        unsigned length = 0;
        const std::set<std::string> expected = GeneratorEnds(board.points, a, b, length);
        plays.Begin(board.points, a, b);
        ASSERT_EQ(plays.PlayLength(), length);
        std::set<std::string> seen, ends;
        ClickThrough(plays, {a, b}, board, 0, 0, seen, ends, shortTurns);
        ASSERT_EQ(ends, expected) << MoverStacks(board.points) << " " << a << "-" << b;
    }
    EXPECT_EQ(shortTurns, 0u);
}
