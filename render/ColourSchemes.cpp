#include "table/GameTable.h"

void GameTable::ApplyColourScheme(int) {}
void GameTable::SwapSideColours() {}
void GameTable::NextBackground() {}
