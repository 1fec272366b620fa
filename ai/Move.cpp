#include "ai/Move.h"

unsigned ReadPlay(const PointEntry before[26], const MoveList& moves, Play& play) {
    BoardState replay;
    unsigned at[15] = {};
    unsigned checkers = 0;
    for (unsigned p = 0; p < 26; ++p) {
        replay.points[p] = before[p];
        for (unsigned c = 0; before[p].owner == 1 && c < before[p].count && checkers < 15; ++c) {
            at[checkers++] = p;
        }
    }
    play.count = 0;
    for (unsigned m = 0; m < moves.count && m < 4; ++m) {
        const unsigned index = moves.indices[m];
        const unsigned die = moves.dice[m];
        if (index >= checkers) {
            break;
        }
        Move& move = play.moves[play.count];
        move.from = at[index];
        move.to = at[index] + die > 25 ? 25 : at[index] + die;
        move.die = die;
        move.hits =
            move.to <= 24 && replay.points[move.to].owner == 2 && replay.points[move.to].count == 1;
        if (!replay.MoveChecker(move.from, die)) {
            break;
        }
        at[index] += die;
        ++play.count;
    }
    return play.count;
}

bool MakePlay(BoardState& board, const Play& play) {
    if (play.count > 4) {
        return false;
    }
    for (unsigned m = 0; m < play.count; ++m) {
        const Move& move = play.moves[m];
        if (move.from > 24 || board.points[move.from].owner != 1 ||
            !board.MoveChecker(move.from, move.die)) {
            return false;
        }
    }
    return true;
}
