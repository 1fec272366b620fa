#pragma once

#include <array>
#include <cstdint>
#include <unordered_set>
#include <vector>

#include "ai/BoardState.h"
#include "ai/PlayEnumerator.h"

// The legal plays of one roll from one position under the full rules of backgammon, and the
// single moves that lead into them, for the mover (player 1 of a BoardState's points).
//
// The plays are the computer player's own candidates (PlayEnumerator, larger-die rule on): enter
// from the bar first, use both dice when possible, the larger when only one can be used, as many
// moves of doubles as possible, bear off only with every checker home and then exactly or, with a
// larger die, from the farthest point. A single move is legal when the mover may make it now
// (BoardState::MayMove) and some legal play of the roll goes on from where it leaves the board
// with the dice still unused. So a player who moves click by click reaches exactly the positions
// of the legal plays, in any order of their moves the board allows, and the turn is over exactly
// when no legal move remains. The rules of a single move and of a whole play live in the
// generator and the board; this class only joins them.
class LegalPlays {
public:
    // The roll's plays from `start` with dice `a` and `b`. The result is kept until the next
    // call with another position or roll.
    void Begin(const PointEntry start[26], unsigned a, unsigned b);

    // How many moves every legal play makes: 0 when the roll cannot be played.
    unsigned PlayLength() const { return playLength; }
    // Whether moving the checker on `from` by `die` is legal at `now`, reached from the start by
    // the moves whose dice are marked in `used`: bits 0 and 1 for the two dice of a roll, and
    // for doubles one bit a move made, from bit 0 up.
    bool Allows(const BoardState& now, unsigned used, unsigned from, unsigned die) const;
    // The mark `used` gains when a move of `die` is made; 0 when no die of that value is left.
    unsigned DieBit(unsigned used, unsigned die) const;

    // A board, one byte a point (owner and count), and the dice already played in the last word.
    using Key = std::array<std::uint64_t, 4>;
    struct KeyHash {
        std::size_t operator()(const Key& k) const {
            return static_cast<std::size_t>(
                k[0] * 0x9E3779B97F4A7C15ull ^ k[1] * 0xC2B2AE3D27D4EB4Full ^
                k[2] * 0x165667B19E3779F9ull ^ k[3] * 0xD6E8FEB86659FD93ull);
        }
    };
    using KeySet = std::unordered_set<Key, KeyHash>;
    static Key KeyOf(const PointEntry points[26], unsigned used);
    // Whether `final` is where a legal play of the roll ends.
    bool IsPlayEnd(const PointEntry final[26]) const;

private:
    PlayEnumerator enumerator;
    Key startKey = {};
    unsigned dice[2] = {0, 0};
    bool doubles = false;
    unsigned playLength = 0;
    KeySet playEnds;
    // Every (board, dice used) on the way from the start to a legal play's end.
    KeySet onTheWay;
};
