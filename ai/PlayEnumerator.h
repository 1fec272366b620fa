#pragma once

#include <cstdint>
#include <vector>

#include "ai/BoardState.h"
#include "ai/MoveList.h"

// One play the computer may choose: the position it leads to (mover = player 1) and the first
// MoveList, in the search's enumeration order, that reaches it.
struct PlayCandidate {
    PointEntry points[26];
    MoveList moves;
};

// Receives the candidates of a walk, in first-found order. A candidate's moves.count never falls
// below that of the one before; when it rises, the earlier candidates are out (a play that uses
// more dice always wins).
class PlayVisitor {
public:
    virtual ~PlayVisitor() = default;
    virtual void Visit(const PointEntry points[26], const MoveList& moves) = 0;
};

// Finds the distinct positions among which the computer chooses its play, for the mover (player
// 1) of a board's current points and a roll, in the order in which the plain search meets them:
//   - two different dice: every play that uses both dice (first die then second, then the other
//     way round; checkers by ascending index), or, when there is none, every play of one die;
//   - doubles: every play that makes the largest number of moves, the four checker indices of a
//     quadruple ascending with the first outermost, under the plain search's bar rules and its
//     stop when checkers on the bar cannot enter.
// Choosing the first candidate of the highest value (a later one must be strictly better) gives
// exactly the plain search's MoveList. A prefix of moves that reaches a position already reached
// at the same depth by an earlier prefix is not followed: every play it leads to was found
// earlier. The tables are allocated here, once; a walk allocates nothing. One enumerator serves
// one caller at a time.
class PlayEnumerator {
public:
    PlayEnumerator();
    virtual ~PlayEnumerator() = default;

    // Under the full rules a roll of which only one die can be played must play the larger when
    // it can: one-die plays of the smaller die are then no candidates. Off, the values decide
    // between one-die plays of either die, as the game's looser rules have it.
    bool largerDieRule = true;

    // Visits each candidate once. Rolls where nothing can move visit nothing.
    void Walk(const PointEntry points[26], const unsigned dice[2], PlayVisitor& visitor);

    // Writes up to `capacity` candidates to `out` and returns how many there are. When nothing can
    // move there is one candidate: the position unchanged, with an empty MoveList.
    unsigned Enumerate(const PointEntry points[26], const unsigned dice[2], PlayCandidate* out,
                       unsigned capacity);

    // Whether positions of these points can be told apart by the walk's tables: owners 0..2, at
    // most 15 checkers on a point and 15 for player 1. Other boards are walked without pruning,
    // exactly as the plain search would, and then candidates may repeat.
    static bool Distinguishes(const PointEntry points[26]);

private:
    struct Slot {
        std::uint64_t key[4];
    };

    void WalkNonDoubles(unsigned firstDie, unsigned secondDie);
    bool WalkDoubles(unsigned depth, unsigned made, bool stop);
    void Offer(const PointEntry points[26]);
    bool IsNew(const std::uint64_t position[4], unsigned tag, unsigned made);

    std::vector<Slot> slots;
    std::uint32_t generation = 0;
    unsigned used = 0;
    bool pruning = false;

    BoardState stack[5];
    std::uint64_t keys[5][4] = {};
    unsigned checkers[15] = {};
    unsigned checkerCount = 0;
    unsigned barCount = 0;
    unsigned die = 0;
    unsigned bestCount = 0;
    // The roll's larger die can be played, so a one-die play of the smaller is not legal.
    bool smallerDieBarred = false;
    MoveList path;
    PlayVisitor* visitor = nullptr;
};
