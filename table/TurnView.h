#pragma once

#include "render/MovePhase.h"

// What the presentation does at the steps of a turn. The turn director calls it, in the order the
// steps happen; it shows them and changes nothing the rules keep. Every call has a default that
// does nothing, so whole games can run without anything on show.
class TurnView {
public:
    virtual ~TurnView() = default;

    // A phase of the move in progress has begun; the director expects ArrivePhase when it is over.
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
