#pragma once

#include <functional>
#include <string>

#include "table/GameTable.h"

// What a run of whole games looked like. `fault` is empty while nothing went wrong; the run
// stops at the first fault, which names the frame.
struct SimulationResult {
    int games = 0;
    long long frames = 0;  // past 2^31 in a long soak
    int longestTurn = 0;   // frames from one roll to the next
    int turns = 0;
    int invariantBreaks = 0;
    std::string fault;
};

// The most frames a turn may take: four moves of four hand moves with the human's pauses, or a
// blocked roll shown before it passes, and the computer's roll on show; the winning turn also
// holds the pause on the final position.
constexpr int TurnFrameLimit = 4 * (4 * 15 + 3) + 15 + TurnDirector::NoMovePassFrames +
                               TurnDirector::ComputerPassShowFrames +
                               TurnDirector::GameOverPauseFrames;

// Plays `games` whole games frame by frame without a window against the computer reading its
// networks from `weights`, with a scripted human who clicks random legal moves after a short
// random pause and now and then switches the die, the mouse wandering while the hand is busy.
// After every frame it checks the board invariants, that no turn outlasts TurnFrameLimit, that
// every human turn opens with two moves (four for doubles) on die 0, or under the full rules on a
// die that can be played, and that the computer's plays are all ones the table accepts. Under the
// full rules it also checks that every turn, the human's and the computer's, ends on a legal play
// of its roll. `seed` drives the dice and the human; the same seed plays the same games.
// `afterGame`, when given, is called after each finished game.
SimulationResult Simulate(const std::string& weights, int games, unsigned seed,
                          bool looseRules = false,
                          const std::function<void(const SimulationResult&)>& afterGame = {});
