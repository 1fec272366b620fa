#pragma once

#include "ai/PlayChooser.h"
#include "render/MovePhase.h"
#include "rules/GameRules.h"
#include "table/TurnView.h"

// Plays the turns out at a pace a player can follow. It takes each chosen move (the human's click
// by click, the computer's whole play from its chooser) and makes it in the phases of the hand's
// movement, changing the position a stage at a time as the hand arrives; it passes the turn,
// rolls, asks the chooser, and keeps the game going where it would stand still: a human roll that
// nothing can use, a finished game, a computer move the rules refuse. The presentation starts
// each frame with StepIdle, reports the end of each phase with ArrivePhase, and hands the human's
// clicks to StartHumanMove; the director reports every step to its TurnView. After every stage of
// a move the position is checked (in debug builds).
//
// Under the game's looser rules the director keeps the first versions' pace too: no pause before
// the computer's moves or after its pass, and a shorter look at the finished game, so that runs
// recorded under them replay as they were played.
class TurnDirector {
public:
    // The rules it plays by and the chooser of the computer's plays; both outlive it.
    TurnDirector(GameRules& rules, PlayChooser& chooser);

    void SetView(TurnView* view);

    // The human's turn, input open, no move in progress.
    bool HumanMayAct() const;
    // The human's click on point s: true when the move from s with the selected die is on.
    bool StartHumanMove(int s);

    // Where the plain turn flow would stand still (run on every frame, a move in progress or
    // not): a human roll that nothing can use passes after NoMovePassFrames; the computer's roll
    // stays on show for its pause; a won game shows its final position for GameOverPauseFrames
    // and then starts again; a computer turn whose planned move was refused ends. Returns true
    // when it acted this frame.
    bool StepIdle();
    // The phase in progress is over: the position changes as the hand has moved it, and the next
    // phase, if any, starts.
    void ArrivePhase();
    void SwitchSide();
    void PlanComputerTurn();
    // The second half of planning: the count, the dice and the source point of each of the
    // computer's chosen moves (its points are the table's).
    void ReadComputerMoves(const Play& play);
    void StartPlannedMove(int k);
    // The computer's first planned move begins, and input closes until its turn is over.
    void BeginComputerMoves();
    // Puts every checker back on its starting point; the human rolls.
    void StartNewGame();
    // For set-ups: no move in progress, `moves` left in the turn, input open or not.
    void SetTurn(int moves, bool input);

    bool InputEnabled() const { return inputEnabled; }
    MovePhase Phase() const { return phase; }
    bool MoveUnderway() const { return underway; }
    int FromPoint() const { return fromPoint; }
    int ToPoint() const { return toPoint; }
    int BarPoint() const { return barPoint; }
    int ComputerMovesDone() const { return computerMovesDone; }
    int GameOverFrames() const { return gameOverFrames; }
    // Frames left of the pause that shows the computer's roll before its hand sets off, or its
    // roll that cannot be played before the human's.
    int ComputerRollFrames() const { return computerRollFrames; }

    // Running totals, for whoever watches the game.
    int GamesFinished() const { return gamesFinished; }
    Side LastWinner() const { return lastWinner; }
    int BlockedTurnsPassed() const { return blockedTurnsPassed; }
    int StalledComputerTurns() const { return stalledComputerTurns; }

    static constexpr int NoMovePassFrames = 60;
    static constexpr int GameOverPauseFrames = 180;
    static constexpr int ComputerRollShowFrames = 30;
    static constexpr int ComputerPassShowFrames = 60;
    // The looser rules' pace: a shorter look at the finished game.
    static constexpr int LooseGameOverPauseFrames = 120;

private:
    void StartPhase(MovePhase next);
    // The move from s to the target: the phases it goes through start with the reach.
    void StartMove(int s, const MoveTarget& move, int bar);
    void AfterPutDown();
    void TurnBookkeeping();
    void PassTurnToComputer();
    // The computer's roll has been on show long enough: its moves begin, or the human rolls.
    void EndComputerRollPause();
    void HumanRollsAfterComputer();
    void PassBlockedHumanTurn();
    void EndStalledComputerTurn();
    bool BeginGameOverIfWon();

    GameRules& rules;
    PlayChooser& chooser;
    TurnView quietView;
    TurnView* view = &quietView;

    bool inputEnabled = true;
    // The move in progress: its phase, whether that phase is under way, and its points.
    MovePhase phase = ReturnPhase;
    bool underway = false;
    int fromPoint = 0;
    int toPoint = 0;
    int barPoint = 0;

    int plannedSources[4] = {};
    int plannedDice[4] = {};
    // Moves of the current computer turn already put down: the next planned move to start.
    int computerMovesDone = 0;
    // The computer's view of the position and its answer, reused every computer turn.
    BoardState snapshot;
    Play computerPlay;

    // Idle frames of a human turn with no possible move, and frames left of a finished game.
    int noMoveFrames = 0;
    int gameOverFrames = 0;
    int computerRollFrames = 0;
    int gamesFinished = 0;
    Side lastWinner = Side::None;
    int blockedTurnsPassed = 0;
    int stalledComputerTurns = 0;
};
