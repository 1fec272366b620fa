#include "table/GameTable.h"

// A point the human cannot land on: two or more computer checkers.
static bool BlockedForHuman(const Point& point) {
    return point.Owner() == ComputerSide && point.count >= 2;
}

void GameTable::RollForTurn() {
    // 1. Both dice.
    dice[0].Roll();
    dice[1].Roll();
    // 2. The first move of a turn uses die 0.
    selectedDie = 0;
    dice[0].active = true;
    dice[1].active = false;
    // 3./4. Doubles are played four times.
    doubles = dice[0].value == dice[1].value ? 1 : 0;
    movesLeft = doubles ? 4 : 2;
    turnsStarted++;
}

MoveTarget GameTable::HumanMoveTarget(int s, int d) const {
    MoveTarget answer;
    // 1. The human moves toward point 1.
    const int t = s - d;
    // 2. Onto the board: refused when blocked, a hit on a lone computer checker.
    if (t >= 1) {
        if (t > 24 || BlockedForHuman(points[t])) {
            return answer;
        }
        answer.allowed = true;
        answer.to = t;
        answer.hits = points[t].Owner() == ComputerSide && points[t].count == 1;
        return answer;
    }
    // 3. Off the board: any die that reaches bears off, once every human checker is home.
    if (!AllHome()) {
        return answer;
    }
    answer.allowed = true;
    answer.to = HumanTray;
    return answer;
}

bool GameTable::AllHome() const {
    // The human's bar counts: a hit checker must come round before bearing off.
    for (int p = HumanBar; p >= 7; p--) {
        if (points[p].Owner() == HumanSide) {
            return false;
        }
    }
    return true;
}

bool GameTable::CanMove(int d) const {
    // 1. With a checker on the bar only entering counts.
    if (points[HumanBar].Owner() == HumanSide) {
        const int t = HumanBar - d;
        return t >= 1 && t <= 24 && !BlockedForHuman(points[t]);
    }
    // 2. Any checker that can land or bear off.
    for (int p = 24; p >= 1; p--) {
        if (points[p].Owner() != HumanSide) {
            continue;
        }
        const int t = p - d;
        if (t >= 1 && !BlockedForHuman(points[t])) {
            return true;
        }
        if (t < 1 && AllHome()) {
            return true;
        }
    }
    // 3. Nothing moves with this die.
    return false;
}

MoveTarget GameTable::ComputerMoveTarget(int s, int d) const {
    MoveTarget answer;
    // 1. The computer moves toward point 24.
    const int t = s + d;
    // 2. Past point 24 the checker is borne off; the computer's own search made sure it may.
    if (t > 24) {
        answer.allowed = true;
        answer.to = ComputerTray;
        return answer;
    }
    if (t < 1) {
        return answer;
    }
    // 3. Refused on a human point of two or more, a hit on a lone human checker.
    const Point& point = points[t];
    if (point.Owner() == HumanSide && point.count >= 2) {
        return answer;
    }
    answer.allowed = true;
    answer.to = t;
    answer.hits = point.Owner() == HumanSide && point.count == 1;
    return answer;
}

bool GameTable::HumanHasAnyMove() const {
    for (int s = 1; s <= HumanBar; s++) {
        if (points[s].Owner() != HumanSide) {
            continue;
        }
        if (HumanMoveTarget(s, dice[0].value).allowed ||
            HumanMoveTarget(s, dice[1].value).allowed) {
            return true;
        }
    }
    return false;
}
