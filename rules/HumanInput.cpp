#include "table/GameTable.h"

int GameTable::HoverStep() { return NoPoint; }
void GameTable::DropStep() {}
