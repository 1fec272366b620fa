#include "render/Die.h"

Die::Die() : SceneObject(20) {}
void Die::PlaceAndRoll(const Pose&) {}
void Die::Roll() {}
void Die::SetValue(int v) { value = v; }
