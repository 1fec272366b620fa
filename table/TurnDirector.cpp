#include "table/TurnDirector.h"

#include <cstdio>
#include <cstdlib>

// Every stage of a move leaves a position the game can be in. In debug builds a stage that could
// not be made, or one that breaks a rule, stops the game at once and names what went wrong.
static void CheckStage([[maybe_unused]] bool made, [[maybe_unused]] const Position& position) {
#ifndef NDEBUG
    const PositionRule broken = position.Broken();
    if (!made || broken != PositionRule::None) {
        std::fprintf(stderr, "kestrane: %s\n",
                     made ? RuleName(broken) : "a stage of a move could not be made");
        std::abort();
    }
#endif
}

TurnDirector::TurnDirector(GameRules& r, PlayChooser& c) : rules(r), chooser(c) {}

void TurnDirector::SetView(TurnView* newView) {
    view = newView != nullptr ? newView : &quietView;
}

void TurnDirector::SetTurn(int moves, bool input) {
    phase = ReturnPhase;
    underway = false;
    inputEnabled = input;
    rules.SetTurn(moves);
}

bool TurnDirector::HumanMayAct() const {
    return rules.CurrentSide() == Side::Human && inputEnabled && phase == ReturnPhase &&
           !underway && gameOverFrames == 0;
}

bool TurnDirector::StartHumanMove(int s) {
    const MoveTarget move = rules.HumanMoveTarget(s, rules.SelectedValue());
    if (!move.allowed) {
        return false;
    }
    // The move is on: the die is spent, and no more input until the hand is back.
    rules.BookHumanMove();
    inputEnabled = false;
    StartMove(s, move, ComputerBar);
    return true;
}

void TurnDirector::StartPhase(MovePhase next) {
    phase = next;
    underway = true;
    view->PhaseStarted(next);
}

void TurnDirector::StartMove(int s, const MoveTarget& move, int bar) {
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

void TurnDirector::ArrivePhase() {
    Position& position = rules.EditBoard();
    underway = false;
    switch (phase) {
        case ReachPhase:
        case ReachHitPhase: {
            CheckStage(position.Lift(fromPoint), position);
            StartPhase(phase == ReachPhase ? CarryPhase : CarryHitPhase);
            break;
        }
        case CarryHitPhase: {
            // The mover takes the blot's slot; the blot is lifted, bound for the bar.
            const int mover = position.lifted;
            CheckStage(position.TakeBlot(toPoint), position);
            view->CheckerPutDown(mover, toPoint);
            StartPhase(CarryToBarPhase);
            break;
        }
        case CarryPhase:
        case CarryToBarPhase: {
            const int checker = position.lifted;
            const int point = phase == CarryPhase ? toPoint : barPoint;
            CheckStage(position.Place(point), position);
            view->CheckerPutDown(checker, point);
            AfterPutDown();
            break;
        }
        case ReturnPhase:
            TurnBookkeeping();
            break;
    }
}

void TurnDirector::AfterPutDown() {
    // The computer goes straight on with its next planned move, if any; otherwise the hand goes
    // back to the pointer.
    bool straightOn = false;
    if (rules.CurrentSide() == Side::Computer) {
        phase = ReturnPhase;
        computerMovesDone++;
        straightOn = rules.FinishComputerMove();
        if (straightOn) {
            StartPlannedMove(computerMovesDone);
        }
    }
    if (!straightOn) {
        StartPhase(ReturnPhase);
    }
}

void TurnDirector::TurnBookkeeping() {
    // A game that has just been won pauses on its final position instead of passing the turn.
    if (BeginGameOverIfWon()) {
        return;
    }
    if (rules.CurrentSide() == Side::Computer) {
        // The computer's turn ends when its last planned move is done.
        if (rules.MovesLeft() != 0) {
            return;
        }
        inputEnabled = true;
        view->HandToPointer();
        SwitchSide();
        rules.RollForTurn();
        view->ShowHover();
        return;
    }
    const bool goesOn = rules.FinishHumanMove();
    // The hand is the pointer again; the human goes on with the turn, or it is the computer's.
    inputEnabled = true;
    view->HandToPointer();
    if (goesOn) {
        view->ShowHover();
        return;
    }
    PassTurnToComputer();
}

void TurnDirector::PassTurnToComputer() {
    SwitchSide();
    rules.RollForTurn();
    PlanComputerTurn();
    // The computer's roll stays on show a while before its hand sets off, or before the human's
    // roll replaces one it cannot use.
    if (!rules.LooseRules()) {
        inputEnabled = false;
        computerRollFrames =
            rules.MovesLeft() > 0 ? ComputerRollShowFrames : ComputerPassShowFrames;
        return;
    }
    EndComputerRollPause();
}

void TurnDirector::EndComputerRollPause() {
    computerRollFrames = 0;
    if (rules.MovesLeft() > 0) {
        BeginComputerMoves();
        return;
    }
    HumanRollsAfterComputer();
}

void TurnDirector::HumanRollsAfterComputer() {
    // The computer cannot move: the human rolls again. After the pause the hand goes back to
    // where the pointer went meanwhile.
    SwitchSide();
    rules.RollForTurn();
    inputEnabled = true;
    if (!rules.LooseRules()) {
        view->HandToPointer();
    }
    view->ShowHover();
}

void TurnDirector::BeginComputerMoves() {
    computerMovesDone = 0;
    StartPlannedMove(0);
    // Even when the first planned move is refused the turn counts as under way: the hand goes
    // over its last move again and the stalled turn ends after it.
    underway = true;
    inputEnabled = false;
}

void TurnDirector::SwitchSide() {
    rules.SwitchSide();
    view->SideSwitched();
}

void TurnDirector::PlanComputerTurn() {
    rules.FillSnapshot(snapshot);
    const unsigned roll[2] = {static_cast<unsigned>(rules.DieValue(0)),
                              static_cast<unsigned>(rules.DieValue(1))};
    // The snapshot has the computer as player 1.
    const unsigned player = rules.CurrentSide() == Side::Computer ? 1 : 2;
    chooser.ChooseMove(snapshot, player, roll, computerPlay);
    ReadComputerMoves(computerPlay);
}

void TurnDirector::ReadComputerMoves(const Play& play) {
    const unsigned n = play.count > 4 ? 4 : play.count;
    rules.SetComputerMoves(static_cast<int>(n));
    for (unsigned k = 0; k < n; k++) {
        plannedSources[k] = static_cast<int>(play.moves[k].from);
        plannedDice[k] = static_cast<int>(play.moves[k].die);
    }
}

void TurnDirector::StartPlannedMove(int k) {
    if (phase != ReturnPhase || rules.CurrentSide() != Side::Computer || k < 0 || k > 3) {
        return;
    }
    // The source must hold the computer's checkers, and the rules must allow the move: the hand
    // then fetches the top checker of the source, and a hit sends the human's blot to the
    // human's bar.
    const int s = plannedSources[k];
    if (s < 0 || s > ComputerTray || rules.PointAt(s).Owner() != Side::Computer) {
        return;
    }
    const MoveTarget move = rules.ComputerMoveTarget(s, plannedDice[k]);
    if (!move.allowed) {
        return;
    }
    inputEnabled = false;
    StartMove(s, move, HumanBar);
}

bool TurnDirector::StepIdle() {
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
    if (rules.CurrentSide() == Side::Computer) {
        EndStalledComputerTurn();
        return true;
    }
    // The human's roll has been on show long enough and nothing on the board can use it.
    if (phase == ReturnPhase && inputEnabled && rules.MovesLeft() > 0 && !rules.HumanHasAnyMove()) {
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

void TurnDirector::PassBlockedHumanTurn() {
    view->HideHover();
    rules.EndTurnMoves();
    blockedTurnsPassed++;
    PassTurnToComputer();
}

void TurnDirector::EndStalledComputerTurn() {
    // The hand returns to the pointer; its arrival hands the human a fresh roll.
    stalledComputerTurns++;
    rules.EndTurnMoves();
    StartPhase(ReturnPhase);
}

bool TurnDirector::BeginGameOverIfWon() {
    const Side winner = rules.Winner();
    if (winner == Side::None) {
        return false;
    }
    lastWinner = winner;
    gamesFinished++;
    rules.EndTurnMoves();
    inputEnabled = false;
    view->GameWon();
    gameOverFrames = rules.LooseRules() ? LooseGameOverPauseFrames : GameOverPauseFrames;
    return true;
}

void TurnDirector::StartNewGame() {
    rules.ResetPosition();
    view->PositionReset();
    // The human opens every game, with a fresh roll.
    if (rules.CurrentSide() != Side::Human) {
        SwitchSide();
    }
    rules.RollForTurn();
    inputEnabled = true;
    view->HandToPointer();
    view->ShowHover();
}
