#include "render/Checker.h"

void Checker::BuildLists() {}
void Checker::Draw() {}
