#include "table/GameTable.h"

void GameTable::StepTurn() {
    // The rules' watchdogs run on every frame, a move under way or not; a frame in which one of
    // them acts does nothing else.
    if (rules.StepIdleRules()) {
        return;
    }
    // 1. Nothing is under way.
    if (!rules.MoveUnderway()) {
        return;
    }
    // 2. The hand's move goes on, with the lifted checker.
    const int lifted = rules.Lifted();
    if (hand.Step(lifted != NoChecker ? &checkers[lifted] : nullptr)) {
        return;
    }
    // 3. It has just ended: the rules act on its arrival.
    rules.ArrivePhase();
}

void GameTable::Advance() {
    // 1. The turn flow: the hand's move, its arrival, the watchdogs.
    StepTurn();
    // 2. The idle animations: the hand's bob, the spin of the highlighted stack, the ghost's turn.
    hand.Bob();
    int selected = 0;
    for (const Checker& checker : checkers) {
        selected += checker.selected ? 1 : 0;
    }
    spinAtFrameStart = spinAngle;
    spinAngle = Checker::SpinAfter(spinAngle, selected);
    ghostTurn = ghostChecker.current.rotY;
    if (ghostVisible) {
        ghostChecker.current.rotY += 5.0f;
    }
    // 3. The dice show the rules' roll; a won game shows its winner.
    ShowDice();
    winnerCue.Step();
}
