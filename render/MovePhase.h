#pragma once

// The phases of one move, in the order they come. A plain move or a bear-off goes Reach, Carry;
// a hit goes ReachHit, CarryHit (the mover takes the blot's place and the blot is lifted),
// CarryToBar. Every move ends with Return, the hand going back to the pointer, unless the
// computer goes straight on with its next planned move; a turn ends on a Return's arrival.
enum MovePhase {
    ReachPhase = 0,
    CarryPhase = 1,
    ReachHitPhase = 2,
    CarryHitPhase = 3,
    CarryToBarPhase = 4,
    ReturnPhase = 5,
};
