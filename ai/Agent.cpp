#include "ai/Agent.h"

#include "ai/Chance.h"

bool IsRace(const BoardState& board) {
    bool passedPlayerOne = false;
    for (unsigned p = 0; p < 26; ++p) {
        if (board.points[p].owner == 1) {
            passedPlayerOne = true;
        } else if (board.points[p].owner == 2 && passedPlayerOne) {
            return false;
        }
    }
    return true;
}

float PositionValue(NeuralNet& net, const PointEntry points[26]) {
    unsigned active[26];
    const unsigned activeCount = EncodeActive(points, active);
    return net.EvaluateOneHot(active, activeCount);
}

Agent::Agent() {
    Reset();
    Srand(static_cast<unsigned>(ClockSeconds()));
}

float Agent::Evaluate() {
    // One draw in a thousand scores above anything the sum can reach.
    if (Rand() % 1000 == 0) {
        return 10000.0f;
    }
    int score = 0;
    for (unsigned p = 1; p <= 24; ++p) {
        const PointEntry& point = searchBoard.points[p];
        if (point.owner != 1) {
            continue;
        }
        if (point.count >= 2) {
            score += static_cast<int>(p);
        } else if (point.count == 1) {
            score -= static_cast<int>(p);
        }
    }
    score += 12 * static_cast<int>(searchBoard.points[25].count);
    return static_cast<float>(score);
}

void Agent::Reset() {
    searchBoard.ResetToStart();
    BuildCheckerList();
}

void Agent::BuildCheckerList() {
    // A record with more than fifteen player-1 checkers is not a position of the game; its extra
    // checkers are left out of the list rather than written past it.
    checkerCount = 0;
    for (unsigned p = 0; p < 26; ++p) {
        if (searchBoard.points[p].owner != 1) {
            continue;
        }
        for (unsigned c = 0; c < searchBoard.points[p].count && checkerCount < 15; ++c) {
            checkerList[checkerCount] = p;
            savedCheckerList[checkerCount] = p;
            ++checkerCount;
        }
    }
}

void Agent::RestoreCheckerList() {
    for (unsigned i = 0; i < 15; ++i) {
        checkerList[i] = savedCheckerList[i];
    }
}

unsigned Agent::Prepare(const BoardState& board, unsigned player, MoveList& moves) {
    searchBoard.CopyFrom(board);
    if (player == 2) {
        searchBoard.Mirror();
    }
    searchBoard.Save();
    BuildCheckerList();
    moves.Clear();
    return 0;
}

unsigned Agent::ChooseMove(const BoardState& board, unsigned player, const unsigned dice[2],
                           MoveList& moves) {
    Prepare(board, player, moves);
    return Search(dice, moves);
}

unsigned Agent::ChooseMoveReference(const BoardState& board, unsigned player,
                                    const unsigned dice[2], MoveList& moves) {
    Prepare(board, player, moves);
    return Agent::Search(dice, moves);
}

unsigned Agent::ChoosePlay(const BoardState& board, unsigned player, const unsigned dice[2],
                           Play& play) {
    MoveList moves;
    ChooseMove(board, player, dice, moves);
    // The indices were counted on the position before the roll, which the search keeps.
    return ReadPlay(searchBoard.saved, moves, play);
}

unsigned Agent::Search(const unsigned dice[2], MoveList& moves) {
    if (dice[0] != dice[1]) {
        return SearchNonDoubles(dice, moves);
    }
    return SearchDoubles(dice[0], moves);
}

unsigned Agent::SearchNonDoubles(const unsigned dice[2], MoveList& moves) {
    const unsigned n = checkerCount;
    const unsigned b = searchBoard.points[0].count;
    bool foundTwo = false;
    bool foundOne = false;
    float best = 0.0f;
    const bool smallerDieBarred =
        largerDieRule && searchBoard.CanPlayDie(dice[0] > dice[1] ? dice[0] : dice[1]);
    for (unsigned pass = 0; pass < 2; ++pass) {
        const unsigned firstDie = pass == 0 ? dice[0] : dice[1];
        const unsigned secondDie = pass == 0 ? dice[1] : dice[0];
        const unsigned iEnd = b == 0 ? n : 1;
        for (unsigned i = 0; i < iEnd && i < n; ++i) {
            unsigned jBegin = b == 0 ? i : 0;
            unsigned jEnd = n;
            if (b >= 2) {
                jBegin = 1;
                jEnd = n < 2 ? n : 2;
            }
            for (unsigned j = jBegin; j < jEnd; ++j) {
                // 1. The first die.
                if (searchBoard.MoveChecker(checkerList[i], firstDie)) {
                    checkerList[i] += firstDie;
                    // 2. The second die, possibly on the same checker.
                    if (checkerList[j] <= 24 &&
                        searchBoard.MoveChecker(checkerList[j], secondDie)) {
                        checkerList[j] += secondDie;
                        const float v = Evaluate();
                        if (!foundTwo || v > best) {
                            best = v;
                            foundTwo = true;
                            moves.Clear();
                            moves.Add(i, firstDie);
                            moves.Add(j, secondDie);
                        }
                    } else if (!foundTwo && !(smallerDieBarred && firstDie < secondDie)) {
                        // 3. Only one die can be played after this first move, and it may be
                        // this one.
                        const float v = Evaluate();
                        if (!foundOne || v > best) {
                            best = v;
                            foundOne = true;
                            moves.Clear();
                            moves.Add(i, firstDie);
                        }
                    }
                }
                // 4. Back to the position before the roll.
                searchBoard.Restore();
                RestoreCheckerList();
            }
        }
    }
    return foundTwo ? 2 : (foundOne ? 1 : 0);
}

unsigned Agent::SearchDoubles(unsigned die, MoveList& moves) {
    const unsigned n = checkerCount;
    const unsigned b = searchBoard.points[0].count;
    // Bar checkers take the first moves in turn: index m is fixed for the first min(b, 4) moves.
    unsigned begin[4];
    unsigned end[4];
    for (unsigned m = 0; m < 4; ++m) {
        begin[m] = m < b ? m : 0;
        end[m] = m < b ? m + 1 : n;
        if (end[m] > n) {
            end[m] = n;
        }
    }
    unsigned bestCount = 0;
    float bestValue = 0.0f;
    unsigned k[4];
    for (k[0] = begin[0]; k[0] < end[0]; ++k[0]) {
        for (k[1] = begin[1]; k[1] < end[1]; ++k[1]) {
            for (k[2] = begin[2]; k[2] < end[2]; ++k[2]) {
                for (k[3] = begin[3]; k[3] < end[3]; ++k[3]) {
                    // 1. Make the four moves; a failed move is skipped.
                    unsigned c = 0;
                    bool made[4] = {false, false, false, false};
                    bool stop = false;
                    for (unsigned m = 0; m < 4; ++m) {
                        if (searchBoard.MoveChecker(checkerList[k[m]], die)) {
                            checkerList[k[m]] += die;
                            ++c;
                            made[m] = true;
                        } else if (searchBoard.points[0].count == m + 1) {
                            stop = true;
                        }
                    }
                    // 2. More moves win outright; as many moves need a strictly higher value, so
                    // the first of equal plays found stays.
                    bool take = false;
                    if (c > bestCount) {
                        bestCount = c;
                        bestValue = Evaluate();
                        take = true;
                    } else if (c == bestCount) {
                        const float v = Evaluate();
                        if (v > bestValue) {
                            bestValue = v;
                            take = true;
                        }
                    }
                    if (take) {
                        moves.Clear();
                        for (unsigned m = 0; m < 4; ++m) {
                            if (made[m]) {
                                moves.Add(k[m], die);
                            }
                        }
                    }
                    // 3. Checkers on the bar that cannot enter end the search.
                    if (stop) {
                        return bestCount;
                    }
                    // 4. Back to the position before the roll.
                    searchBoard.Restore();
                    RestoreCheckerList();
                }
            }
        }
    }
    return bestCount;
}
