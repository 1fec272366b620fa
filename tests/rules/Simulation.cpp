#include "tests/rules/Simulation.h"

#include <random>
#include <vector>

#include "ai/Chance.h"
#include "tests/rules/TablePlayer.h"

static void Mix(std::uint64_t& hash, std::uint64_t value) {
    hash ^= value + 0x9e3779b97f4a7c15ULL + (hash << 6) + (hash >> 2);
}

static bool InStartingPosition(const GameTable& table) {
    static const int counts[28] = {0, 2, 0, 0, 0, 0, 5, 0, 3, 0, 0, 0, 5, 5,
                                   0, 0, 0, 3, 0, 5, 0, 0, 0, 0, 2, 0, 0, 0};
    for (int p = 0; p < 28; p++) {
        if (table.points[p].count != static_cast<unsigned>(counts[p])) {
            return false;
        }
    }
    return table.points[1].Owner() == ComputerSide && table.points[6].Owner() == HumanSide;
}

// The human's points from which the selected die gives a move the table accepts.
static std::vector<int> LegalSources(const GameTable& table, int die) {
    std::vector<int> sources;
    for (int s = 1; s <= HumanBar; s++) {
        if (table.points[s].Owner() == HumanSide && table.HumanMoveTarget(s, die).allowed) {
            sources.push_back(s);
        }
    }
    return sources;
}

SimulationResult Simulate(GameTable& table, int games, unsigned seed, long frameLimit) {
    SimulationResult result;
    TablePlayer player(table);
    std::mt19937 human(seed);
    Srand(seed);
    table.RollForTurn();

    const int firstGames = table.gamesFinished;
    int turns = table.turnsStarted;
    int turnFrames = 0;
    long gameFrames = 0;
    int wait = 0;
    int restartCountdown = -1;

    while (table.gamesFinished - firstGames < games && result.frames < frameLimit) {
        // 1. The scripted human, between frames, as the window procedure would see it.
        if (player.HumanMayAct()) {
            if (wait > 0) {
                wait--;
            } else {
                wait = static_cast<int>(human() % 3);
                const int die = table.dice[table.selectedDie].value;
                const int other = table.dice[1 - table.selectedDie].value;
                std::vector<int> sources = LegalSources(table, die);
                const bool mayFlip = table.movesLeft == 2 && !table.doubles;
                if (mayFlip && (sources.empty() || human() % 8 == 0) &&
                    !LegalSources(table, other).empty()) {
                    float px, py;
                    player.PixelForPoint(static_cast<int>(human() % 26), px, py);
                    player.RightClick(px, py);
                } else if (!sources.empty()) {
                    const int s = sources[human() % sources.size()];
                    if (!player.ClickPoint(s)) {
                        result.failedClicks++;
                    }
                }
            }
        } else if (human() % 16 == 0) {
            // The mouse wanders while the hand is busy; the table must not care.
            player.MouseMove(static_cast<float>(human() % 800), static_cast<float>(human() % 600));
        }

        // 2. One frame.
        const int finishedBefore = table.gamesFinished;
        player.Frame();
        result.frames++;
        gameFrames++;
        turnFrames++;
        if (!table.IsValid()) {
            result.invalidFrames++;
        }

        // 3. Turns: every roll starts one.
        if (table.turnsStarted != turns) {
            turns = table.turnsStarted;
            if (turnFrames > result.longestTurn) {
                result.longestTurn = turnFrames;
            }
            turnFrames = 0;
            Mix(result.fingerprint,
                static_cast<std::uint64_t>(table.dice[0].value * 7 + table.dice[1].value));
            for (int p = 0; p < 28; p++) {
                Mix(result.fingerprint, table.points[p].count * 4 + table.points[p].Owner());
            }
        }

        // 4. Games: each ends, pauses, and the next starts from the starting position.
        if (table.gamesFinished != finishedBefore) {
            result.games++;
            result.humanWins += table.lastWinner == HumanSide ? 1 : 0;
            if (gameFrames > result.longestGame) {
                result.longestGame = gameFrames;
            }
            gameFrames = 0;
            restartCountdown = GameTable::GameOverPauseFrames;
        } else if (restartCountdown > 0 && --restartCountdown == 0) {
            if (!InStartingPosition(table) || table.currentSide != HumanSide ||
                table.movesLeft < 2) {
                result.badRestarts++;
            }
        }
    }
    result.blockedTurnsPassed = table.blockedTurnsPassed;
    result.stalledComputerTurns = table.stalledComputerTurns;
    return result;
}
