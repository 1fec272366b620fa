#include "ai/BoardState.h"

BoardState::BoardState() {
    ResetToStart();
}

void BoardState::ResetToStart() {
    for (PointEntry& p : points) {
        p = PointEntry{};
    }
    for (unsigned i = 0; i < 30; ++i) {
        PointEntry& point = points[StartingPoint(i)];
        point.owner = i < 15 ? 1 : 2;
        point.count += 1;
    }
    Save();
}

unsigned StartingPoint(unsigned index) {
    static const unsigned playerOne[15] = {
        1,  1,               // two on point 1
        12, 12, 12, 12, 12,  // five on 12
        17, 17, 17,          // three on 17
        19, 19, 19, 19, 19,  // five on 19
    };
    return index < 15 ? playerOne[index] : 25 - playerOne[index - 15];
}

void BoardState::Save() {
    for (unsigned p = 0; p < 26; ++p) {
        saved[p] = points[p];
    }
}

void BoardState::Restore() {
    for (unsigned p = 0; p < 26; ++p) {
        points[p] = saved[p];
    }
}

void BoardState::CopyFrom(const BoardState& other) {
    for (unsigned p = 0; p < 26; ++p) {
        points[p] = other.points[p];
        saved[p] = other.saved[p];
    }
}

void BoardState::Mirror() {
    for (PointEntry& p : points) {
        if (p.owner != 0) {
            p.owner = p.owner == 1 ? 2 : 1;
        }
    }
    for (unsigned p = 0; p <= 12; ++p) {
        const PointEntry swap = points[p];
        points[p] = points[25 - p];
        points[25 - p] = swap;
    }
}

static void TakeOne(PointEntry& point) {
    point.count -= 1;
    if (point.count == 0) {
        point.owner = 0;
    }
}

bool BoardState::CanMoveChecker(unsigned from, unsigned die) const {
    if (from > 24) {
        return false;
    }
    const unsigned to = from + die;
    if (to <= 24) {
        return points[to].owner != 2 || points[to].count == 1;
    }
    return CanBearOff(from, to);
}

bool BoardState::MoveChecker(unsigned from, unsigned die) {
    if (!CanMoveChecker(from, die)) {
        return false;
    }
    const unsigned to = from + die;
    TakeOne(points[from]);
    if (to > 24) {
        return true;
    }
    if (points[to].owner == 2) {
        points[25].owner = 2;
        points[25].count += 1;
        points[to] = {1, 1};
        return true;
    }
    points[to].count += 1;
    points[to].owner = 1;
    return true;
}

bool BoardState::MayMove(unsigned from, unsigned die) const {
    if (from > 24 || points[from].owner != 1 || points[from].count == 0) {
        return false;
    }
    // A hit checker comes back in before any other moves.
    if (from != 0 && points[0].count > 0) {
        return false;
    }
    return CanMoveChecker(from, die);
}

bool BoardState::CanPlayDie(unsigned die) const {
    for (unsigned p = 0; p <= 24; ++p) {
        if (MayMove(p, die)) {
            return true;
        }
    }
    return false;
}

bool BoardState::CanBearOff(unsigned from, unsigned to) const {
    if (from < 19) {
        return false;
    }
    // A die larger than the distance to the edge may only take the farthest checker.
    if (to > 25 && from > 19) {
        for (unsigned p = 19; p < from; ++p) {
            if (points[p].owner == 1) {
                return false;
            }
        }
    }
    for (unsigned p = 0; p <= 18; ++p) {
        if (points[p].owner == 1) {
            return false;
        }
    }
    return true;
}

static unsigned OneHotOffset(unsigned count) {
    return (count < 4 ? count : 4) - 1;
}

void Encode(const PointEntry points[26], float inputs[InputCount]) {
    for (unsigned i = 0; i < InputCount; ++i) {
        inputs[i] = 0.0f;
    }
    unsigned active[26];
    const unsigned activeCount = EncodeActive(points, active);
    for (unsigned a = 0; a < activeCount; ++a) {
        inputs[active[a]] = 1.0f;
    }
}

unsigned EncodeActive(const PointEntry points[26], unsigned active[26]) {
    unsigned n = 0;
    const unsigned bar = points[0].count;
    if (bar != 0) {
        active[n++] = OneHotOffset(bar);
    }
    for (unsigned p = 1; p <= 24; ++p) {
        const unsigned count = points[p].count;
        if (count == 0) {
            continue;
        }
        // Player 2's checkers use the upper four inputs of the point's group of eight; an empty
        // point owned by nobody sets nothing.
        const unsigned base = 4 + 8 * (p - 1);
        if (points[p].owner == 2) {
            active[n++] = base + 4 + OneHotOffset(count);
        } else {
            active[n++] = base + OneHotOffset(count);
        }
    }
    // The bar count is given twice, at both ends of the input vector.
    if (bar != 0) {
        active[n++] = InputCount - 4 + OneHotOffset(bar);
    }
    return n;
}
