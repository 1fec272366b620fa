#include "ai/PlayEnumerator.h"

// Room for every prefix and play of the busiest doubles (fifteen checkers on fifteen points make
// under 5,000); past three quarters full the walk stops pruning rather than probing long chains.
static const unsigned slotBits = 13;
static const unsigned slotCount = 1u << slotBits;
static const unsigned slotLimit = slotCount / 4 * 3;

PlayEnumerator::PlayEnumerator() : slots(slotCount, Slot{{0, 0, 0, 0}}) {}

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

// A position key holds one byte a point (owner and count) in bytes 0..25, then the tag and the
// number of moves made, then the walk's generation in the top four bytes.
static void PutPoint(std::uint64_t key[4], unsigned p, const PointEntry& e) {
    const unsigned shift = 8 * (p & 7);
    const std::uint64_t byte = (e.owner << 4 | e.count) & 0xFFu;
    key[p >> 3] = (key[p >> 3] & ~(std::uint64_t{0xFF} << shift)) | byte << shift;
}

// The key of a child differs from its parent's only where the move changed the board.
static void UpdateKey(const std::uint64_t parent[4], std::uint64_t child[4],
                      const PointEntry points[26], unsigned from, unsigned die) {
    for (unsigned w = 0; w < 4; ++w) {
        child[w] = parent[w];
    }
    PutPoint(child, from, points[from]);
    if (from + die <= 24) {
        PutPoint(child, from + die, points[from + die]);
    }
    PutPoint(child, 25, points[25]);
}

bool PlayEnumerator::IsNew(const std::uint64_t position[4], unsigned tag, unsigned made) {
    if (!pruning) {
        return true;
    }
    const std::uint64_t last = (position[3] & 0xFFFFu) | static_cast<std::uint64_t>(tag) << 16 |
                               static_cast<std::uint64_t>(made) << 24 |
                               static_cast<std::uint64_t>(generation) << 32;
    // Independent products, so that they run side by side; their top bits depend on every bit.
    const std::uint64_t h = position[0] * 0x9E3779B97F4A7C15ull ^
                            position[1] * 0xC2B2AE3D27D4EB4Full ^
                            position[2] * 0x165667B19E3779F9ull ^ last * 0xD6E8FEB86659FD93ull;
    unsigned index = static_cast<unsigned>(h >> (64 - slotBits));
    for (;;) {
        Slot& slot = slots[index];
        if (static_cast<std::uint32_t>(slot.key[3] >> 32) != generation) {
            if (used >= slotLimit) {
                return true;
            }
            ++used;
            slot.key[0] = position[0];
            slot.key[1] = position[1];
            slot.key[2] = position[2];
            slot.key[3] = last;
            return true;
        }
        if (slot.key[0] == position[0] && slot.key[1] == position[1] &&
            slot.key[2] == position[2] && slot.key[3] == last) {
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
            slot.key[3] = 0;
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
    for (unsigned w = 0; w < 4; ++w) {
        keys[0][w] = 0;
    }
    for (unsigned p = 0; p < 26; ++p) {
        PutPoint(keys[0], p, points[p]);
    }

    // 3. The walk proper.
    smallerDieBarred = largerDieRule && dice[0] != dice[1] &&
                       stack[0].CanPlayDie(dice[0] > dice[1] ? dice[0] : dice[1]);
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
        // A checker on the same point as the one before it finds only plays found already (the
        // lists differ by an exchange, and its second checkers are a subset of the earlier's).
        if (i > 0 && checkers[i] == checkers[i - 1]) {
            continue;
        }
        BoardState& one = stack[1];
        for (unsigned p = 0; p < 26; ++p) {
            one.points[p] = stack[0].points[p];
        }
        if (!one.MoveChecker(checkers[i], firstDie)) {
            continue;
        }
        UpdateKey(keys[0], keys[1], one.points, checkers[i], firstDie);
        checkers[i] += firstDie;
        // With two or more on the bar both dice must enter bar checkers 0 and 1.
        unsigned jBegin = barCount == 0 ? i : 0;
        unsigned jEnd = n;
        if (barCount >= 2) {
            jBegin = 1;
            jEnd = n < 2 ? n : 2;
        }
        for (unsigned j = jBegin; j < jEnd; ++j) {
            // Moving from the same point as the checker before gives the same position again.
            if (j > jBegin && checkers[j] == checkers[j - 1]) {
                continue;
            }
            if (checkers[j] <= 24) {
                BoardState& two = stack[2];
                for (unsigned p = 0; p < 26; ++p) {
                    two.points[p] = one.points[p];
                }
                if (two.MoveChecker(checkers[j], secondDie)) {
                    UpdateKey(keys[1], keys[2], two.points, checkers[j], secondDie);
                    if (IsNew(keys[2], 2, 2)) {
                        path.Clear();
                        path.Add(i, firstDie);
                        path.Add(j, secondDie);
                        Offer(two.points);
                    }
                    continue;
                }
            }
            const bool barred = smallerDieBarred && firstDie < secondDie;
            if (bestCount < 2 && !barred && IsNew(keys[1], 1, 1)) {
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
        // A checker on the same point as the one before it leads where that one led.
        if (k > kBegin && checkers[k] == checkers[k - 1]) {
            continue;
        }
        BoardState& child = stack[depth + 1];
        for (unsigned p = 0; p < 26; ++p) {
            child.points[p] = stack[depth].points[p];
        }
        const unsigned from = checkers[k];
        const bool moved = child.MoveChecker(from, die);
        bool childStop = stop;
        if (moved) {
            UpdateKey(keys[depth], keys[depth + 1], child.points, from, die);
            checkers[k] += die;
            path.Add(k, die);
        } else {
            for (unsigned w = 0; w < 4; ++w) {
                keys[depth + 1][w] = keys[depth][w];
            }
            // Checkers still on the bar cannot enter: the plain search ends with this quadruple.
            childStop = stop || child.points[0].count == depth + 1;
        }
        const unsigned childMade = made + (moved ? 1 : 0);

        // 1. A stopping path is followed to its first quadruple whatever the tables say. Other
        //    prefixes are dropped when they cannot reach the longest play found so far, or when
        //    an earlier prefix reached the same position with as many moves made.
        bool follow = true;
        if (!childStop) {
            follow = childMade + (3 - depth) >= bestCount &&
                     IsNew(keys[depth + 1], depth + 1, childMade);
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
