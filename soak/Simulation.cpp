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
        if (rules.PointAt(s).Owner() == Side::Human && rules.HumanMoveTarget(s, die).allowed) {
            sources.push_back(s);
        }
    }
    return sources;
}

// A turn under way: its side, roll and first board; checked against the legal plays when it ends.
struct TurnRecord {
    Side side = Side::None;
    unsigned dice[2] = {0, 0};
    PointEntry start[26];
};

// Whether the turn ended on a legal play of its roll: one of the plays' ends, or the board it
// started from when the roll could not be played.
static bool EndsOnALegalPlay(const GameRules& rules, const TurnRecord& turn, LegalPlays& plays) {
    PointEntry end[26];
    rules.Board().MoverFrame(turn.side, end);
    plays.Begin(turn.start, turn.dice[0], turn.dice[1]);
    if (plays.PlayLength() > 0) {
        return plays.IsPlayEnd(end);
    }
    for (int p = 0; p < 26; p++) {
        if (end[p].owner != turn.start[p].owner || end[p].count != turn.start[p].count) {
            return false;
        }
    }
    return true;
}

SimulationResult Simulate(const std::string& weights, int games, unsigned seed, bool looseRules,
                          const std::function<void(const SimulationResult&)>& afterGame) {
    SimulationResult result;
    auto table = std::make_unique<GameTable>();
    GameRules& rules = table->Rules();
    const TurnDirector& director = table->Director();
    table->UseLooseRules(looseRules);
    table->Computer().weightDirectory = weights;
    LegalPlays plays;
    TurnRecord turn;
    // Checks the turn that has just ended, if any, and forgets it.
    auto checkTurnEnd = [&]() {
        if (!looseRules && turn.side != Side::None && !EndsOnALegalPlay(rules, turn, plays)) {
            result.fault = std::string(turn.side == Side::Human ? "a human" : "a computer") +
                           " turn did not end on a legal play of " + std::to_string(turn.dice[0]) +
                           "-" + std::to_string(turn.dice[1]) + ", after frame " +
                           std::to_string(result.frames);
        }
        turn.side = Side::None;
    };
    TablePlayer player(*table);
    std::mt19937 human(seed);
    // The computer's agents seed the dice from the clock when they are made: a fixed clock keeps
    // a seed's games the same from run to run.
    SetClockSource([] { return std::time_t{1700000000}; });
    Srand(seed);
    rules.RollForTurn();
    int turns = rules.TurnsStarted(), turnFrames = 0, wait = 0;
    auto fail = [&](const std::string& what) {
        result.fault = what + ", after frame " + std::to_string(result.frames);
    };

    while (result.games < games && result.fault.empty()) {
        // 1. The human, between frames, only when the window would let them act. A die with no
        // move is switched away from; when neither die has one the table passes the turn.
        if (director.HumanMayAct() && rules.MovesLeft() > 0 && --wait < 0) {
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
        const PositionRule broken = rules.Board().Broken();
        if (broken != PositionRule::None) {
            result.invariantBreaks++;
            fail(std::string("the position broke a rule: ") + RuleName(broken));
        }
        if (turnFrames > TurnFrameLimit) {
            fail("a turn is stuck");
        }

        // 3. Every roll starts a turn: the human's opens with four moves for doubles, on die 0, or
        // under the full rules on a die that can be played when either can. The turn before it
        // ended on a legal play.
        if (rules.TurnsStarted() != turns) {
            checkTurnEnd();
            if (rules.CurrentSide() == Side::Human && director.GameOverFrames() == 0) {
                const bool doubles = rules.DieValue(0) == rules.DieValue(1);
                const bool dieOk =
                    looseRules ? rules.SelectedDie() == 0
                               : rules.CanMove(rules.SelectedValue()) || !rules.HumanHasAnyMove();
                if (rules.MovesLeft() != (doubles ? 4 : 2) || !dieOk) {
                    fail("a human turn opened wrongly");
                }
            }
            turn.side = rules.CurrentSide();
            turn.dice[0] = static_cast<unsigned>(rules.DieValue(0));
            turn.dice[1] = static_cast<unsigned>(rules.DieValue(1));
            rules.Board().MoverFrame(turn.side, turn.start);
            turns = rules.TurnsStarted();
            result.turns++;
            result.longestTurn = std::max(result.longestTurn, turnFrames);
            turnFrames = 0;
        }
        if (director.GamesFinished() != result.games) {
            checkTurnEnd();
            result.games = director.GamesFinished();
            if (afterGame) {
                afterGame(result);
            }
        }
    }
    SetClockSource(nullptr);
    // The computer's own plays must all be ones the table accepts.
    if (result.fault.empty() && director.StalledComputerTurns() != 0) {
        fail(std::to_string(director.StalledComputerTurns()) + " computer plays were refused");
    }
    return result;
}
