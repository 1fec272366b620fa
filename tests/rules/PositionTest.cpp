#include <gtest/gtest.h>

#include <random>
#include <set>
#include <string>

#include "rules/Position.h"
#include "tests/table/TableSetup.h"

static std::string Frame(const Position& position, Side mover) {
    PointEntry points[26];
    position.MoverFrame(mover, points);
    return MoverStacks(points, Side::Human);
}

// Every legal play of random positions and rolls, for either side, made move by move through
// Apply on the table's numbered checkers: every move is accepted, every position after it keeps
// every rule, no checker changes side, and the play ends where the computer player's own board
// record says it does. Moves the board refuses change nothing.
TEST(Position, EveryLegalPlayAppliesMoveByMoveToAValidPosition) {
#ifdef KESTRANE_SHORT_RUNS
    const int cases = 300;
#else
    const int cases = 3000;
#endif
    std::mt19937 rng(7);
    unsigned plays = 0, hits = 0, bearOffs = 0;
    for (int c = 0; c < cases; c++) {
        const Side mover = c % 2 == 0 ? Side::Human : Side::Computer;
        const BoardState frame = RandomBoard(rng);
        Position start;
        SetPosition(start, MoverStacks(frame.points, mover).c_str());
        start.toMove = mover;
        start.dice[0] = static_cast<int>(rng() % 6 + 1);
        start.dice[1] = static_cast<int>(rng() % 6 + 1);
        ASSERT_EQ(start.Broken(), PositionRule::None) << RuleName(start.Broken());
        ASSERT_EQ(Frame(start, mover), MoverStacks(frame.points));

        for (const Play& play : start.LegalPlays()) {
            Position position = start;
            BoardState expected;
            expected.CopyFrom(frame);
            for (unsigned m = 0; m < play.count; m++) {
                const Move& move = play.moves[m];
                ASSERT_TRUE(position.Apply(move)) << MoverStacks(frame.points) << " move " << m;
                ASSERT_EQ(position.Broken(), PositionRule::None) << RuleName(position.Broken());
                ASSERT_TRUE(expected.MoveChecker(move.from, move.die));
                hits += move.hits ? 1 : 0;
                bearOffs += move.to == 25 ? 1 : 0;
            }
            ASSERT_EQ(Frame(position, mover), MoverStacks(expected.points));
            for (int p = 0; p < PointCount; p++) {
                for (unsigned i = 0; i < position.points[p].count; i++) {
                    const Side owner = SideOfChecker(position.points[p].stack[i]);
                    ASSERT_NE(p, Position::TrayOf(Opponent(owner)));
                    ASSERT_NE(p, Position::BarOf(Opponent(owner)));
                }
            }
            plays++;
        }
    }
    EXPECT_GT(plays, 10u * cases);
    EXPECT_GT(hits, 100u);
    EXPECT_GT(bearOffs, 100u);

    // Refused: an empty source, the other side's checker, a blocked point, anything while a
    // checker is lifted.
    Position position;
    SetPosition(position, "h13:2 c10:2 c1:1");
    const Position before = position;
    const unsigned humanFrom13 = Position::FramePoint(Side::Human, 13);
    for (const Move move : {Move{5, 0, 3}, Move{Position::FramePoint(Side::Human, 1), 0, 1},
                            Move{humanFrom13, 0, 3}}) {
        EXPECT_FALSE(position.Apply(move)) << move.from << " by " << move.die;
    }
    ASSERT_TRUE(position.Lift(13));
    EXPECT_FALSE(position.Apply(Move{humanFrom13, 0, 1}));
    ASSERT_TRUE(position.Place(13));
    EXPECT_EQ(Frame(position, Side::Human), Frame(before, Side::Human));
    EXPECT_TRUE(position.Apply(Move{humanFrom13, 0, 1}));
}

// Each rule of the check, broken on purpose from the starting position, is the one reported, by
// its own name.
TEST(Position, EachBrokenRuleIsReportedByName) {
    const struct {
        PositionRule rule;
        void (*breakIt)(Position&);
    } cases[] = {
        {PositionRule::PointNumber, [](Position& p) { p.points[3].number = 4; }},
        {PositionRule::StackOverflow, [](Position& p) { p.points[3].count = 31; }},
        {PositionRule::StackSlots, [](Position& p) { p.points[1].count = 1; }},
        {PositionRule::CheckerNumber, [](Position& p) { p.lifted = 40; }},
        {PositionRule::MixedPoint, [](Position& p) { p.points[1].stack[0] = 29; }},
        {PositionRule::OtherSidesPlace,
         [](Position& p) { ASSERT_TRUE(p.points[ComputerBar].Push(p.points[6].Pop())); }},
        {PositionRule::CheckerTwice, [](Position& p) { ASSERT_TRUE(p.points[2].Push(0)); }},
        {PositionRule::CheckerMissing, [](Position& p) { p.points[1].Pop(); }},
        {PositionRule::SideToMove, [](Position& p) { p.toMove = Side::None; }},
        {PositionRule::DieValue, [](Position& p) { p.dice[1] = 7; }},
    };
    std::set<std::string> names;
    for (const auto& c : cases) {
        Position position;
        position.SetUpStartingPosition();
        ASSERT_EQ(position.Broken(), PositionRule::None);
        c.breakIt(position);
        EXPECT_EQ(position.Broken(), c.rule) << RuleName(c.rule);
        EXPECT_FALSE(position.IsValid());
        names.insert(RuleName(c.rule));
    }
    EXPECT_EQ(names.size(), std::size(cases));
    EXPECT_EQ(names.count(""), 0u);

    // A checker lifted is still in the game; a full stack refuses a push rather than losing it.
    Position position;
    position.SetUpStartingPosition();
    ASSERT_TRUE(position.Lift(24));
    EXPECT_EQ(position.Broken(), PositionRule::None);
    Point full;
    for (int i = 0; i < CheckerCount; i++) {
        ASSERT_TRUE(full.Push(i));
    }
    EXPECT_FALSE(full.Push(0));
    EXPECT_EQ(full.count, static_cast<unsigned>(CheckerCount));
}
