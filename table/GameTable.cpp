#include "table/GameTable.h"

GameTable::GameTable() {}
void GameTable::MouseToBoard() {}
bool GameTable::IsValid() const { return true; }
