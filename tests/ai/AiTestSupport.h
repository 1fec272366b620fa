#pragma once

#include <array>
#include <random>
#include <string>

#include "ai/BoardState.h"
#include "ai/Move.h"
#include "ai/MoveList.h"

// A position as the play tool reads it: b[0] player 1's bar, b[1..24] points (positive player 1,
// negative player 2), b[25] player 2's bar as a negative count. The saved half is set too.
using Signed = std::array<int, 26>;
BoardState BoardFromSigned(const Signed& b);
// The points in that form; a point whose owner does not fit its count reads 100 + owner, so that
// comparing two of these compares the whole of both positions.
Signed SignedOf(const PointEntry points[26]);

// A play as "index/die index/die ...", in the order of its moves.
std::string MovesText(const MoveList& moves);
// A play as "from/to from/to ...", with an asterisk after a move that hits.
std::string PlayText(const Play& play);

// A random position of the game drawn from one of several kinds (spread, race, bear-off, bar).
BoardState RandomBoard(std::mt19937& rng);

// The n-th number of a test weight file: 0 for seed 0, otherwise spread over -1.5 .. 1.5.
float FileWeight(unsigned seed, unsigned n);
// Writes `count` of those numbers to `path`, separated by spaces, tabs and newlines, then `tail`.
void WriteWeights(const std::string& path, unsigned count, unsigned seed, const char* tail = "");
// A fresh folder under the test's temporary folder holding both of the computer's weight files.
std::string WeightFolder(const std::string& name, unsigned contactSeed, unsigned raceSeed);
// An empty folder of that name under the test's temporary folder, whatever it held before.
std::string Scratch(const std::string& name);
// The whole of a file; empty when it cannot be read.
std::string ReadAll(const std::string& path);
