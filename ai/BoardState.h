#pragma once

// The computer player's compact position record, always in the frame of player 1 (who moves from
// point 0 towards 24 and bears off beyond 24; point 0 is player 1's bar, point 25 player 2's).
// Owner codes: 0 empty, 1 player 1, 2 player 2; a point with count 0 has owner 0. The saved half
// is the position before the roll, to which every trial move of a search returns. Checkers borne
// off are not recorded.
struct PointEntry {
    unsigned owner = 0;
    unsigned count = 0;
};

class BoardState {
public:
    // Holds the starting position in both halves.
    BoardState();
    virtual ~BoardState() = default;

    void ResetToStart();
    void Save();
    void Restore();
    void CopyFrom(const BoardState& other);
    // Turns the current points into the other side's frame; the saved half is left alone.
    void Mirror();
    // Moves one player-1 checker from `from` by `die` pips, hitting a lone player-2 checker onto
    // point 25 and bearing off when allowed. Returns false, changing nothing, when the move is
    // impossible. It does not check that `from` holds a player-1 checker, nor that the bar is
    // empty: the search only moves checkers it has listed, bar checkers first.
    bool MoveChecker(unsigned from, unsigned die);
    // Whether MoveChecker would make that move.
    bool CanMoveChecker(unsigned from, unsigned die) const;
    // Whether player 1 may bear off the checker on `from` to `to` (from + die, at least 25).
    bool CanBearOff(unsigned from, unsigned to) const;
    // Whether player 1 may move the checker on `from` by `die` now: it is player 1's, nothing
    // waits on the bar unless it is the bar checker itself, and MoveChecker would make the move.
    bool MayMove(unsigned from, unsigned die) const;
    // Whether some player-1 checker may move by `die` now.
    bool CanPlayDie(unsigned die) const;

    PointEntry points[26];
    PointEntry saved[26];
};

// The point on which checker `index` starts a game: 0..14 are player 1's, by ascending point (two
// on 1, five on 12, three on 17, five on 19), 15..29 player 2's on the mirror points 25 - p in the
// same order (24, 13, 8, 6). The table lays its checkers out by this index.
unsigned StartingPoint(unsigned index);

// How many network inputs describe a position: for each of the 24 points, four for player 1's
// count and four for player 2's, and four for player 1's bar at either end.
constexpr unsigned InputCount = 200;

// Sets the network inputs (each 0 or 1) that describe the given current points.
void Encode(const PointEntry points[26], float inputs[InputCount]);

// The indices of the inputs that Encode sets to 1, ascending; returns how many (at most 26).
unsigned EncodeActive(const PointEntry points[26], unsigned active[26]);
