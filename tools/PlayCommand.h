#pragma once

#include <iosfwd>
#include <string>

#include "ai/BoardState.h"
#include "ai/ComputerPlayer.h"

// `kestrane-ai play`: the computer player as a line protocol. Each input line holds 28 integers:
// b0 .. b25, then the two dice. b0 is the mover's checkers on its bar, b1 .. b24 the points in the
// mover's direction of travel (positive the mover's checkers, negative the opponent's), b25 the
// opponent's checkers on its bar as a negative count. Each line gets one answer line: the 26
// numbers after the chosen play, " ; ", then the moves as from/to (0 is the bar, 25 off), or
// "error: <what is wrong>" for a line that is not a position.

// Reads one line into a board (mover = player 1) and dice; on failure says why in `error`.
bool ParsePlayLine(const std::string& line, BoardState& board, unsigned dice[2],
                   std::string& error);

// The answer line for one input line, without its line break.
std::string AnswerPlayLine(ComputerPlayer& player, const std::string& line);

// Answers every line of `in` on `out`; returns the exit status (0 at the end of input).
int RunPlay(ComputerPlayer& player, std::istream& in, std::ostream& out);

// The command: `play [--weights DIR]`, arguments after the command name.
int PlayCommand(int argc, char** argv);
