#pragma once

#include "ai/BoardState.h"
#include "ai/ComputerPlayer.h"
#include "ai/Move.h"
#include "render/BoardView.h"
#include "render/Checker.h"
#include "render/Die.h"
#include "render/Hand.h"
#include "rules/Point.h"

// The answer of a move test: refused, or the destination and whether the move hits a blot.
struct MoveTarget {
    bool allowed = false;
    int to = NoPoint;
    bool hits = false;
};

// The whole game: checkers, points, dice, hand, board view, computer player, the turn and the
// move in progress, and the last mouse position and client size. The window procedure writes the
// mouse fields and calls the mouse operations; the frame calls Advance for every step of game time
// (60 a second) and then DrawTable, which changes nothing. Everything the rules need is here, so a
// test can play whole games frame by frame without a window (GL calls without a context do
// nothing).
class GameTable {
public:
    GameTable();
    virtual ~GameTable() = default;

    // Frame and input.
    void MouseToBoard();
    // One step of game time: the turn flow, then the idle animations.
    void Advance();
    void DrawTable() const;
    int HoverStep();
    void DropStep();
    // The right button: the other die, the hand back at the pointer, a fresh hover step; only
    // while the human may act, so that a click during a move or the computer's turn cannot
    // change the die the move is booked against.
    void OtherDieStep();
    // The human's turn, input open, the hand at rest at the pointer.
    bool HumanMayAct() const;

    // Dice and move tests.
    void RollForTurn();
    MoveTarget HumanMoveTarget(int s, int d) const;
    bool AllHome() const;
    bool CanMove(int d) const;
    MoveTarget ComputerMoveTarget(int s, int d) const;

    // Turn flow.
    void StepTurn();
    void SwitchSide();
    void SwitchDie();
    void PlanComputerTurn();
    // The second half of planning: the count, the dice and the source point of each of the
    // computer's chosen moves (its points are the table's).
    void ReadComputerMoves(const Play& play);
    void StartPlannedMove(int k);
    void FillSnapshot(BoardState& snapshot) const;

    // Where the plain turn flow would stand still (run by StepTurn on every frame, idle or not):
    // a human roll that nothing can use passes after NoMovePassFrames; a won game shows its final
    // position for GameOverPauseFrames and then starts again; a computer turn whose planned move
    // the table refused ends. Returns true when it acted this frame.
    bool StepIdleRules();
    // True when some human checker can move with one of the two dice.
    bool HumanHasAnyMove() const;
    // The side that has borne off all fifteen checkers, or 0.
    int Winner() const;
    // Puts every checker back on its starting point; the human rolls.
    void StartNewGame();

    // Colours.
    void ApplyColourScheme(int n);
    void SwapSideColours();
    void NextBackground();

    // The board invariants: each side 15 checkers, each checker on exactly one point or carried
    // by the hand, a point holds one side only, counts match stacks.
    bool IsValid() const;

    Checker ghostChecker;
    Checker checkers[30];
    Point points[28];
    Die dice[2];
    Hand hand;
    BoardView boardView;
    ComputerPlayer computerPlayer;
    float mouseX = 0.0f;
    float mouseY = 0.0f;
    int clientWidth = 0;
    int clientHeight = 0;
    unsigned char doubles = 0;
    unsigned char inputEnabled = 1;
    unsigned char ghostVisible = 0;
    int selectedDie = 0;
    int movesLeft = 0;
    int plannedSources[4] = {};
    int plannedDice[4] = {};
    int currentSide = HumanSide;
    Pose fromPose;
    Pose toPose;
    Pose barPose;
    int fromPoint = 0;
    int toPoint = 0;
    int barPoint = 0;

    // Kept from one hover step to the next: the point under the fingertips, and where they are.
    int hoveredPoint = NoPoint;
    Pose fingertipPose;
    // Where the hand comes back to after a move: the mouse position on the board.
    Pose pointerPose;
    // The computer's view of the position and its answer, reused every computer turn.
    BoardState snapshot;
    Play computerPlay;
    // The spin of the selected checkers and the ghost's turn as the last step left them for
    // drawing.
    float spinAtFrameStart = 0.0f;
    float ghostTurn = 0.0f;
    // Background colour index 1..9; starts at 9 so the constructor's first step shows 1.
    int backgroundIndex = 9;

    // Moves of the current computer turn already put down: the next planned move to start.
    int computerMovesDone = 0;
    // Idle frames of a human turn with no possible move, and frames left of a finished game.
    int noMoveFrames = 0;
    int gameOverFrames = 0;
    // Running totals, for whoever watches the table play.
    int gamesFinished = 0;
    int turnsStarted = 0;
    int lastWinner = 0;
    int blockedTurnsPassed = 0;
    int stalledComputerTurns = 0;

    static constexpr int NoMovePassFrames = 60;
    static constexpr int GameOverPauseFrames = 120;

private:
    void SetUpStartingPosition();
    // The mouse position on the board; false (x and z untouched) without a client area.
    bool PointerToBoard(float& x, float& z) const;
    Pose PointerPose();
    void PutDown(int point, const Pose& pose);
    void AfterPutDown();
    void TurnBookkeeping();
    void PassTurnToComputer();
    void PassBlockedHumanTurn();
    void EndStalledComputerTurn();
    bool BeginGameOverIfWon();
};
