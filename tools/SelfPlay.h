#pragma once

#include <cstdint>
#include <random>
#include <string>
#include <vector>

#include "ai/BoardState.h"
#include "ai/NeuralNet.h"
#include "ai/PlayEnumerator.h"
#include "tools/Pubeval.h"

// The candidate plays of one roll, from the game's own enumeration: the distinct positions its
// search can reach, in the order in which it first meets them, so that taking the first of the
// highest value takes the game's play. When nothing can move, the one candidate is the unchanged
// position. The storage is kept from roll to roll.
class RollPlays {
public:
    RollPlays();
    void Find(const PointEntry points[26], int die1, int die2);
    size_t Size() const { return count; }
    const PointEntry* operator[](size_t i) const { return list[i].points; }
    // The roll of the last Find, as it was given.
    int Die(int which) const { return dice[which]; }

private:
    PlayEnumerator enumerator;
    std::vector<PlayCandidate> list;
    size_t count = 0;
    int dice[2] = {1, 1};
};

// The game's rule for choosing: the first candidate of the highest value (a later one must be
// strictly better).
template <class ValueOf>
int FirstOfHighest(const RollPlays& candidates, ValueOf valueOf) {
    int best = 0;
    float bestValue = 0.0f;
    for (size_t c = 0; c < candidates.Size(); ++c) {
        const float v = valueOf(candidates[c]);
        if (c == 0 || v > bestValue) {
            bestValue = v;
            best = static_cast<int>(c);
        }
    }
    return best;
}

// One side of a game played by the tools: the computer player, an agent, a network or pubeval
// choosing among the candidates, or the networks learning as they play.
class GamePlayer {
public:
    virtual ~GamePlayer() = default;
    // Makes this player's play of `dice` on `board`, given in the player's own frame (it is
    // player 1 and moves upwards). False when the play is one the rules refuse; the board is then
    // unreliable.
    virtual bool TakeTurn(BoardState& board, const unsigned dice[2]) = 0;
};

// A player that picks one of the candidate positions of the roll (all in the mover's frame).
class Chooser : public GamePlayer {
public:
    bool TakeTurn(BoardState& board, const unsigned dice[2]) override;
    virtual int Choose(const BoardState& before, const RollPlays& candidates) = 0;

private:
    RollPlays candidates;
};

// The game's choice: the race network when the position before the play is a race, the contact
// network otherwise, first candidate of the highest value.
class NetChooser : public Chooser {
public:
    NetChooser(NeuralNet& contact, NeuralNet& race) : contact(contact), race(race) {}
    int Choose(const BoardState& before, const RollPlays& candidates) override;

    NeuralNet& contact;
    NeuralNet& race;
};

// pubeval's choice, its column picked by the position before the play; the same play as pubeval
// valuing the positions of the game's own search would choose.
class PubevalChooser : public Chooser {
public:
    explicit PubevalChooser(const Pubeval& pubeval) : pubeval(pubeval) {}
    int Choose(const BoardState& before, const RollPlays& candidates) override;

    const Pubeval& pubeval;
};

// Plays one game from `start`, `first` on roll, each turn's dice drawn two at a time from `dice`
// and the position turned to the next mover's frame after every play. Returns 0 when `first`
// bears off its last checker before `second`, 1 when `second` does, -1 when a player's play is
// refused or the game runs past 20,000 plays.
int PlayGame(GamePlayer& first, GamePlayer& second, std::mt19937& dice,
             const BoardState& start = BoardState());

struct MatchResult {
    int winsA = 0;
    int winsB = 0;
    double seconds = 0.0;
    std::string error;
};

// Plays `games` games of A against B from the start, A moving first in the even ones, all on the
// one stream of dice; stops at the first refused play with `error` naming the game. With
// `progress`, the score goes to stderr every thousand games.
MatchResult PlayGames(GamePlayer& a, GamePlayer& b, int games, std::mt19937& dice, bool progress);

// Win rate of the networks against pubeval over `games` games, first move alternating.
double WinRateAgainstPubeval(NeuralNet& contact, NeuralNet& race, const Pubeval& pubeval, int games,
                             uint32_t seed);
