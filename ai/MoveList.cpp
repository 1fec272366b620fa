#include "ai/MoveList.h"

void MoveList::Add(unsigned checkerIndex, unsigned die) {
    if (count >= 4) {
        return;
    }
    indices[count] = checkerIndex;
    dice[count] = die;
    ++count;
}

unsigned MoveList::CopyOut(unsigned outIndices[4], unsigned outDice[4]) const {
    for (unsigned m = 0; m < count; ++m) {
        outIndices[m] = indices[m];
        outDice[m] = dice[m];
    }
    return count;
}
