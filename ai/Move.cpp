#include "ai/Move.h"

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
