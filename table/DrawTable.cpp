#include "table/GameTable.h"

void GameTable::DrawTable() { StepTurn(); }
