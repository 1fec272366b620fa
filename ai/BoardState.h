#pragma once

// The computer player's compact position record, always in the frame of player 1 (who moves from
// point 0 towards 24 and bears off beyond 24; point 0 is player 1's bar, point 25 player 2's).
// Owner codes: 0 empty, 1 player 1, 2 player 2; a point with count 0 has owner 0. The saved half
// is the position before the roll, to which every trial move of a search returns.
struct PointEntry {
    unsigned owner = 0;
    unsigned count = 0;
};

class BoardState {
public:
    BoardState();
    virtual ~BoardState() = default;

    void ResetToStart();
    void Save();
    void Restore();
    void CopyFrom(const BoardState& other);
    void Mirror();
    bool MoveChecker(unsigned from, unsigned die);
    bool CanBearOff(unsigned from, unsigned to) const;

    PointEntry points[26];
    PointEntry saved[26];
};
