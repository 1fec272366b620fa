#include "rules/GameRules.h"

#include <cassert>

void GameRules::ArrivePhase() {
    underway = false;
    switch (phase) {
        case ReachPhase:
            LiftFrom(fromPoint);
            StartPhase(CarryPhase);
            break;
        case CarryPhase:
            PutDown(toPoint);
            AfterPutDown();
            break;
        case ReachHitPhase:
            LiftFrom(fromPoint);
            StartPhase(CarryHitPhase);
            break;
        case CarryHitPhase: {
            // The mover takes the blot's slot; the blot is lifted, bound for the bar.
            const int mover = position.lifted;
            position.lifted = position.points[toPoint].Pop();
            position.points[toPoint].Push(mover);
            assert(position.IsValid());
            view->CheckerPutDown(mover, toPoint);
            StartPhase(CarryToBarPhase);
            break;
        }
        case CarryToBarPhase:
            PutDown(barPoint);
            AfterPutDown();
            break;
        case ReturnPhase:
            TurnBookkeeping();
            break;
    }
}

void GameRules::AfterPutDown() {
    // 1. The computer goes straight on with its next planned move, if any.
    if (currentSide == ComputerSide) {
        phase = ReturnPhase;
        computerMovesDone++;
        if (movesLeft > 0) {
            movesLeft--;
        }
        if (movesLeft > 0) {
            StartPlannedMove(computerMovesDone);
        }
    }
    // 2. Otherwise the hand goes back to the pointer.
    if (currentSide == HumanSide || movesLeft == 0) {
        StartPhase(ReturnPhase);
    }
}

void GameRules::TurnBookkeeping() {
    // A game that has just been won pauses on its final position instead of passing the turn.
    if (BeginGameOverIfWon()) {
        return;
    }
    if (currentSide == ComputerSide) {
        // The computer's turn ends when its last planned move is done.
        if (movesLeft != 0) {
            return;
        }
        inputEnabled = true;
        view->HandToPointer();
        SwitchSide();
        RollForTurn();
        view->ShowHover();
        return;
    }
    // 1. After the first of two moves the other die comes into play.
    if (movesLeft == 2) {
        SwitchDie();
    }
    // 2. The turn ends when nothing more can be played: under the full rules when no legal move
    //    remains, under the looser ones when the selected die cannot be used.
    if (looseRules ? !CanMove(dice[selectedDie]) : !HumanHasAnyMove()) {
        movesLeft = 0;
    }
    // 3. This move is done; the die to play next is one that can be played.
    if (movesLeft > 0) {
        movesLeft--;
    }
    FollowLegalDie();
    // 4. The hand is the pointer again.
    inputEnabled = true;
    view->HandToPointer();
    // 5. The human goes on with the turn ...
    if (movesLeft > 0) {
        view->ShowHover();
        return;
    }
    // 6. ... or it is the computer's turn.
    PassTurnToComputer();
}

void GameRules::PassTurnToComputer() {
    SwitchSide();
    RollForTurn();
    PlanComputerTurn();
    // The computer's roll stays on show a while before its hand sets off, or before the human's
    // roll replaces one it cannot use.
    if (!looseRules) {
        inputEnabled = false;
        computerRollFrames = movesLeft > 0 ? ComputerRollShowFrames : ComputerPassShowFrames;
        return;
    }
    EndComputerRollPause();
}

void GameRules::EndComputerRollPause() {
    computerRollFrames = 0;
    if (movesLeft > 0) {
        BeginComputerMoves();
        return;
    }
    HumanRollsAfterComputer();
}

void GameRules::HumanRollsAfterComputer() {
    // The computer cannot move: the human rolls again. After the pause the hand goes back to
    // where the pointer went meanwhile.
    SwitchSide();
    RollForTurn();
    inputEnabled = true;
    if (!looseRules) {
        view->HandToPointer();
    }
    view->ShowHover();
}

void GameRules::BeginComputerMoves() {
    computerMovesDone = 0;
    StartPlannedMove(0);
    // Even when the first planned move is refused the turn counts as under way: the hand goes
    // over its last move again and the stalled turn ends after it.
    underway = true;
    inputEnabled = false;
}

void GameRules::SwitchSide() {
    currentSide = currentSide == HumanSide ? ComputerSide : HumanSide;
    view->SideSwitched();
}

void GameRules::SwitchDie() {
    // With one move left the die is already settled.
    if (movesLeft == 1) {
        return;
    }
    selectedDie = selectedDie == 0 ? 1 : 0;
}

void GameRules::SelectOtherDie() {
    if (looseRules || CanMove(dice[1 - selectedDie])) {
        SwitchDie();
    }
}

void GameRules::FollowLegalDie() {
    if (!looseRules && !CanMove(dice[selectedDie]) && CanMove(dice[1 - selectedDie])) {
        selectedDie = 1 - selectedDie;
    }
}

void GameRules::FillSnapshot(BoardState& board) const {
    // In the snapshot the computer is player 1 and the human player 2; the trays are left out.
    for (int p = 0; p < 26; p++) {
        const unsigned count = PointAt(p).count;
        board.points[p].count = count;
        if (count == 0) {
            board.points[p].owner = 0;
        } else {
            board.points[p].owner = PointAt(p).Owner() == ComputerSide ? 1 : 2;
        }
    }
}

void GameRules::PlanComputerTurn() {
    // 1. The position as the computer sees it.
    FillSnapshot(snapshot);
    // 2. Its choice.
    const unsigned player = currentSide == ComputerSide ? 1 : 2;
    const unsigned roll[2] = {static_cast<unsigned>(dice[0]), static_cast<unsigned>(dice[1])};
    computerPlayer.ChooseMove(snapshot, player, roll, computerPlay);
    ReadComputerMoves(computerPlay);
}

void GameRules::ReadComputerMoves(const Play& play) {
    // 3. How many moves it makes, and the source and die of each.
    const unsigned n = play.count > 4 ? 4 : play.count;
    movesLeft = static_cast<int>(n);
    for (unsigned k = 0; k < n; k++) {
        plannedSources[k] = static_cast<int>(play.moves[k].from);
        plannedDice[k] = static_cast<int>(play.moves[k].die);
    }
}

void GameRules::StartPlannedMove(int k) {
    if (phase != ReturnPhase || currentSide != ComputerSide || k < 0 || k > 3) {
        return;
    }
    // 1. The source must hold the computer's checkers.
    const int s = plannedSources[k];
    if (s < 0 || s > ComputerTray || PointAt(s).Owner() != ComputerSide) {
        return;
    }
    // 2. The rules' own check of the move.
    const MoveTarget move = ComputerMoveTarget(s, plannedDice[k]);
    if (!move.allowed) {
        return;
    }
    // 3.-6. The hand fetches the top checker of the source; a hit sends the human's blot to the
    // human's bar.
    inputEnabled = false;
    StartMove(s, move, HumanBar);
}
