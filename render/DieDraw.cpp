#include "render/Die.h"

void Die::BuildLists(const Die&) {}
void Die::Draw() const {}
void Die::DrawShadow() const {}
