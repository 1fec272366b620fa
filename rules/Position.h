#pragma once

#include <vector>

#include "ai/BoardState.h"
#include "ai/Move.h"
#include "rules/Point.h"
#include "rules/Side.h"

// The answer of a move test: refused, or the destination and whether the move hits a blot.
struct MoveTarget {
    bool allowed = false;
    int to = NoPoint;
    bool hits = false;
};

// The rules a position can break, each named, so that a test, the soak or a debug assertion
// says which one broke rather than only that one did.
enum class PositionRule {
    None,             // every rule holds
    PointNumber,      // a point's number is not its place on the table
    StackOverflow,    // a point counts more checkers than exist
    StackSlots,       // a point's stack does not hold exactly `count` checkers
    CheckerNumber,    // a slot or the lifted checker holds a number that is no checker
    MixedPoint,       // a point holds checkers of both sides
    OtherSidesPlace,  // a checker lies on the other side's bar or tray
    CheckerTwice,     // a checker lies in two places
    CheckerMissing,   // a checker lies nowhere
    SideToMove,       // neither the human nor the computer is to move
    DieValue,         // a die shows no value from 1 to 6
};

// The rule's name as a sentence fragment ("a checker lies in two places"); "" for None.
const char* RuleName(PositionRule rule);

// The game's position: where every one of the thirty numbered checkers lies (on one of the 28
// points, or lifted off the board while it is carried from one to another, at most one at a
// time), the side to move and the dice. It owns the moves themselves: a whole move (Apply, in the
// mover's own numbering of ai/Move.h) or its three stages as the hand makes them (Lift, TakeBlot
// for a hit, Place), and the check of its invariant (Broken names the rule that fails). It knows
// which plays a roll allows (LegalPlays, the computer player's own generator), and nothing of
// turns, hands or frames.
class Position {
public:
    Position();

    // Every checker off the board; nothing lifted.
    void Clear();
    // Checkers 0..29 on the points a game starts from.
    void SetUpStartingPosition();

    // Where a checker of `mover` on table point `from` goes with `die`: its tray past the last
    // point, refused on a point the other side holds with two or more, a hit on a lone checker
    // of the other side. Whether the rules allow the move now is the turn's to say.
    MoveTarget Target(Side mover, int from, int die) const;
    // Makes the move of the side to move, from its own numbering: lifts the checker, puts it down
    // where Target says and, for a hit, the blot on its bar. False, changing nothing, when the
    // source holds none of the mover's checkers or Target refuses the move.
    bool Apply(const Move& move);
    // The plays of the roll for the side to move under the full rules (or, with `largerDieRule`
    // off, under the looser choice between one-die plays), as the computer's search finds them;
    // none when the roll cannot be played.
    std::vector<Play> LegalPlays(bool largerDieRule = true) const;

    // The stages of a move as the hand makes them. Lift takes the top checker off `point`;
    // TakeBlot puts the lifted checker on `point` in place of the lone checker there, which is
    // lifted instead; Place puts the lifted checker on `point`. Each answers false, changing
    // nothing, when there is nothing to lift or nothing lifted.
    bool Lift(int point);
    bool TakeBlot(int point);
    bool Place(int point);

    // The first rule the position breaks, or None.
    PositionRule Broken() const;
    bool IsValid() const { return Broken() == PositionRule::None; }
    // The side that has borne off all fifteen checkers, or Side::None.
    Side Winner() const;

    // The board as the computer player reads it, with `mover` as player 1 (owner code 1, moving
    // from its bar on 0 toward 24) and the other side as player 2; the trays are left out.
    void MoverFrame(Side mover, PointEntry points[26]) const;
    // The table's point for point `framePoint` (0..24) of `mover`'s frame, and its tray for 25.
    static int TablePoint(Side mover, unsigned framePoint);
    // `mover`'s point in its own frame for a table point 0..25.
    static unsigned FramePoint(Side mover, int tablePoint);
    static int BarOf(Side side) { return side == Side::Human ? HumanBar : ComputerBar; }
    static int TrayOf(Side side) { return side == Side::Human ? HumanTray : ComputerTray; }

    Point points[PointCount];
    int lifted = NoChecker;
    Side toMove = Side::Human;
    int dice[2] = {1, 1};
};
