#pragma once

#include <cstdint>

#include "table/GameTable.h"

// What a run of whole games looked like.
struct SimulationResult {
    int games = 0;
    long frames = 0;
    int longestTurn = 0;    // frames from one roll to the next
    long longestGame = 0;   // frames from one game's first roll to its end
    int failedClicks = 0;   // legal moves the scripted human clicked that did not start
    int invalidFrames = 0;  // frames after which the board invariants did not hold
    int badRestarts = 0;    // games that did not restart from the starting position
    int humanWins = 0;
    int blockedTurnsPassed = 0;
    int stalledComputerTurns = 0;
    std::uint64_t fingerprint = 0;  // of every roll and every position at a change of turn
};

// Plays `games` complete games on the table from its current state, frame by frame, with a
// scripted human who hovers, sometimes switches the die, and clicks random legal moves after a
// short random pause. `seed` drives both the dice (through Srand) and the human's choices; stops
// early at `frameLimit`.
SimulationResult Simulate(GameTable& table, int games, unsigned seed, long frameLimit);
