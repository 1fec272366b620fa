// A contact-network file as a player might drop it into the game's folder: the computer player
// reads it exactly as the game does and then chooses a play with it.
#include <cstdio>

#include "ai/BoardState.h"
#include "ai/ComputerPlayer.h"
#include "fuzz/FuzzSupport.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    // The race network's file is missing: that path is covered by every other input too.
    WriteInput("net-160 (0).dat", data, size);
    ComputerPlayer player;
    player.weightDirectory = FuzzFolder();
    BoardState board;
    board.ResetToStart();
    const unsigned roll[2] = {6, 5};
    MoveList moves;
    player.ChooseMove(board, 1, roll, moves);
    if (moves.count > 4) {
        std::abort();
    }
    return 0;
}
