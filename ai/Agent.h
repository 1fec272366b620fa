#pragma once

#include "ai/BoardState.h"
#include "ai/Move.h"
#include "ai/MoveList.h"
#include "ai/NeuralNet.h"

// True when the sides have no more contact: every player-2 checker stands on a lower point than
// every player-1 checker (either side's bar counts as a point like any other).
bool IsRace(const BoardState& board);

// A network's value of the given current points for player 1, by the one-hot pass.
float PositionValue(NeuralNet& net, const PointEntry points[26]);

// One search agent: tries every play of a roll on a private copy of the position (the mover is
// always player 1 there) and keeps the best by Evaluate. The checker list holds the point of each
// of the mover's checkers, bar first, by ascending point; a MoveList index is a position in it as
// built before the search. The base Evaluate is a hand-written score that draws from Rand(), so
// the base agent always runs the plain search, which evaluates every trial in order; NetAgent
// replaces the search by a faster walk with the same result.
class Agent {
public:
    // Reseeds the generator from the clock, as every agent of the game does when it is created.
    Agent();
    virtual ~Agent() = default;

    // The value of the search board's current position for player 1.
    virtual float Evaluate();

    // board: the caller's position, player 1 moving upwards; player: the side to move in that
    // frame (2 mirrors the position first). Writes the chosen play and returns its move count.
    unsigned ChooseMove(const BoardState& board, unsigned player, const unsigned dice[2],
                        MoveList& moves);
    // The same choice made by the plain searches below, for any agent.
    unsigned ChooseMoveReference(const BoardState& board, unsigned player, const unsigned dice[2],
                                 MoveList& moves);
    // ChooseMove's play as moves between points of the mover's frame (Move.h, ReadPlay).
    // Returns the move count.
    unsigned ChoosePlay(const BoardState& board, unsigned player, const unsigned dice[2],
                        Play& play);

    void Reset();
    void BuildCheckerList();
    void RestoreCheckerList();

    // The plain searches: every ordered pair (two dice) or quadruple (doubles) of checker indices,
    // each trial made on the search board and evaluated, the first of the best values kept.
    unsigned SearchNonDoubles(const unsigned dice[2], MoveList& moves);
    unsigned SearchDoubles(unsigned die, MoveList& moves);

    // The full rules' larger-die rule for rolls of which only one die can be played (see
    // PlayEnumerator); off, the plain searches let the values decide, as the looser rules do.
    bool largerDieRule = true;
    unsigned checkerList[15] = {};
    BoardState searchBoard;
    unsigned savedCheckerList[15] = {};
    unsigned checkerCount = 0;

protected:
    // Runs once the search board holds the position before the roll and the list is built.
    virtual unsigned Search(const unsigned dice[2], MoveList& moves);

private:
    unsigned Prepare(const BoardState& board, unsigned player, MoveList& moves);
};
