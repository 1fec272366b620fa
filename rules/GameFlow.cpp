// What keeps the game going where the plain turn flow would stand still: a human turn in which
// no click can start a move, a finished game, and a computer move that the rules refused.
#include "rules/GameRules.h"

bool GameRules::StepIdleRules() {
    // A finished game stays in view for a while, then the next one starts.
    if (gameOverFrames > 0) {
        gameOverFrames--;
        if (gameOverFrames == 0) {
            StartNewGame();
        }
        return true;
    }
    // The computer's roll on show; the frame that ends the pause also starts the hand.
    if (computerRollFrames > 0) {
        if (--computerRollFrames > 0) {
            return true;
        }
        EndComputerRollPause();
        return !underway;
    }
    if (underway) {
        noMoveFrames = 0;
        return false;
    }
    // Nothing is under way in the computer's turn only when one of its planned moves was
    // refused: the computer's turn is over.
    if (currentSide == ComputerSide) {
        EndStalledComputerTurn();
        return true;
    }
    // The human's roll has been on show long enough and nothing on the board can use it.
    if (currentSide == HumanSide && phase == ReturnPhase && inputEnabled && movesLeft > 0 &&
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

void GameRules::PassBlockedHumanTurn() {
    view->HideHover();
    movesLeft = 0;
    blockedTurnsPassed++;
    PassTurnToComputer();
}

void GameRules::EndStalledComputerTurn() {
    // The hand returns to the pointer; its arrival hands the human a fresh roll.
    stalledComputerTurns++;
    movesLeft = 0;
    StartPhase(ReturnPhase);
}

int GameRules::Winner() const {
    if (PointAt(HumanTray).count >= 15) {
        return HumanSide;
    }
    if (PointAt(ComputerTray).count >= 15) {
        return ComputerSide;
    }
    return 0;
}

bool GameRules::BeginGameOverIfWon() {
    const int winner = Winner();
    if (winner == 0) {
        return false;
    }
    lastWinner = winner;
    gamesFinished++;
    movesLeft = 0;
    inputEnabled = false;
    view->GameWon();
    gameOverFrames = looseRules ? LooseGameOverPauseFrames : GameOverPauseFrames;
    return true;
}

void GameRules::StartNewGame() {
    // 1. Every checker leaves the board, and nothing is lifted.
    position.Clear();
    // 2. The starting position again.
    SetUpStartingPosition();
    view->PositionReset();
    // 3. The human opens every game, with a fresh roll.
    if (currentSide != HumanSide) {
        SwitchSide();
    }
    RollForTurn();
    inputEnabled = true;
    view->HandToPointer();
    view->ShowHover();
}
