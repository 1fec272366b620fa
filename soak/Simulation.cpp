#include "soak/Simulation.h"

#include <algorithm>
#include <memory>
#include <random>
#include <vector>

#include "ai/Chance.h"
#include "soak/TablePlayer.h"

// The human's points from which the die gives a move the table accepts.
static std::vector<int> LegalSources(const GameRules& rules, int die) {
    std::vector<int> sources;
    for (int s = 1; s <= HumanBar; s++) {
        if (rules.PointAt(s).Owner() == HumanSide && rules.HumanMoveTarget(s, die).allowed) {
            sources.push_back(s);
        }
    }
    return sources;
}

SimulationResult Simulate(const std::string& weights, int games, unsigned seed,
                          const std::function<void(const SimulationResult&)>& afterGame) {
    SimulationResult result;
    auto table = std::make_unique<GameTable>();
    GameRules& rules = table->Rules();
    rules.Computer().weightDirectory = weights;
    TablePlayer player(*table);
    std::mt19937 human(seed);
    Srand(seed);
    rules.RollForTurn();
    int turns = rules.TurnsStarted(), turnFrames = 0, wait = 0;
    auto fail = [&](const std::string& what) {
        result.fault = what + ", after frame " + std::to_string(result.frames);
    };

    while (result.games < games && result.fault.empty()) {
        // 1. The human, between frames, only when the window would let them act. A die with no
        // move is switched away from; when neither die has one the table passes the turn.
        if (rules.HumanMayAct() && rules.MovesLeft() > 0 && --wait < 0) {
            wait = static_cast<int>(human() % 3);
            const std::vector<int> sources = LegalSources(rules, rules.SelectedValue());
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
        if (rules.TurnsStarted() != turns) {
            if (rules.CurrentSide() == HumanSide && rules.GameOverFrames() == 0) {
                const bool doubles = rules.DieValue(0) == rules.DieValue(1);
                if (rules.MovesLeft() != (doubles ? 4 : 2) || rules.SelectedDie() != 0) {
                    fail("a human turn opened wrongly");
                }
            }
            turns = rules.TurnsStarted();
            result.turns++;
            result.longestTurn = std::max(result.longestTurn, turnFrames);
            turnFrames = 0;
        }
        if (rules.GamesFinished() != result.games) {
            result.games = rules.GamesFinished();
            if (afterGame) {
                afterGame(result);
            }
        }
    }
    // The computer's own plays must all be ones the table accepts.
    if (result.fault.empty() && rules.StalledComputerTurns() != 0) {
        fail(std::to_string(rules.StalledComputerTurns()) + " computer plays were refused");
    }
    return result;
}
