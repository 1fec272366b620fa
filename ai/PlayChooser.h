#pragma once

#include "ai/BoardState.h"
#include "ai/Move.h"

// Whatever chooses the computer's plays: the game's ComputerPlayer, or a test's script. Whoever
// runs the game owns it and lends it to the turn.
class PlayChooser {
public:
    virtual ~PlayChooser() = default;

    // board: in the frame where player 1 moves upwards; player: the side to move in that frame.
    // The play is given in the mover's own frame (Move.h), which for player 1 is the board's.
    // Returns its number of moves (0 when the roll cannot be played).
    virtual unsigned ChooseMove(const BoardState& board, unsigned player, const unsigned dice[2],
                                Play& play) = 0;
};
