#include "table/GameTable.h"

void GameTable::StepTurn() {}
void GameTable::SwitchSide() {}
void GameTable::SwitchDie() {}
void GameTable::PlanComputerTurn() {}
void GameTable::StartPlannedMove(int) {}
void GameTable::FillSnapshot(BoardState&) const {}
