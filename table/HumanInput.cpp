#include "render/Picking.h"
#include "table/GameTable.h"

// The fingertips lie a point ahead of the hand's origin, toward the player's left front.
static const float fingertipDx = -0.14f;
static const float fingertipDz = 0.14f;

int GameTable::HoverStep() {
    // 1. Where the fingertips are.
    fingertipPose = hand.current;
    fingertipPose.x = hand.current.x + fingertipDx;
    fingertipPose.z = hand.current.z + fingertipDz;
    // 2./3. Forget the last preview.
    ghostVisible = false;
    if (hoveredPoint >= 0 && hoveredPoint <= HumanBar) {
        SelectStack(hoveredPoint, false);
    }
    // 4./5. The point under them; off the board nothing is shown.
    hoveredPoint = PickPoint(fingertipPose);
    if (hoveredPoint < 0 || hoveredPoint > HumanBar) {
        return hoveredPoint;
    }
    // 6. Over the human's checkers: highlight them and preview where the selected die puts one.
    if (rules.PointAt(hoveredPoint).Owner() == HumanSide) {
        SelectStack(hoveredPoint, true);
        const int t = hoveredPoint - rules.SelectedValue();
        // Bearing off shows no ghost.
        if (t <= 0) {
            return hoveredPoint;
        }
        if (t > 24 || (rules.PointAt(t).Owner() == ComputerSide && rules.PointAt(t).count != 1)) {
            return hoveredPoint;
        }
        ghostVisible = true;
        ghostChecker.current = NextSlot(t);
    }
    // 7.
    return hoveredPoint;
}

void GameTable::DropStep() {
    // 1. Only the human, and only with the hand at rest.
    if (!rules.HumanMayAct()) {
        return;
    }
    // 2.-9. The hover step runs in full; the rules test the move from the point under the
    // fingertips (a refused move leaves the preview as it is) and start it.
    const int s = HoverStep();
    if (!rules.StartHumanMove(s)) {
        return;
    }
    SelectStack(s, false);
    ghostVisible = false;
}

void GameTable::OtherDieStep() {
    if (!rules.HumanMayAct()) {
        return;
    }
    rules.SwitchDie();
    MouseToBoard();
    HoverStep();
}
