#include "table/GameTable.h"

void GameTable::Advance() {
    // 1. The turn flow: the hand's move, its arrival, the watchdogs.
    StepTurn();
    // 2. The idle animations: the hand's bob, the spin of the highlighted stack, the ghost's turn.
    hand.Bob();
    int selected = 0;
    for (const Checker& checker : checkers) {
        selected += checker.selected ? 1 : 0;
    }
    spinAtFrameStart = Checker::spinAngle;
    Checker::spinAngle = Checker::SpinAfter(Checker::spinAngle, selected);
    ghostTurn = ghostChecker.current.rotY;
    if (ghostVisible) {
        ghostChecker.current.rotY += 5.0f;
    }
}

void GameTable::DrawTable() const {
    // 1-2. The camera; the table is drawn a tenth wider than its model, so everything placed in
    // board coordinates (picking, the hand's target) stays unscaled.
    boardView.ApplyView();

    // 3-8. The ghost goes before the frame and the checkers so that they cover it; the hand
    // goes last, over everything.
    boardView.DrawPointsAndSurface();
    if (ghostVisible)
        ghostChecker.Draw(ghostTurn);
    boardView.DrawFrame();
    int selected = 0;
    for (const Checker& checker : checkers) {
        if (checker.selected) {
            checker.Draw(Checker::SpinAfter(spinAtFrameStart, ++selected));
        } else {
            checker.Draw(checker.current.rotY);
        }
    }
    dice[0].DrawShadow();
    dice[1].DrawShadow();
    dice[0].Draw();
    dice[1].Draw();
    hand.Draw();
}
