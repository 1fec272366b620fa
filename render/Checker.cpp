#include "render/Checker.h"

CheckerColours Checker::colours = {{0.4f, 0.4f, 0.4f}, {0.99f, 0.99f, 0.99f}, {0.6f, 0.6f, 0.8f}};
float Checker::spinAngle = 0.0f;

Checker::Checker() : SceneObject(20) {}
void Checker::SetSideAndIndex(int s, int i) {
    side = s;
    index = i;
    ResetColourFlag();
}
void Checker::ResetColourFlag() { colourFlag = index >= 15 ? 1 : 0; }
void Checker::ToggleColourFlag() { colourFlag = colourFlag == 0 ? 1 : 0; }
void Checker::SetColours(float, float, float, float, float, float, float, float, float) {}
Pose SlotPosition(int, unsigned) { return Pose(); }
