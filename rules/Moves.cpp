#include "table/GameTable.h"

void GameTable::RollForTurn() {}
MoveTarget GameTable::HumanMoveTarget(int, int) const { return MoveTarget(); }
bool GameTable::AllHome() const { return false; }
bool GameTable::CanMove(int) const { return false; }
MoveTarget GameTable::ComputerMoveTarget(int, int) const { return MoveTarget(); }
