#include <GL/gl.h>

#include "table/GameTable.h"

void GameTable::DrawTable() const {
    // The camera; the table is drawn a tenth wider than its model, so everything placed in
    // board coordinates (picking, the hand's target) stays unscaled.
    boardView.ApplyView();

    // The ghost goes before the frame and the checkers so that they cover it; the hand
    // goes last, over everything.
    boardView.DrawPointsAndSurface();
    if (ghostVisible)
        ghostChecker.Draw(ghostTurn);
    boardView.DrawFrame();
    winnerCue.Draw();
    int selected = 0;
    for (const Checker& checker : checkers) {
        const float shade = winnerCue.Shade(checker.side);
        if (checker.selected) {
            checker.Draw(Checker::SpinAfter(spinAtFrameStart, ++selected), shade);
        } else {
            checker.Draw(checker.current.rotY, shade);
        }
    }
    dice[0].DrawShadow();
    dice[1].DrawShadow();
    dice[0].Draw();
    dice[1].Draw();
    hand.Draw();
}

void GameTable::BuildDisplayLists() const {
    boardView.BuildLists();
    Hand::BuildLists();
    Die::BuildLists(dice[0]);
    Checker::BuildLists();
}

void GameTable::ApplyColourScheme(int n) {
    // Only the board compiles its colours into lists; the rest colour themselves when drawn.
    if (StoreColourScheme(n)) {
        boardView.BuildLists();
    }
}

void GameTable::NextBackground() {
    static const float backgrounds[9][3] = {
        {0.0f, 0.0f, 0.0f}, {0.5f, 0.5f, 0.5f}, {0.9f, 0.9f, 0.9f},
        {0.4f, 0.0f, 0.0f}, {0.6f, 0.6f, 0.2f}, {0.0f, 0.4f, 0.0f},
        {0.2f, 0.6f, 0.6f}, {0.0f, 0.0f, 0.4f}, {0.6f, 0.2f, 0.6f},
    };
    ++backgroundIndex;
    if (backgroundIndex > 9)
        backgroundIndex = 1;
    const float* colour = backgrounds[backgroundIndex - 1];
    glClearColor(colour[0], colour[1], colour[2], 0.5f);
}
