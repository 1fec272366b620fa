#include "tests/ai/AiTestSupport.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <functional>
#include <vector>

BoardState BoardFromSigned(const std::array<int, 26>& b) {
    BoardState board;
    for (unsigned p = 0; p < 26; ++p) {
        const int v = b[p];
        board.points[p].owner = v > 0 ? 1 : (v < 0 ? 2 : 0);
        board.points[p].count = static_cast<unsigned>(v < 0 ? -v : v);
    }
    board.Save();
    return board;
}

std::string BoardProblem(const BoardState& board) {
    unsigned side[3] = {0, 0, 0};
    for (unsigned p = 0; p < 26; ++p) {
        const PointEntry& e = board.points[p];
        if (e.owner > 2) {
            return "owner out of range at " + std::to_string(p);
        }
        if ((e.owner == 0) != (e.count == 0)) {
            return "owner and count disagree at " + std::to_string(p);
        }
        side[e.owner] += e.count;
    }
    if (board.points[0].owner == 2 || board.points[25].owner == 1) {
        return "a checker on the other side's bar";
    }
    if (side[1] > 15 || side[2] > 15) {
        return "more than 15 checkers a side";
    }
    return "";
}

static void Place(BoardState& board, unsigned owner, unsigned point) {
    board.points[point].owner = owner;
    board.points[point].count += 1;
}

BoardState RandomBoard(std::mt19937& rng) {
    BoardState board;
    for (PointEntry& e : board.points) {
        e = PointEntry{};
    }
    auto uniform = [&rng](unsigned lo, unsigned hi) {
        return std::uniform_int_distribution<unsigned>(lo, hi)(rng);
    };
    const unsigned kind = uniform(0, 3);
    // Player 1 first, then player 2 on the points player 1 left free.
    unsigned ones = kind == 0 ? 15 : uniform(1, 15);
    unsigned twos = kind == 0 ? 15 : uniform(1, 15);
    for (unsigned c = 0; c < ones; ++c) {
        unsigned p = 0;
        if (kind == 1 || kind == 2) {
            p = uniform(kind == 1 ? 13 : 19, 24);
        } else if (kind == 3 && c < uniform(0, 4)) {
            p = 0;
        } else {
            p = uniform(uniform(0, 20) == 0 ? 0 : 1, 24);
        }
        Place(board, 1, p);
    }
    for (unsigned c = 0; c < twos; ++c) {
        for (unsigned attempt = 0; attempt < 50; ++attempt) {
            unsigned p = 0;
            if (kind == 1 || kind == 2) {
                p = uniform(1, 12);
            } else if (kind == 3) {
                p = uniform(1, 7);
            } else {
                p = uniform(1, uniform(0, 20) == 0 ? 25 : 24);
            }
            if (board.points[p].owner != 1) {
                Place(board, 2, p);
                break;
            }
        }
    }
    board.Save();
    return board;
}

PositionKey KeyOf(const PointEntry points[26]) {
    PositionKey key{};
    for (unsigned p = 0; p < 26; ++p) {
        key[2 * p] = points[p].owner;
        key[2 * p + 1] = points[p].count;
    }
    return key;
}

std::set<PositionKey> AllPlays(const BoardState& board, const unsigned dice[2]) {
    // Sequences of (die) moves; the deepest sequences found win.
    std::set<PositionKey> best;
    unsigned bestDepth = 0;
    std::vector<unsigned> order;
    if (dice[0] == dice[1]) {
        order = {dice[0], dice[0], dice[0], dice[0]};
    }
    std::function<void(const BoardState&, std::vector<unsigned>, unsigned)> walk =
        [&](const BoardState& b, std::vector<unsigned> diceLeft, unsigned depth) {
            if (depth > bestDepth) {
                bestDepth = depth;
                best.clear();
            }
            if (depth == bestDepth && depth > 0) {
                best.insert(KeyOf(b.points));
            }
            for (unsigned d = 0; d < diceLeft.size(); ++d) {
                std::vector<unsigned> rest = diceLeft;
                rest.erase(rest.begin() + d);
                for (unsigned from = 0; from <= 24; ++from) {
                    if (b.points[from].owner != 1) {
                        continue;
                    }
                    if (b.points[0].count > 0 && from != 0) {
                        break;
                    }
                    BoardState next;
                    next.CopyFrom(b);
                    if (next.MoveChecker(from, diceLeft[d])) {
                        walk(next, rest, depth + 1);
                    }
                }
                if (dice[0] == dice[1]) {
                    break;
                }
            }
        };
    if (dice[0] == dice[1]) {
        walk(board, order, 0);
    } else {
        walk(board, {dice[0], dice[1]}, 0);
    }
    return best;
}

BoardState ApplyMoves(const BoardState& board, const MoveList& moves) {
    BoardState b;
    b.CopyFrom(board);
    unsigned list[15];
    unsigned n = 0;
    for (unsigned p = 0; p < 26; ++p) {
        if (b.points[p].owner == 1) {
            for (unsigned c = 0; c < b.points[p].count && n < 15; ++c) {
                list[n++] = p;
            }
        }
    }
    for (unsigned m = 0; m < moves.count; ++m) {
        const unsigned i = moves.indices[m];
        if (i >= n || !b.MoveChecker(list[i], moves.dice[m])) {
            b.points[25].owner = 99;  // marks a MoveList that does not play
            return b;
        }
        list[i] += moves.dice[m];
    }
    return b;
}

std::string WriteNumbers(const std::string& name, unsigned count, float first, float step) {
    const std::string path = ::testing::TempDir() + name;
    std::FILE* f = std::fopen(path.c_str(), "w");
    for (unsigned i = 0; i < count; ++i) {
        std::fprintf(f, "%.9g\n", static_cast<double>(first + step * static_cast<float>(i)));
    }
    std::fclose(f);
    return path;
}
