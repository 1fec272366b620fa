#include "rules/Point.h"

void Point::Push(Checker*) {}
Checker* Point::Pop() { return nullptr; }
Checker* Point::Top() const { return nullptr; }
int Point::Owner() const { return NoSide; }
void Point::SetSelected(bool) {}
Pose Point::SlotPosition() const { return Pose(); }
