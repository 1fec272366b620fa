#pragma once

#include <array>
#include <random>
#include <set>
#include <string>

#include "ai/BoardState.h"
#include "ai/MoveList.h"

// A position as the play tool reads it: b[0] player 1's bar, b[1..24] points (positive player 1,
// negative player 2), b[25] player 2's bar as a negative count. The saved half is set too.
BoardState BoardFromSigned(const std::array<int, 26>& b);

// Empty when the board is a position of the game: owners 0..2, owner 0 exactly when empty, at
// most 15 checkers a side, player 1 never on point 25 nor player 2 on point 0.
std::string BoardProblem(const BoardState& board);

// A random position of the game drawn from one of several kinds (spread, race, bear-off, bar).
BoardState RandomBoard(std::mt19937& rng);

using PositionKey = std::array<unsigned, 52>;
PositionKey KeyOf(const PointEntry points[26]);

// Every position that the rules of the computer's search allow for the roll, found by trying all
// orders of all moves: both dice if possible (else either one), or as many moves of a double as
// possible; checkers on the bar first.
std::set<PositionKey> AllPlays(const BoardState& board, const unsigned dice[2]);

// Plays a MoveList on a copy of the board (mover = player 1) the way the game reads it.
BoardState ApplyMoves(const BoardState& board, const MoveList& moves);

// Writes `count` numbers to a file, one per line; returns the path.
std::string WriteNumbers(const std::string& name, unsigned count, float first, float step);
