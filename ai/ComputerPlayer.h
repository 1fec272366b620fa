#pragma once

#include "ai/BoardState.h"
#include "ai/MoveList.h"

// Chooses the computer's play for a position and roll. Its networks and agents are created on the
// first call, when the two weight files are read once.
class ComputerPlayer {
public:
    virtual ~ComputerPlayer() = default;

    // board: in the frame where player 1 moves upwards; player: the side to move in that frame.
    unsigned ChooseMove(const BoardState& board, unsigned player, const unsigned dice[2],
                        MoveList& moves);
};
