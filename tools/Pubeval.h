#pragma once

#include <string>

#include "ai/BoardState.h"

// The public benchmark evaluator: a linear score over 122 inputs of the position after the
// mover's play, with one weight column for races and one for contact (the column is chosen by
// the position before the play). Higher is better for the side that just moved. It is only a
// yardstick and a teacher for training; the game itself never uses it.
class Pubeval {
public:
    // Reads the table (input index, race weight, contact weight per line; '#' starts a comment).
    // Returns false with a message in `error` on a missing file or a malformed line.
    bool Load(const std::string& path, std::string& error);
    // The score of `after` (mover's frame, mover just moved).
    float Score(const PointEntry after[26], bool race) const;

    float weights[2][122] = {};
};

// Checkers the mover (player 1) still has on the board or the bar.
int MoverCheckers(const PointEntry points[26]);

// Reads the weight table from `path` if given, else from the first of DataFolders() that has it.
bool LoadPubeval(Pubeval& pubeval, const std::string& path, std::string& error);
