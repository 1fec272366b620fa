#pragma once

// The computer's chosen play: up to four (checker index, die) pairs in the order they are to be
// made. A checker index counts the mover's checkers by ascending point in the mover's frame, bar
// first, as they stood before the roll; an index may repeat when one checker moves again.
class MoveList {
public:
    virtual ~MoveList() = default;

    void Clear() { count = 0; }
    void Add(unsigned checkerIndex, unsigned die);
    unsigned CopyOut(unsigned outIndices[4], unsigned outDice[4]) const;

    unsigned indices[4] = {0, 0, 0, 0};
    unsigned dice[4] = {0, 0, 0, 0};
    unsigned count = 0;
};
