#include "ai/PlayEnumerator.h"

// 2^15 slots hold every prefix and play of the busiest doubles with room to spare; past three
// quarters full the walk stops pruning rather than probing long chains.
static const unsigned slotCount = 1u << 15;
static const unsigned slotLimit = slotCount / 4 * 3;

PlayEnumerator::PlayEnumerator() : slots(slotCount, Slot{{0, 0, 0, 0}, 0}) {}

bool PlayEnumerator::Distinguishes(const PointEntry points[26]) {
    unsigned playerOne = 0;
    for (unsigned p = 0; p < 26; ++p) {
        if (points[p].owner > 2 || points[p].count > 15) {
            return false;
        }
        if (points[p].owner == 1) {
            playerOne += points[p].count;
        }
    }
    return playerOne <= 15;
}

static std::uint64_t Mix(std::uint64_t h) {
    h ^= h >> 31;
    h *= 0x9E3779B97F4A7C15ull;
    h ^= h >> 29;
    return h;
}

bool PlayEnumerator::IsNew(const PointEntry points[26], unsigned tag, unsigned made) {
    if (!pruning) {
        return true;
    }
    // One byte a point (owner and count), then the tag and the number of moves made.
    std::uint64_t key[4] = {0, 0, 0, 0};
    for (unsigned p = 0; p < 26; ++p) {
        const std::uint64_t byte = points[p].owner << 4 | points[p].count;
        key[p >> 3] |= byte << (8 * (p & 7));
    }
    key[3] |= static_cast<std::uint64_t>(tag) << 16 | static_cast<std::uint64_t>(made) << 24;
    const std::uint64_t h =
        Mix(key[0] ^ Mix(key[1] ^ Mix(key[2] ^ Mix(key[3] + 0x632BE59BD9B4E019ull))));
    unsigned index = static_cast<unsigned>(h) & (slotCount - 1);
    for (;;) {
        Slot& slot = slots[index];
        if (slot.generation != generation) {
            if (used >= slotLimit) {
                return true;
            }
            ++used;
            slot.generation = generation;
            for (unsigned w = 0; w < 4; ++w) {
                slot.key[w] = key[w];
            }
            return true;
        }
        if (slot.key[0] == key[0] && slot.key[1] == key[1] && slot.key[2] == key[2] &&
            slot.key[3] == key[3]) {
            return false;
        }
        index = (index + 1) & (slotCount - 1);
    }
}

void PlayEnumerator::Offer(const PointEntry points[26]) {
    bestCount = path.count;
    visitor->Visit(points, path);
}

void PlayEnumerator::Walk(const PointEntry points[26], const unsigned dice[2],
                          PlayVisitor& target) {
    // 1. A fresh generation empties every table without touching it.
    ++generation;
    if (generation == 0) {
        for (Slot& slot : slots) {
            slot.generation = 0;
        }
        generation = 1;
    }
    used = 0;
    pruning = Distinguishes(points);
    visitor = &target;
    bestCount = 0;
    path.Clear();

    // 2. The checker list, as the plain search builds it: by ascending point, bar first.
    for (unsigned p = 0; p < 26; ++p) {
        stack[0].points[p] = points[p];
    }
    checkerCount = 0;
    for (unsigned p = 0; p < 26; ++p) {
        if (points[p].owner != 1) {
            continue;
        }
        for (unsigned c = 0; c < points[p].count && checkerCount < 15; ++c) {
            checkers[checkerCount++] = p;
        }
    }
    barCount = points[0].count;

    // 3. The walk proper.
    if (dice[0] != dice[1]) {
        WalkNonDoubles(dice[0], dice[1]);
        WalkNonDoubles(dice[1], dice[0]);
    } else {
        die = dice[0];
        WalkDoubles(0, 0, false);
    }
    visitor = nullptr;
}

void PlayEnumerator::WalkNonDoubles(unsigned firstDie, unsigned secondDie) {
    const unsigned n = checkerCount;
    const unsigned iEnd = barCount == 0 ? n : (n > 0 ? 1 : 0);
    for (unsigned i = 0; i < iEnd; ++i) {
        BoardState& one = stack[1];
        for (unsigned p = 0; p < 26; ++p) {
            one.points[p] = stack[0].points[p];
        }
        if (!one.MoveChecker(checkers[i], firstDie)) {
            continue;
        }
        checkers[i] += firstDie;
        // With two or more on the bar both dice must enter bar checkers 0 and 1.
        unsigned jBegin = barCount == 0 ? i : 0;
        unsigned jEnd = n;
        if (barCount >= 2) {
            jBegin = 1;
            jEnd = n < 2 ? n : 2;
        }
        for (unsigned j = jBegin; j < jEnd; ++j) {
            if (checkers[j] <= 24) {
                BoardState& two = stack[2];
                for (unsigned p = 0; p < 26; ++p) {
                    two.points[p] = one.points[p];
                }
                if (two.MoveChecker(checkers[j], secondDie)) {
                    if (IsNew(two.points, 2, 2)) {
                        path.Clear();
                        path.Add(i, firstDie);
                        path.Add(j, secondDie);
                        Offer(two.points);
                    }
                    continue;
                }
            }
            if (bestCount < 2 && IsNew(one.points, 1, 1)) {
                path.Clear();
                path.Add(i, firstDie);
                Offer(one.points);
            }
        }
        checkers[i] -= firstDie;
    }
}

bool PlayEnumerator::WalkDoubles(unsigned depth, unsigned made, bool stop) {
    // Bar checkers come first in the list and take the first min(bar, 4) moves in turn.
    const unsigned fixedMoves = barCount < 4 ? barCount : 4;
    unsigned kBegin = 0;
    unsigned kEnd = checkerCount;
    if (depth < fixedMoves) {
        kBegin = depth;
        kEnd = depth < checkerCount ? depth + 1 : checkerCount;
    }
    for (unsigned k = kBegin; k < kEnd; ++k) {
        BoardState& child = stack[depth + 1];
        for (unsigned p = 0; p < 26; ++p) {
            child.points[p] = stack[depth].points[p];
        }
        const unsigned from = checkers[k];
        const bool moved = child.MoveChecker(from, die);
        bool childStop = stop;
        if (moved) {
            checkers[k] += die;
            path.Add(k, die);
        } else if (child.points[0].count == depth + 1) {
            // Checkers still on the bar cannot enter: the plain search ends with this quadruple.
            childStop = true;
        }
        const unsigned childMade = made + (moved ? 1 : 0);

        // 1. A stopping path is followed to its first quadruple whatever the tables say. Other
        //    prefixes are dropped when they cannot reach the longest play found so far, or when
        //    an earlier prefix reached the same position with as many moves made.
        bool follow = true;
        if (!childStop) {
            follow =
                childMade + (3 - depth) >= bestCount && IsNew(child.points, depth + 1, childMade);
        }
        bool goOn = true;
        if (follow) {
            if (depth == 3) {
                if (childMade > 0 && childMade >= bestCount) {
                    Offer(child.points);
                }
                goOn = !childStop;
            } else {
                goOn = WalkDoubles(depth + 1, childMade, childStop);
            }
        }
        // 2. Undo the trial move.
        if (moved) {
            checkers[k] = from;
            path.count -= 1;
        }
        if (!goOn) {
            return false;
        }
    }
    return true;
}

class CollectingVisitor : public PlayVisitor {
public:
    CollectingVisitor(PlayCandidate* o, unsigned c) : out(o), capacity(c) {}

    void Visit(const PointEntry points[26], const MoveList& moves) override {
        if (moves.count > rank) {
            rank = moves.count;
            total = 0;
        }
        if (total < capacity) {
            for (unsigned p = 0; p < 26; ++p) {
                out[total].points[p] = points[p];
            }
            out[total].moves = moves;
        }
        ++total;
    }

    PlayCandidate* out;
    unsigned capacity;
    unsigned rank = 0;
    unsigned total = 0;
};

unsigned PlayEnumerator::Enumerate(const PointEntry points[26], const unsigned dice[2],
                                   PlayCandidate* out, unsigned capacity) {
    CollectingVisitor collector(out, capacity);
    Walk(points, dice, collector);
    if (collector.total == 0) {
        if (capacity > 0) {
            for (unsigned p = 0; p < 26; ++p) {
                out[0].points[p] = points[p];
            }
            out[0].moves.Clear();
        }
        return 1;
    }
    return collector.total;
}

unsigned EnumeratePlays(const BoardState& board, const unsigned dice[2], PlayCandidate* out,
                        unsigned capacity) {
    PlayEnumerator enumerator;
    return enumerator.Enumerate(board.points, dice, out, capacity);
}
