#pragma once

#include <cstdint>
#include <vector>

// The trainer's compact copy of a position, in the mover's frame exactly like the computer
// player's record: point 0 is the mover's bar, 1..24 the board (the mover travels upwards and
// bears off beyond 24), 25 the opponent's bar. A positive count belongs to the mover, a negative
// one to the opponent. Borne-off checkers are not recorded. The padding keeps the record at 32
// bytes so that positions compare and hash as four words.
struct Position {
    signed char points[26];
    signed char pad[6];
};

Position StartPosition();
bool SamePosition(const Position& a, const Position& b);
// The same position seen from the other side (who then becomes the mover).
Position Mirrored(const Position& p);
// True when every opponent checker stands below every mover checker (no more contact).
bool IsRacePosition(const Position& p);
// Checkers the mover still has on the board or the bar.
int MoverCheckers(const Position& p);
// Moves one mover checker from `from` by `die` under the game's rules; false and no change if
// that move is not allowed.
bool MoveOne(Position& p, int from, int die);

// The distinct positions that the game's search can reach with this roll, in the order in which
// that search first meets them: only plays that use the most dice, and among those the search
// keeps the first of the highest value. Choosing the first maximum over this list therefore
// chooses what the search chooses. When nothing can be moved the list holds the unchanged
// position.
class PlayFinder {
public:
    PlayFinder();
    void Find(const Position& start, int die1, int die2, std::vector<Position>& out);

private:
    struct Slot {
        uint64_t key[4];
        uint32_t stamp;
        int moves;
    };
    void Record(const Position& p, int moves);
    void SearchDoubles(int level, const Position& p, const int list[15], int moves);
    bool Insert(const Position& p, int moves);

    std::vector<Slot> table;
    uint32_t stamp = 0;
    int checkerCount = 0;
    int barCount = 0;
    int die = 0;
    int bestMoves = 0;
    std::vector<Position> found;
    std::vector<int> foundMoves;
};

// The 200 network inputs of a position are all 0 or 1; this lists the indices of the ones, in
// ascending order, which is all the network needs.
int ActiveInputs(const Position& p, int out[64]);
