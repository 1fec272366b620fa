#pragma once

#include <functional>
#include <initializer_list>
#include <random>
#include <string>
#include <utility>

#include "soak/TablePlayer.h"
#include "tests/ai/AiTestSupport.h"

// Frames of `player` until `done` holds, checking the board invariants after every frame (a
// failure is a test failure); the frame count, or -1 when it does not hold within `limit` frames.
int RunUntil(TablePlayer& player, const std::function<bool()>& done, int limit = 2000);

// Clears the board and sets up the given stacks, in order: "h13:5 c0:2" puts five of the human's
// checkers on 13 and two of the computer's on its bar. Checkers a side has left over go to its
// tray, so both sides keep fifteen. On a table each checker is also drawn on its slot.
void SetPosition(Position& board, const char* stacks);
void SetPosition(GameTable& table, const char* stacks);

// A computer turn as the turn bookkeeping starts it, but with a chosen play instead of the
// computer player's: (from point, die) pairs.
void StartComputerTurn(GameTable& table, int a, int b,
                       std::initializer_list<std::pair<unsigned, unsigned>> moves);

// The stacks of a board in the mover's frame, for SetPosition, with `mover` as the mover.
std::string MoverStacks(const PointEntry points[26], Side mover = Side::Human);
