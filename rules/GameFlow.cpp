// What keeps the game going where the plain turn flow would stand still: a human turn in which
// no click can start a move, a finished game, and a computer move that the table refused.
#include "table/GameTable.h"

bool GameTable::StepIdleRules() {
    // A finished game stays in view for a while, then the next one starts.
    if (gameOverFrames > 0) {
        gameOverFrames--;
        if (gameOverFrames == 0) {
            StartNewGame();
        }
        return true;
    }
    if (hand.moving) {
        noMoveFrames = 0;
        return false;
    }
    // The hand stands still in the computer's turn only when one of its planned moves was
    // refused: the computer's turn is over.
    if (currentSide == ComputerSide) {
        EndStalledComputerTurn();
        return true;
    }
    // The human's roll has been on show long enough and nothing on the board can use it.
    if (currentSide == HumanSide && hand.mode == RestMode && inputEnabled && movesLeft > 0 &&
        !HumanHasAnyMove()) {
        noMoveFrames++;
        if (noMoveFrames >= NoMovePassFrames) {
            noMoveFrames = 0;
            PassBlockedHumanTurn();
            return true;
        }
        return false;
    }
    noMoveFrames = 0;
    return false;
}

void GameTable::PassBlockedHumanTurn() {
    if (hoveredPoint >= 0 && hoveredPoint <= HumanBar) {
        points[hoveredPoint].SetSelected(false);
    }
    ghostVisible = 0;
    movesLeft = 0;
    blockedTurnsPassed++;
    PassTurnToComputer();
}

void GameTable::EndStalledComputerTurn() {
    // The hand returns to the pointer; its arrival hands the human a fresh roll.
    stalledComputerTurns++;
    movesLeft = 0;
    hand.mode = RestMode;
    hand.arc = false;
    hand.StartMove(RestMode, PointerPose());
}

int GameTable::Winner() const {
    if (points[HumanTray].count >= 15) {
        return HumanSide;
    }
    if (points[ComputerTray].count >= 15) {
        return ComputerSide;
    }
    return 0;
}

bool GameTable::BeginGameOverIfWon() {
    const int winner = Winner();
    if (winner == 0) {
        return false;
    }
    lastWinner = winner;
    gamesFinished++;
    movesLeft = 0;
    inputEnabled = 0;
    ghostVisible = 0;
    hand.arc = false;
    gameOverFrames = GameOverPauseFrames;
    return true;
}

void GameTable::StartNewGame() {
    // 1. Every checker leaves the board and its highlight.
    for (int p = 0; p < 28; p++) {
        while (points[p].Pop() != nullptr) {
        }
    }
    for (int i = 0; i < 30; i++) {
        checkers[i].selected = false;
    }
    hand.carried = nullptr;
    hand.attached = 0;
    hand.arc = false;
    ghostVisible = 0;
    // 2. The starting position again.
    SetUpStartingPosition();
    // 3. The human opens every game, with a fresh roll.
    if (currentSide != HumanSide) {
        SwitchSide();
    }
    RollForTurn();
    inputEnabled = 1;
    MouseToBoard();
    HoverStep();
}
