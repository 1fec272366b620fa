#include "render/Hand.h"

int Hand::frameCounter = 0;

Hand::Hand() : SceneObject(15) {}
void Hand::StartMove(int, const Pose&) {}
bool Hand::Step() { return false; }
void Hand::SetColours(float, float, float, float, float, float) {}
void Hand::ToggleColourSelector() {}
void Hand::SetColourSelectorForSide(int) {}
