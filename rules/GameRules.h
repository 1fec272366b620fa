#pragma once

#include "ai/BoardState.h"
#include "rules/LegalPlays.h"
#include "rules/Position.h"

// The rules of a turn: the position with its side to move and dice, the die the human has
// selected, the moves left in the turn, and the move tests. It answers whether a move may be made
// and keeps the turn's count as moves are made; when and how they are shown is the turn
// director's (table/TurnDirector.h), and the computer's choice is its player's.
//
// Both sides play the full rules of backgammon by default: the human's move test, the end of the
// human's turn and the computer's search all ask the one generator of legal plays (LegalPlays).
// The looser rules of the game's first versions stay available (UseLooseRules): the human may
// then move any checker with the selected die, bear off with any die that reaches, and the turn
// ends when the selected die cannot be used.
class GameRules {
public:
    GameRules();

    // The looser rules instead of the full rules. Set between turns.
    void UseLooseRules(bool loose) { looseRules = loose; }
    bool LooseRules() const { return looseRules; }

    // Dice.
    void RollForTurn();
    // The roll a turn opens with, with chosen values: die 0 selected (or, for the human under the
    // full rules, a die that can be played when either can), two moves or four.
    void OpenRoll(int a, int b);
    void SwitchSide();
    // After the first of two moves the other die comes into play; with one move left the die is
    // already settled.
    void SwitchDie();
    // The human's right click: the other die, unless the full rules leave it nothing to move.
    void SelectOtherDie();

    // Move tests, on the table's points.
    MoveTarget HumanMoveTarget(int s, int d) const;
    MoveTarget ComputerMoveTarget(int s, int d) const;
    bool AllHome() const;
    // Whether some human checker may move with a die of value `d`.
    bool CanMove(int d) const;
    // True when some human checker can move with one of the dice still to be played.
    bool HumanHasAnyMove() const;
    // The legal plays of the human's roll from where the turn began (full rules).
    const LegalPlays& HumanPlays() const;
    // The human's moves made this turn.
    int HumanMovesMade() const { return humanMovesMade; }

    // The turn's count. BookHumanMove spends the selected die on the human's move from s, once
    // HumanMoveTarget has allowed it. FinishHumanMove closes the human's move when the hand is
    // back: the next die, the moves left, the end of the turn when nothing more can be played;
    // true while the turn goes on. FinishComputerMove counts one of the computer's planned moves;
    // true while more are left.
    void BookHumanMove();
    bool FinishHumanMove();
    bool FinishComputerMove();
    // The computer's chosen play: its moves are the turn's.
    void SetComputerMoves(int count) { movesLeft = count; }
    // Nothing more is played this turn.
    void EndTurnMoves() { movesLeft = 0; }
    // For set-ups: `moves` left in the turn; under the full rules the turn's legal plays start
    // from the position as it is now.
    void SetTurn(int moves);
    // Every checker back on its starting point.
    void ResetPosition();

    // The human's board with the human as the mover (player 1, bar on 0), and the computer's
    // with the computer as the mover, as the computer player and the legal plays read them.
    void HumanFrame(PointEntry points[26]) const { position.MoverFrame(Side::Human, points); }
    void FillSnapshot(BoardState& board) const {
        position.MoverFrame(Side::Computer, board.points);
    }
    Side Winner() const { return position.Winner(); }
    bool IsValid() const { return position.IsValid(); }

    const Position& Board() const { return position; }
    // For set-ups and for the turn director's hand, which makes each move in stages.
    Position& EditBoard() { return position; }
    const Point& PointAt(int p) const { return position.points[p]; }
    int Lifted() const { return position.lifted; }

    int DieValue(int d) const { return position.dice[d]; }
    int SelectedDie() const { return selectedDie; }
    int SelectedValue() const { return position.dice[selectedDie]; }
    bool Doubles() const { return doubles; }
    Side CurrentSide() const { return position.toMove; }
    int MovesLeft() const { return movesLeft; }
    // Rolls made since the game was set up, for whoever watches the game.
    int TurnsStarted() const { return turnsStarted; }

private:
    // Under the full rules the selected die is one the human can move, when either is.
    void FollowLegalDie();

    Position position;
    int selectedDie = 0;
    bool doubles = false;
    int movesLeft = 0;
    bool looseRules = false;
    // The human's moves made this turn and the dice they used, and the roll's legal plays from
    // where the turn began (worked out when first asked).
    int humanMovesMade = 0;
    unsigned humanDiceUsed = 0;
    mutable LegalPlays humanPlays;
    int turnsStarted = 0;
};
