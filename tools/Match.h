#pragma once

#include <cstdint>
#include <memory>
#include <random>
#include <string>

#include <vector>

#include "ai/Agent.h"
#include "ai/BoardState.h"
#include "ai/MoveList.h"
#include "ai/PlayEnumerator.h"
#include "tools/Pubeval.h"

// One side of a match. It is handed the board in its own frame (it is player 1 and moves
// upwards) and the roll, and answers a MoveList read exactly as the game reads the computer's.
class MatchPlayer {
public:
    virtual ~MatchPlayer() = default;
    virtual void Choose(const BoardState& board, const unsigned dice[2], MoveList& moves) = 0;
};

// pubeval as an agent's evaluation, so that it plays under the same search and the same rules.
// The race column follows the position before the play: call Prepare with it before each
// ChooseMove. Its search walks the distinct candidates, as the network agent's does: pubeval is
// a pure function of the position, so the choice is the plain search's.
class PubevalAgent : public Agent {
public:
    explicit PubevalAgent(const Pubeval& pubeval);
    float Evaluate() override;
    void Prepare(const BoardState& board);

protected:
    unsigned Search(const unsigned dice[2], MoveList& moves) override;

private:
    const Pubeval& pubeval;
    bool race = false;
    PlayEnumerator enumerator;
    std::vector<PlayCandidate> candidates;
};

// "net:DIR" (the game's computer player with the weight files from DIR), "pubeval", "heuristic"
// (the base agent's hand-written score) or "random". Null with a message for anything else.
std::unique_ptr<MatchPlayer> MakeMatchPlayer(const std::string& name, const Pubeval& pubeval,
                                             std::string& error);

// Makes the moves of a MoveList for player 1 of `board`, as the game's turn flow does: each entry
// moves the checker of that index in the list built before the play, from wherever it stands.
// False if an entry names no checker or a move the rules refuse (the board is then unreliable).
bool ApplyMoves(BoardState& board, const MoveList& moves);

struct MatchResult {
    int winsA = 0;
    int winsB = 0;
    double seconds = 0.0;
    std::string error;
};

// Plays `games` games, A moving first in the even ones. Dice come from a generator of the seed;
// the C generator and the clock the agents seed it from are fixed from the seed as well, so the
// same seed plays the same games.
MatchResult PlayMatch(const std::string& a, const std::string& b, int games, uint32_t seed,
                      const Pubeval& pubeval, bool progress);
