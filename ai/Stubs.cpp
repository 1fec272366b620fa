// Placeholder bodies so that the tree links before the computer player lands.
#include "ai/ComputerPlayer.h"

BoardState::BoardState() { ResetToStart(); }
void BoardState::ResetToStart() {}
void BoardState::Save() {}
void BoardState::Restore() {}
void BoardState::CopyFrom(const BoardState&) {}
void BoardState::Mirror() {}
bool BoardState::MoveChecker(unsigned, unsigned) { return false; }
bool BoardState::CanBearOff(unsigned, unsigned) const { return false; }
void MoveList::Add(unsigned, unsigned) {}
unsigned MoveList::CopyOut(unsigned[4], unsigned[4]) const { return 0; }
unsigned ComputerPlayer::ChooseMove(const BoardState&, unsigned, const unsigned[2], MoveList& m) {
    m.Clear();
    return 0;
}
