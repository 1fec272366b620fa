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
    // 6. Over the human's checkers: highlight them and preview where a click would put one with
    // the selected die, tray included: the next slot, or the blot's own slot for a hit.
    if (rules.PointAt(hoveredPoint).Owner() == HumanSide) {
        SelectStack(hoveredPoint, true);
        const MoveTarget move = rules.HumanMoveTarget(hoveredPoint, rules.SelectedValue());
        if (move.allowed) {
            ghostVisible = true;
            ghostChecker.current =
                move.hits ? checkers[rules.PointAt(move.to).Top()].current : NextSlot(move.to);
        }
    }
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
    rules.SelectOtherDie();
    MouseToBoard();
    HoverStep();
}

void GameTable::PointerMoved(int x, int y) {
    StorePointer(x, y);
    if (rules.InputEnabled()) {
        MouseToBoard();
        HoverStep();
    }
}

void GameTable::LeftClick(int x, int y) {
    if (rules.InputEnabled()) {
        StorePointer(x, y);
        MouseToBoard();
        DropStep();
    }
}

void GameTable::RightClick(int x, int y) {
    StorePointer(x, y);
    OtherDieStep();
}

void GameTable::StorePointer(int x, int y) {
    // While a button is held the window system goes on reporting the pointer past the window's
    // edges. The hand stays on the board: a position outside the client area counts as the
    // nearest point of its edge.
    const int right = clientWidth > 0 ? clientWidth - 1 : 0;
    const int bottom = clientHeight > 0 ? clientHeight - 1 : 0;
    SetPointer(static_cast<float>(x < 0       ? 0
                                  : x > right ? right
                                              : x),
               static_cast<float>(y < 0        ? 0
                                  : y > bottom ? bottom
                                               : y));
}
