#include "rules/GameRules.h"

#include <cassert>

#include "ai/Chance.h"

static int RollDie() {
    return Rand() % 6 + 1;
}

GameRules::GameRules() {
    // Each die shows a value from the start. The table has always drawn two values for each die
    // while setting up, and a seeded game's dice depend on it.
    for (int round = 0; round < 2; round++) {
        dice[0] = RollDie();
        dice[1] = RollDie();
    }
    SetUpStartingPosition();
}

void GameRules::SetView(TurnView* newView) {
    view = newView != nullptr ? newView : &quietView;
}

void GameRules::UseLooseRules(bool loose) {
    looseRules = loose;
    computerPlayer.largerDieRule = !loose;
}

void GameRules::SetTurn(int moves, bool input) {
    phase = ReturnPhase;
    underway = false;
    movesLeft = moves;
    inputEnabled = input;
    humanMovesMade = 0;
    humanDiceUsed = 0;
}

void GameRules::SetUpStartingPosition() {
    position.SetUpStartingPosition();
}

void GameRules::RollForTurn() {
    // 1. Both dice.
    const int a = RollDie();
    const int b = RollDie();
    // 2.-4. The first move uses die 0; doubles are played four times.
    OpenRoll(a, b);
    turnsStarted++;
}

void GameRules::OpenRoll(int a, int b) {
    dice[0] = a;
    dice[1] = b;
    selectedDie = 0;
    doubles = a == b;
    movesLeft = doubles ? 4 : 2;
    humanMovesMade = 0;
    humanDiceUsed = 0;
    if (currentSide == HumanSide) {
        FollowLegalDie();
    }
}

void GameRules::StartPhase(MovePhase next) {
    phase = next;
    underway = true;
    view->PhaseStarted(next);
}

void GameRules::StartMove(int s, const MoveTarget& move, int bar) {
    fromPoint = s;
    toPoint = move.to;
    // A hit: the mover takes the blot's place and the blot goes to its owner's bar.
    if (move.hits) {
        barPoint = bar;
        StartPhase(ReachHitPhase);
        return;
    }
    StartPhase(ReachPhase);
}

void GameRules::LiftFrom(int point) {
    position.lifted = position.points[point].Pop();
    assert(position.IsValid());
}

void GameRules::PutDown(int point) {
    const int checker = position.lifted;
    position.points[point].Push(checker);
    position.lifted = NoChecker;
    assert(position.IsValid());
    view->CheckerPutDown(checker, point);
}
