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
    ghostVisible = 0;
    if (hoveredPoint >= 0 && hoveredPoint <= HumanBar) {
        points[hoveredPoint].SetSelected(false);
    }
    // 4./5. The point under them; off the board nothing is shown.
    hoveredPoint = PickPoint(fingertipPose);
    if (hoveredPoint < 0 || hoveredPoint > HumanBar) {
        return hoveredPoint;
    }
    // 6. Over the human's checkers: highlight them and preview where the selected die puts one.
    Point& hovered = points[hoveredPoint];
    if (hovered.Owner() == HumanSide) {
        hovered.SetSelected(true);
        const int t = hoveredPoint - dice[selectedDie].value;
        // Bearing off shows no ghost.
        if (t <= 0) {
            return hoveredPoint;
        }
        if (t > 24 || (points[t].Owner() == ComputerSide && points[t].count != 1)) {
            return hoveredPoint;
        }
        ghostVisible = 1;
        ghostChecker.current = points[t].SlotPosition();
    }
    // 7.
    return hoveredPoint;
}

void GameTable::DropStep() {
    // 1. Only the human, and only with the hand at rest.
    if (!HumanMayAct()) {
        return;
    }
    // 2./3. The hover step runs in full; the point must hold the human's checkers.
    const int s = HoverStep();
    if (s < 0 || s > ComputerTray || points[s].Owner() != HumanSide) {
        return;
    }
    // 4. The move test; a refused move leaves the preview as it is.
    const MoveTarget move = HumanMoveTarget(s, dice[selectedDie].value);
    if (!move.allowed) {
        return;
    }
    // 5./6. The move is on: no more input until the hand is back.
    fromPoint = s;
    toPoint = move.to;
    points[s].SetSelected(false);
    ghostVisible = 0;
    inputEnabled = 0;
    // 7. The hand fetches the top checker.
    fromPose = points[s].Top()->current;
    // 8. A hit: the mover takes the blot's place and the blot goes to the computer's bar.
    if (move.hits) {
        toPose = points[toPoint].Top()->current;
        barPoint = ComputerBar;
        barPose = points[ComputerBar].SlotPosition();
        hand.StartMove(ReachHitMode, fromPose);
        return;
    }
    // 9. A plain move or a bear-off.
    toPose = points[toPoint].SlotPosition();
    hand.StartMove(ReachMode, fromPose);
}

bool GameTable::HumanMayAct() const {
    return currentSide == HumanSide && inputEnabled && hand.mode == RestMode && !hand.moving &&
           gameOverFrames == 0;
}

void GameTable::OtherDieStep() {
    if (!HumanMayAct()) {
        return;
    }
    SwitchDie();
    MouseToBoard();
    HoverStep();
}
