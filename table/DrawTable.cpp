#include "table/GameTable.h"

void GameTable::DrawTable() {
    // 1-2. The camera; the table is drawn a tenth wider than its model, so everything placed in
    // board coordinates (picking, the hand's target) stays unscaled.
    boardView.ApplyView();

    // 3. The only place the game advances in time: one step per drawn frame.
    StepTurn();

    // 4-9. The ghost goes before the frame and the checkers so that they cover it; the hand
    // goes last, over everything.
    boardView.DrawPointsAndSurface();
    if (ghostVisible)
        ghostChecker.Draw();
    boardView.DrawFrame();
    for (Checker& checker : checkers)
        checker.Draw();
    dice[0].DrawShadow();
    dice[1].DrawShadow();
    dice[0].Draw();
    dice[1].Draw();
    hand.Draw();
}
