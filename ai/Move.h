#pragma once

#include "ai/BoardState.h"
#include "ai/MoveList.h"

// One checker move of a play, in the mover's own numbering: the frame in which the mover is
// player 1 of a BoardState. 0 is the mover's bar, 1..24 its points in its direction of travel,
// and 25, as a destination, off the board. The table numbers the computer's points the same way
// (its bar is 0 and it enters on 0 + die), and `kestrane-ai play` and `match` speak it too, so a
// play goes from the computer player to any of them unchanged.
struct Move {
    unsigned from = 0;
    unsigned to = 0;
    // The pips the move uses: to - from, or more when a checker is borne off from below the
    // edge with a larger die.
    unsigned die = 0;
    // Whether it sends a lone opposing checker to the bar.
    bool hits = false;
};

// A whole play: up to four moves in the order they are made. A checker may move again; its next
// move starts where the last one left it.
struct Play {
    Move moves[4];
    unsigned count = 0;
};

// Reads a MoveList of the search as moves between points: each entry moves the listed checker (an
// index among player 1's checkers as they stood on `before`, bar first, by ascending point) on
// from wherever its last move left it. Stops at the first entry that names no checker or that
// the board refuses. Returns the move count.
unsigned ReadPlay(const PointEntry before[26], const MoveList& moves, Play& play);

// Makes the moves of `play` for player 1 of `board`. False at the first move that does not start
// on one of player 1's checkers or that the rules refuse; the moves before it stay made.
bool MakePlay(BoardState& board, const Play& play);
