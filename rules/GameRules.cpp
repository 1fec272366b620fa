#include "rules/GameRules.h"

#include "ai/Chance.h"

static int RollDie() {
    return Rand() % 6 + 1;
}

GameRules::GameRules() {
    // Each die shows a value from the start. The table has always drawn two values for each die
    // while setting up, and a seeded game's dice depend on it.
    for (int round = 0; round < 2; round++) {
        position.dice[0] = RollDie();
        position.dice[1] = RollDie();
    }
    position.SetUpStartingPosition();
}

void GameRules::SetTurn(int moves) {
    movesLeft = moves;
    humanMovesMade = 0;
    humanDiceUsed = 0;
}

void GameRules::ResetPosition() {
    position.Clear();
    position.SetUpStartingPosition();
}

void GameRules::RollForTurn() {
    const int a = RollDie();
    const int b = RollDie();
    OpenRoll(a, b);
    turnsStarted++;
}

void GameRules::OpenRoll(int a, int b) {
    position.dice[0] = a;
    position.dice[1] = b;
    selectedDie = 0;
    doubles = a == b;
    movesLeft = doubles ? 4 : 2;
    humanMovesMade = 0;
    humanDiceUsed = 0;
    if (position.toMove == Side::Human) {
        FollowLegalDie();
    }
}

void GameRules::SwitchSide() {
    position.toMove = Opponent(position.toMove);
}

void GameRules::SwitchDie() {
    if (movesLeft == 1) {
        return;
    }
    selectedDie = selectedDie == 0 ? 1 : 0;
}

void GameRules::SelectOtherDie() {
    if (looseRules || CanMove(position.dice[1 - selectedDie])) {
        SwitchDie();
    }
}

void GameRules::FollowLegalDie() {
    if (!looseRules && !CanMove(position.dice[selectedDie]) &&
        CanMove(position.dice[1 - selectedDie])) {
        selectedDie = 1 - selectedDie;
    }
}

const LegalPlays& GameRules::HumanPlays() const {
    // Until the first move the turn starts from the board as it is; after it the plays stay
    // those of the turn's first board.
    if (humanMovesMade == 0) {
        PointEntry start[26];
        HumanFrame(start);
        humanPlays.Begin(start, static_cast<unsigned>(position.dice[0]),
                         static_cast<unsigned>(position.dice[1]));
    }
    return humanPlays;
}

MoveTarget GameRules::HumanMoveTarget(int s, int d) const {
    // Only the human's own checkers on the board or the bar move; the trays keep theirs.
    if (s < 1 || s > HumanBar || PointAt(s).Owner() != Side::Human) {
        return MoveTarget{};
    }
    const MoveTarget target = position.Target(Side::Human, s, d);
    if (!looseRules) {
        // The full rules: a move that goes on to a legal play of the turn's roll.
        BoardState now;
        HumanFrame(now.points);
        const unsigned from = Position::FramePoint(Side::Human, s);
        if (!target.allowed ||
            !HumanPlays().Allows(now, humanDiceUsed, from, static_cast<unsigned>(d))) {
            return MoveTarget{};
        }
        return target;
    }
    // The looser rules: any checker, any die that lands on an open point or, once every human
    // checker is home, reaches the tray.
    if (target.to == HumanTray && !AllHome()) {
        return MoveTarget{};
    }
    return target;
}

MoveTarget GameRules::ComputerMoveTarget(int s, int d) const {
    // The computer's own search made sure that a bear-off is allowed.
    return position.Target(Side::Computer, s, d);
}

bool GameRules::AllHome() const {
    // The human's bar counts: a hit checker must come round before bearing off.
    for (int p = HumanBar; p >= 7; p--) {
        if (PointAt(p).Owner() == Side::Human) {
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
    // With a checker on the bar only entering counts; otherwise any checker that can land or
    // bear off.
    if (PointAt(HumanBar).Owner() == Side::Human) {
        return position.Target(Side::Human, HumanBar, d).allowed;
    }
    for (int p = 24; p >= 1; p--) {
        if (PointAt(p).Owner() == Side::Human && HumanMoveTarget(p, d).allowed) {
            return true;
        }
    }
    return false;
}

bool GameRules::HumanHasAnyMove() const {
    if (!looseRules) {
        return CanMove(position.dice[0]) || CanMove(position.dice[1]);
    }
    for (int s = 1; s <= HumanBar; s++) {
        if (PointAt(s).Owner() != Side::Human) {
            continue;
        }
        if (HumanMoveTarget(s, position.dice[0]).allowed ||
            HumanMoveTarget(s, position.dice[1]).allowed) {
            return true;
        }
    }
    return false;
}

void GameRules::BookHumanMove() {
    if (!looseRules) {
        humanDiceUsed |= HumanPlays().DieBit(humanDiceUsed, static_cast<unsigned>(SelectedValue()));
        humanMovesMade++;
    }
}

bool GameRules::FinishHumanMove() {
    if (movesLeft == 2) {
        SwitchDie();
    }
    // The turn ends when nothing more can be played: under the full rules when no legal move
    // remains, under the looser ones when the selected die cannot be used.
    if (looseRules ? !CanMove(SelectedValue()) : !HumanHasAnyMove()) {
        movesLeft = 0;
    }
    if (movesLeft > 0) {
        movesLeft--;
    }
    FollowLegalDie();
    return movesLeft > 0;
}

bool GameRules::FinishComputerMove() {
    if (movesLeft > 0) {
        movesLeft--;
    }
    return movesLeft > 0;
}
