#include "tools/PlayFinder.h"

#include <cstring>

Position StartPosition() {
    Position p;
    std::memset(&p, 0, sizeof p);
    p.points[1] = 2;
    p.points[12] = 5;
    p.points[17] = 3;
    p.points[19] = 5;
    p.points[24] = -2;
    p.points[13] = -5;
    p.points[8] = -3;
    p.points[6] = -5;
    return p;
}

static inline void Words(const Position& p, uint64_t w[4]) {
    std::memcpy(w, &p, 32);
}

bool SamePosition(const Position& a, const Position& b) {
    return std::memcmp(a.points, b.points, sizeof a.points) == 0;
}

Position Mirrored(const Position& p) {
    Position m;
    std::memset(&m, 0, sizeof m);
    for (int i = 0; i < 26; ++i) {
        m.points[i] = static_cast<signed char>(-p.points[25 - i]);
    }
    return m;
}

bool IsRacePosition(const Position& p) {
    bool seenMover = false;
    for (int i = 0; i < 26; ++i) {
        if (p.points[i] > 0) {
            seenMover = true;
        } else if (p.points[i] < 0 && seenMover) {
            return false;
        }
    }
    return true;
}

int MoverCheckers(const Position& p) {
    int n = 0;
    for (int i = 0; i < 26; ++i) {
        if (p.points[i] > 0) {
            n += p.points[i];
        }
    }
    return n;
}

static bool CanBearOff(const Position& p, int from, int to) {
    if (from < 19) {
        return false;
    }
    if (to > 25 && from > 19) {
        for (int i = 19; i < from; ++i) {
            if (p.points[i] > 0) {
                return false;
            }
        }
    }
    for (int i = 0; i <= 18; ++i) {
        if (p.points[i] > 0) {
            return false;
        }
    }
    return true;
}

bool MoveOne(Position& p, int from, int die) {
    if (from > 24) {
        return false;
    }
    int to = from + die;
    if (to <= 24) {
        if (p.points[to] < 0) {
            if (p.points[to] != -1) {
                return false;
            }
            p.points[from]--;
            p.points[to] = 1;
            p.points[25]--;
            return true;
        }
        p.points[from]--;
        p.points[to]++;
        return true;
    }
    if (!CanBearOff(p, from, to)) {
        return false;
    }
    p.points[from]--;
    return true;
}

static const int kTableSize = 1 << 13;

PlayFinder::PlayFinder() : table(kTableSize) {
    for (Slot& s : table) {
        s.stamp = 0;
    }
}

bool PlayFinder::Insert(const Position& p, int moves) {
    uint64_t w[4];
    Words(p, w);
    uint64_t h = w[0] * 0x9E3779B97F4A7C15ull;
    h ^= (w[1] + 0x632BE59BD9B4E019ull) * 0xC2B2AE3D27D4EB4Full;
    h ^= (w[2] + 0x85EBCA77C2B2AE63ull) * 0x165667B19E3779F9ull;
    h ^= w[3] + static_cast<uint64_t>(moves);
    h ^= h >> 29;
    size_t i = static_cast<size_t>(h) & (kTableSize - 1);
    for (;;) {
        Slot& s = table[i];
        if (s.stamp != stamp) {
            s.stamp = stamp;
            std::memcpy(s.key, w, 32);
            s.moves = moves;
            return true;
        }
        if (s.moves == moves && std::memcmp(s.key, w, 32) == 0) {
            return false;
        }
        i = (i + 1) & (kTableSize - 1);
    }
}

void PlayFinder::Record(const Position& p, int moves) {
    if (moves < bestMoves) {
        return;
    }
    if (!Insert(p, moves)) {
        return;
    }
    if (moves > bestMoves) {
        bestMoves = moves;
    }
    found.push_back(p);
    foundMoves.push_back(moves);
}

// One level of the doubles search: the checker of index k makes the level's move. Two indices
// whose checkers stand on the same point give the same position and the same later choices, and
// so do any two indices whose move fails; only the first of each is followed, which keeps the
// order of first appearance of every reachable position.
void PlayFinder::SearchDoubles(int level, const Position& p, const int list[15], int moves) {
    if (level == 4) {
        Record(p, moves);
        return;
    }
    int first = 0;
    int last = checkerCount - 1;
    if (level < barCount) {
        first = last = level;
    }
    uint32_t tried = 0;
    bool failTried = false;
    for (int k = first; k <= last; ++k) {
        int from = list[k];
        if (from <= 24 && (tried >> from) & 1u) {
            continue;
        }
        Position q = p;
        if (MoveOne(q, from, die)) {
            tried |= 1u << from;
            int next[15];
            std::memcpy(next, list, sizeof next);
            next[k] += die;
            SearchDoubles(level + 1, q, next, moves + 1);
        } else if (!failTried) {
            failTried = true;
            SearchDoubles(level + 1, p, list, moves);
        }
    }
}

void PlayFinder::Find(const Position& start, int die1, int die2, std::vector<Position>& out) {
    out.clear();
    found.clear();
    foundMoves.clear();
    bestMoves = 0;
    if (++stamp == 0) {
        for (Slot& s : table) {
            s.stamp = 0;
        }
        stamp = 1;
    }
    int list[15];
    checkerCount = 0;
    for (int i = 0; i <= 25 && checkerCount < 15; ++i) {
        for (int c = 0; c < start.points[i] && checkerCount < 15; ++c) {
            list[checkerCount++] = i;
        }
    }
    barCount = start.points[0] > 0 ? start.points[0] : 0;

    if (die1 == die2) {
        die = die1;
        // Checkers on the bar that cannot enter end the search with no play at all.
        bool entryBlocked = barCount > 0 && start.points[die1] <= -2;
        if (!entryBlocked && checkerCount > 0) {
            SearchDoubles(0, start, list, 0);
        }
    } else {
        bool foundTwo = false;
        for (int pass = 0; pass < 2; ++pass) {
            int a = pass == 0 ? die1 : die2;
            int b = pass == 0 ? die2 : die1;
            int iLast = barCount == 0 ? checkerCount - 1 : 0;
            for (int i = 0; i <= iLast; ++i) {
                if (i > 0 && list[i] == list[i - 1]) {
                    continue;
                }
                Position afterFirst = start;
                if (!MoveOne(afterFirst, list[i], a)) {
                    continue;
                }
                int jFirst = barCount == 0 ? i : (barCount == 1 ? 0 : 1);
                int jLast = barCount >= 2 ? 1 : checkerCount - 1;
                uint32_t tried = 0;
                bool failTried = false;
                for (int j = jFirst; j <= jLast; ++j) {
                    int from = j == i ? list[i] + a : list[j];
                    if (from <= 24 && (tried >> from) & 1u) {
                        continue;
                    }
                    Position q = afterFirst;
                    if (from <= 24 && MoveOne(q, from, b)) {
                        tried |= 1u << from;
                        foundTwo = true;
                        Record(q, 2);
                    } else if (!foundTwo && !failTried) {
                        failTried = true;
                        Record(afterFirst, 1);
                    }
                }
            }
        }
    }
    if (found.empty()) {
        out.push_back(start);
        return;
    }
    for (size_t i = 0; i < found.size(); ++i) {
        if (foundMoves[i] == bestMoves) {
            out.push_back(found[i]);
        }
    }
}

int ActiveInputs(const Position& p, int out[64]) {
    int n = 0;
    int bar = p.points[0] > 0 ? p.points[0] : 0;
    if (bar > 0) {
        out[n++] = (bar < 4 ? bar : 4) - 1;
    }
    for (int i = 1; i <= 24; ++i) {
        int c = p.points[i];
        if (c == 0) {
            continue;
        }
        int base = 4 + 8 * (i - 1);
        if (c > 0) {
            out[n++] = base + (c < 4 ? c : 4) - 1;
        } else {
            out[n++] = base + 4 + (-c < 4 ? -c : 4) - 1;
        }
    }
    if (bar > 0) {
        out[n++] = 196 + (bar < 4 ? bar : 4) - 1;
    }
    return n;
}
