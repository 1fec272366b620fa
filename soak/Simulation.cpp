#include "soak/Simulation.h"

#include <algorithm>
#include <memory>
#include <random>
#include <vector>

#include "ai/Chance.h"
#include "soak/TablePlayer.h"

// The human's points from which the die gives a move the table accepts.
static std::vector<int> LegalSources(const GameTable& table, int die) {
    std::vector<int> sources;
    for (int s = 1; s <= HumanBar; s++) {
        if (table.points[s].Owner() == HumanSide && table.HumanMoveTarget(s, die).allowed) {
            sources.push_back(s);
        }
    }
    return sources;
}

SimulationResult Simulate(const std::string& weights, int games, unsigned seed,
                          const std::function<void(const SimulationResult&)>& afterGame) {
    SimulationResult result;
    auto table = std::make_unique<GameTable>();
    table->computerPlayer.weightDirectory = weights;
    TablePlayer player(*table);
    std::mt19937 human(seed);
    Srand(seed);
    table->RollForTurn();
    int turns = table->turnsStarted, turnFrames = 0, wait = 0;
    auto fail = [&](const std::string& what) {
        result.fault = what + ", after frame " + std::to_string(result.frames);
    };

    while (result.games < games && result.fault.empty()) {
        // 1. The human, between frames, only when the window would let them act. A die with no
        // move is switched away from; when neither die has one the table passes the turn.
        if (table->HumanMayAct() && table->movesLeft > 0 && --wait < 0) {
            wait = static_cast<int>(human() % 3);
            const std::vector<int> sources =
                LegalSources(*table, table->dice[table->selectedDie].value);
            if (sources.empty() || human() % 8 == 0) {
                player.RightClick(400, 300);
            } else {
                const int s = sources[human() % sources.size()];
                if (!player.ClickPoint(s)) {
                    fail("a legal move from " + std::to_string(s) + " did not start");
                    break;
                }
            }
        } else if (human() % 16 == 0) {
            player.MouseMove(static_cast<float>(human() % 800), static_cast<float>(human() % 600));
        }

        // 2. One frame, checked.
        player.Frame();
        result.frames++;
        turnFrames++;
        if (!table->IsValid()) {
            result.invariantBreaks++;
            fail("the board invariants broke");
        }
        if (turnFrames > TurnFrameLimit) {
            fail("a turn is stuck");
        }

        // 3. Every roll starts a turn: the human's opens on die 0, with four moves for doubles.
        if (table->turnsStarted != turns) {
            if (table->currentSide == HumanSide && table->gameOverFrames == 0) {
                const bool doubles = table->dice[0].value == table->dice[1].value;
                if (table->movesLeft != (doubles ? 4 : 2) || table->selectedDie != 0 ||
                    !table->dice[0].active) {
                    fail("a human turn opened wrongly");
                }
            }
            turns = table->turnsStarted;
            result.turns++;
            result.longestTurn = std::max(result.longestTurn, turnFrames);
            turnFrames = 0;
        }
        if (table->gamesFinished != result.games) {
            result.games = table->gamesFinished;
            if (afterGame) {
                afterGame(result);
            }
        }
    }
    // The computer's own plays must all be ones the table accepts.
    if (result.fault.empty() && table->stalledComputerTurns != 0) {
        fail(std::to_string(table->stalledComputerTurns) + " computer plays were refused");
    }
    return result;
}
