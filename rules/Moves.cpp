#include "rules/GameRules.h"

// A point the human cannot land on: two or more computer checkers.
static bool BlockedForHuman(const Point& point) {
    return point.Owner() == ComputerSide && point.count >= 2;
}

void GameRules::HumanFrame(PointEntry points[26]) const {
    // The computer's own view of the board, turned round: the human's point p is 25 - p there.
    BoardState board;
    FillSnapshot(board);
    board.Mirror();
    for (int p = 0; p < 26; p++) {
        points[p] = board.points[p];
    }
}

const LegalPlays& GameRules::HumanPlays() const {
    // Until the first move the turn starts from the board as it is; after it the plays stay
    // those of the turn's first board.
    if (humanMovesMade == 0) {
        PointEntry start[26];
        HumanFrame(start);
        humanPlays.Begin(start, static_cast<unsigned>(dice[0]), static_cast<unsigned>(dice[1]));
    }
    return humanPlays;
}

MoveTarget GameRules::HumanMoveTarget(int s, int d) const {
    MoveTarget answer;
    // The human moves toward point 1; below it the checker is borne off.
    const int t = s - d;
    if (!looseRules) {
        // The full rules: a move that goes on to a legal play of the turn's roll.
        if (s < 1 || s > HumanBar || d < 1 || d > 6 || PointAt(s).Owner() != HumanSide) {
            return answer;
        }
        BoardState now;
        HumanFrame(now.points);
        const unsigned from = static_cast<unsigned>(HumanBar - s);
        if (!HumanPlays().Allows(now, humanDiceUsed, from, static_cast<unsigned>(d))) {
            return answer;
        }
        answer.allowed = true;
        answer.to = t >= 1 ? t : HumanTray;
        answer.hits = t >= 1 && PointAt(t).Owner() == ComputerSide && PointAt(t).count == 1;
        return answer;
    }
    // The looser rules: any checker, any die that lands on an open point or, once every human
    // checker is home, reaches the tray.
    // Onto the board: refused when blocked, a hit on a lone computer checker.
    if (t >= 1) {
        if (t > 24 || BlockedForHuman(PointAt(t))) {
            return answer;
        }
        answer.allowed = true;
        answer.to = t;
        answer.hits = PointAt(t).Owner() == ComputerSide && PointAt(t).count == 1;
        return answer;
    }
    // Off the board: any die that reaches bears off, once every human checker is home.
    if (!AllHome()) {
        return answer;
    }
    answer.allowed = true;
    answer.to = HumanTray;
    return answer;
}

bool GameRules::AllHome() const {
    // The human's bar counts: a hit checker must come round before bearing off.
    for (int p = HumanBar; p >= 7; p--) {
        if (PointAt(p).Owner() == HumanSide) {
            return false;
        }
    }
    return true;
}

bool GameRules::CanMove(int d) const {
    if (!looseRules) {
        for (int s = 1; s <= HumanBar; s++) {
            if (HumanMoveTarget(s, d).allowed) {
                return true;
            }
        }
        return false;
    }
    // 1. With a checker on the bar only entering counts.
    if (PointAt(HumanBar).Owner() == HumanSide) {
        const int t = HumanBar - d;
        return t >= 1 && t <= 24 && !BlockedForHuman(PointAt(t));
    }
    // 2. Any checker that can land or bear off.
    for (int p = 24; p >= 1; p--) {
        if (PointAt(p).Owner() != HumanSide) {
            continue;
        }
        const int t = p - d;
        if (t >= 1 && !BlockedForHuman(PointAt(t))) {
            return true;
        }
        if (t < 1 && AllHome()) {
            return true;
        }
    }
    // 3. Nothing moves with this die.
    return false;
}

MoveTarget GameRules::ComputerMoveTarget(int s, int d) const {
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
    const Point& point = PointAt(t);
    if (point.Owner() == HumanSide && point.count >= 2) {
        return answer;
    }
    answer.allowed = true;
    answer.to = t;
    answer.hits = point.Owner() == HumanSide && point.count == 1;
    return answer;
}

bool GameRules::HumanHasAnyMove() const {
    if (!looseRules) {
        return CanMove(dice[0]) || CanMove(dice[1]);
    }
    for (int s = 1; s <= HumanBar; s++) {
        if (PointAt(s).Owner() != HumanSide) {
            continue;
        }
        if (HumanMoveTarget(s, dice[0]).allowed || HumanMoveTarget(s, dice[1]).allowed) {
            return true;
        }
    }
    return false;
}

bool GameRules::HumanMayAct() const {
    return currentSide == HumanSide && inputEnabled && phase == ReturnPhase && !underway &&
           gameOverFrames == 0;
}

bool GameRules::StartHumanMove(int s) {
    // 1. The point must hold the human's checkers.
    if (s < 0 || s > ComputerTray || PointAt(s).Owner() != HumanSide) {
        return false;
    }
    // 2. The move test with the selected die.
    const MoveTarget move = HumanMoveTarget(s, dice[selectedDie]);
    if (!move.allowed) {
        return false;
    }
    // 3. The move is on: no more input until the hand is back. The die is spent.
    if (!looseRules) {
        humanDiceUsed |=
            HumanPlays().DieBit(humanDiceUsed, static_cast<unsigned>(dice[selectedDie]));
        humanMovesMade++;
    }
    inputEnabled = false;
    StartMove(s, move, ComputerBar);
    return true;
}
