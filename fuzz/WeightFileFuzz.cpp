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
    Play play;
    player.ChooseMove(board, 1, roll, play);
    if (play.count > 4 || !MakePlay(board, play)) {
        std::abort();
    }
    return 0;
}
