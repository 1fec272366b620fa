#pragma once

#include "ai/ComputerPlayer.h"
#include "render/BoardView.h"
#include "render/Checker.h"
#include "render/Die.h"
#include "render/Hand.h"
#include "render/WinnerCue.h"
#include "rules/GameRules.h"
#include "table/TurnDirector.h"
#include "table/TurnView.h"

// The whole game as the application holds it: the rules (position, dice, the turn's moves), the
// computer player, the turn director that plays the turns out, and their presentation (the
// checkers, dice, hand and board as drawn, the hover preview, the pointer). The presentation
// follows the rules: it shows every step the director reports, and reports back when the hand has
// finished a phase of a move. The application hands over the pointer and clicks; the frame calls
// Advance for every step of game time (60 a second) and then DrawTable, which changes nothing.
// Everything but the drawing links without GL, so a test can play whole games frame by frame
// without a window.
class GameTable : private TurnView {
public:
    GameTable();
    ~GameTable() override;
    GameTable(const GameTable&) = delete;
    GameTable& operator=(const GameTable&) = delete;

    // Pointer and window.
    void SetClientSize(int width, int height);
    int ClientWidth() const { return clientWidth; }
    int ClientHeight() const { return clientHeight; }
    // The pointer in client pixels, as the application has clamped it to the client area.
    void SetPointer(float x, float y);
    float PointerX() const { return mouseX; }
    float PointerY() const { return mouseY; }
    void MouseToBoard();

    // The player's pointer and buttons in client pixels, as the window reports them (past the
    // edges while a button is held): the one way a pointer move or a click reaches the game, for
    // the application and the test players alike.
    void PointerMoved(int x, int y);
    void LeftClick(int x, int y);
    void RightClick(int x, int y);

    // The human's input.
    int HoverStep();
    void DropStep();
    // The right button: the other die, the hand back at the pointer, a fresh hover step; only
    // while the human may act, so that a click during a move or the computer's turn cannot
    // change the die the move is booked against.
    void OtherDieStep();
    bool HumanMayAct() const { return director.HumanMayAct(); }
    bool InputEnabled() const { return director.InputEnabled(); }
    // The game's looser rules, for the human's moves, the computer's search and the pace.
    void UseLooseRules(bool loose);

    // Frame: one step of game time (the turn flow, then the idle animations); then the picture.
    void Advance();
    // The turn alone: the director's watchdogs, the hand's move, the director's answer to its
    // arrival.
    void StepTurn();
    void DrawTable() const;

    // The keys that steer the hand and the view.
    void MoveHand(float dx, float dz);
    // Lowers (negative) or raises the hand, bending arm and palm with it.
    void LiftHand(float dy);
    void MoveView(float dz, float tilt, float turn);

    // Colours. ApplyColourScheme and NextBackground also set the rendering context's lists and
    // clear colour; the table's constructor only stores the colours.
    void ApplyColourScheme(int n);
    void SwapSideColours();
    void NextBackground();
    // Compiles every display list on the current rendering context.
    void BuildDisplayLists() const;

    // Set-ups: the checkers' poses follow the position after the rules' position was edited.
    void PlaceCheckersOnTheirSlots();
    // The rules as they stand; the dice shown follow them at the end of every Advance.
    void ShowDice();

    bool IsValid() const { return rules.IsValid(); }
    GameRules& Rules() { return rules; }
    const GameRules& Rules() const { return rules; }
    TurnDirector& Director() { return director; }
    const TurnDirector& Director() const { return director; }
    ComputerPlayer& Computer() { return computer; }
    Hand& TheHand() { return hand; }
    const Hand& TheHand() const { return hand; }
    BoardView& View() { return boardView; }
    const BoardView& View() const { return boardView; }
    const Checker& CheckerAt(int i) const { return checkers[i]; }
    const Checker& Ghost() const { return ghostChecker; }
    bool GhostVisible() const { return ghostVisible; }
    const Die& DieAt(int d) const { return dice[d]; }
    const WinnerCue& Cue() const { return winnerCue; }

private:
    // The director's steps, shown.
    void PhaseStarted(MovePhase phase) override;
    void CheckerPutDown(int checker, int point) override;
    void SideSwitched() override;
    void HandToPointer() override;
    void ShowHover() override;
    void HideHover() override;
    void GameWon() override;
    void PositionReset() override;

    // The pointer, clamped to the client area.
    void StorePointer(int x, int y);
    // Colours only, without a rendering context.
    bool StoreColourScheme(int n);
    void SelectStack(int point, bool flag);
    // Where the next checker put on `point` stands.
    Pose NextSlot(int point) const;
    // The mouse position on the board; false (x and z untouched) without a client area.
    bool PointerToBoard(float& x, float& z) const;
    Pose PointerPose();

    GameRules rules;
    ComputerPlayer computer;
    TurnDirector director{rules, computer};
    Checker ghostChecker;
    Checker checkers[CheckerCount];
    Die dice[2];
    Hand hand;
    BoardView boardView;
    // On from the win to the start of the next game.
    WinnerCue winnerCue;
    float mouseX = 0.0f;
    float mouseY = 0.0f;
    int clientWidth = 0;
    int clientHeight = 0;
    bool ghostVisible = false;

    // Where the hand is bound in the phase under way; a checker put down takes this pose.
    Pose phaseTarget;
    // Kept from one hover step to the next: the point under the fingertips, and where they are.
    int hoveredPoint = NoPoint;
    Pose fingertipPose;
    // Where the hand comes back to after a move: the mouse position on the board.
    Pose pointerPose;
    // The shared spin of the selected checkers, before and after the last step, and the ghost's
    // turn as that step left it for drawing.
    float spinAngle = 0.0f;
    float spinAtFrameStart = 0.0f;
    float ghostTurn = 0.0f;
    // Background colour index 1..9.
    int backgroundIndex = 1;
};
