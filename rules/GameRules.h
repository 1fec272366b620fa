#pragma once

#include "ai/BoardState.h"
#include "ai/ComputerPlayer.h"
#include "ai/Move.h"
#include "rules/MovePhase.h"
#include "rules/Position.h"

// The answer of a move test: refused, or the destination and whether the move hits a blot.
struct MoveTarget {
    bool allowed = false;
    int to = NoPoint;
    bool hits = false;
};

// What the presentation does at the steps of the turn flow. The rules call it, in the order the
// steps happen; it shows them and changes nothing the rules keep. Every call has a default that
// does nothing, so the rules can run without anything on show.
class TurnView {
public:
    virtual ~TurnView() = default;

    // A phase of the move in progress has begun; the rules expect ArrivePhase when it is over.
    virtual void PhaseStarted(MovePhase) {}
    // A lifted checker has been put on a point.
    virtual void CheckerPutDown(int /*checker*/, int /*point*/) {}
    virtual void SideSwitched() {}
    // The human's turn goes on: the hand is the pointer again ...
    virtual void HandToPointer() {}
    // ... and shows what the point under it offers.
    virtual void ShowHover() {}
    // A blocked roll passes: nothing is offered any more.
    virtual void HideHover() {}
    // A game is won: no more previews of moves.
    virtual void GameWon() {}
    // Every checker is back on its starting point.
    virtual void PositionReset() {}
};

// The rules of the game and its turn flow: the position, the dice, whose turn it is and how many
// moves it has left, the move in progress and its phase, the computer's planned moves, and the
// watchdogs that keep the game going where the plain flow would stand still. It knows nothing of
// how the game is shown: the presentation starts each frame with StepIdleRules, reports the end
// of each phase with ArrivePhase, and hands the human's clicks to StartHumanMove. After every
// pick-up and put-down the position is checked (in debug builds).
class GameRules {
public:
    GameRules();

    void SetView(TurnView* view);

    // Dice and move tests.
    void RollForTurn();
    // The roll a turn opens with, with chosen values: die 0 selected, two moves or four.
    void OpenRoll(int a, int b);
    MoveTarget HumanMoveTarget(int s, int d) const;
    bool AllHome() const;
    bool CanMove(int d) const;
    MoveTarget ComputerMoveTarget(int s, int d) const;
    // True when some human checker can move with one of the two dice.
    bool HumanHasAnyMove() const;
    // The side that has borne off all fifteen checkers, or 0.
    int Winner() const;

    // The human's turn, input open, no move in progress.
    bool HumanMayAct() const;
    // The human's click on point s: true when the move from s with the selected die is on.
    bool StartHumanMove(int s);

    // Turn flow.
    // Where the plain turn flow would stand still (run on every frame, a move in progress or
    // not): a human roll that nothing can use passes after NoMovePassFrames; a won game shows its
    // final position for GameOverPauseFrames and then starts again; a computer turn whose planned
    // move was refused ends. Returns true when it acted this frame.
    bool StepIdleRules();
    // The phase in progress is over: the rules act on it and start the next phase, if any.
    void ArrivePhase();
    void SwitchSide();
    void SwitchDie();
    void PlanComputerTurn();
    // The second half of planning: the count, the dice and the source point of each of the
    // computer's chosen moves (its points are the table's).
    void ReadComputerMoves(const Play& play);
    void StartPlannedMove(int k);
    // The computer's first planned move begins, and input closes until its turn is over.
    void BeginComputerMoves();
    void FillSnapshot(BoardState& snapshot) const;
    // Puts every checker back on its starting point; the human rolls.
    void StartNewGame();

    bool IsValid() const { return position.IsValid(); }

    const Position& Board() const { return position; }
    // For set-ups: the position edited directly, outside any move.
    Position& EditBoard() { return position; }
    const Point& PointAt(int p) const { return position.points[p]; }
    int Lifted() const { return position.lifted; }

    int DieValue(int d) const { return dice[d]; }
    int SelectedDie() const { return selectedDie; }
    int SelectedValue() const { return dice[selectedDie]; }
    bool Doubles() const { return doubles; }
    int CurrentSide() const { return currentSide; }
    int MovesLeft() const { return movesLeft; }
    // For set-ups: no move in progress, `moves` left in the turn, input open or not.
    void SetTurn(int moves, bool input) {
        phase = ReturnPhase;
        underway = false;
        movesLeft = moves;
        inputEnabled = input;
    }
    bool InputEnabled() const { return inputEnabled; }

    MovePhase Phase() const { return phase; }
    bool MoveUnderway() const { return underway; }
    int FromPoint() const { return fromPoint; }
    int ToPoint() const { return toPoint; }
    int BarPoint() const { return barPoint; }
    int ComputerMovesDone() const { return computerMovesDone; }
    int GameOverFrames() const { return gameOverFrames; }

    ComputerPlayer& Computer() { return computerPlayer; }

    // Running totals, for whoever watches the game.
    int GamesFinished() const { return gamesFinished; }
    int TurnsStarted() const { return turnsStarted; }
    int LastWinner() const { return lastWinner; }
    int BlockedTurnsPassed() const { return blockedTurnsPassed; }
    int StalledComputerTurns() const { return stalledComputerTurns; }

    static constexpr int NoMovePassFrames = 60;
    static constexpr int GameOverPauseFrames = 180;

private:
    void SetUpStartingPosition();
    void StartPhase(MovePhase next);
    // The move from s to the target: the phases it goes through start with the reach.
    void StartMove(int s, const MoveTarget& move, int bar);
    void LiftFrom(int point);
    void PutDown(int point);
    void AfterPutDown();
    void TurnBookkeeping();
    void PassTurnToComputer();
    void PassBlockedHumanTurn();
    void EndStalledComputerTurn();
    bool BeginGameOverIfWon();

    TurnView quietView;
    TurnView* view = &quietView;

    Position position;
    int dice[2] = {1, 1};
    int selectedDie = 0;
    bool doubles = false;
    int currentSide = HumanSide;
    int movesLeft = 0;
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
    ComputerPlayer computerPlayer;
    BoardState snapshot;
    Play computerPlay;

    // Idle frames of a human turn with no possible move, and frames left of a finished game.
    int noMoveFrames = 0;
    int gameOverFrames = 0;
    int gamesFinished = 0;
    int turnsStarted = 0;
    int lastWinner = 0;
    int blockedTurnsPassed = 0;
    int stalledComputerTurns = 0;
};
