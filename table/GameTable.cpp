#include "table/GameTable.h"

GameTable::GameTable() {
    rules.SetView(this);

    // 1. The dice rest on the right half of the board.
    dice[0].current.x = 0.4f;
    dice[0].current.y = 0.031f;
    dice[0].current.z = 0.05f;
    dice[1].current.x = 0.6f;
    dice[1].current.y = 0.031f;
    dice[1].current.z = -0.05f;
    ShowDice();

    // 2. Sides and indices; the ghost is a human checker that never lies on a point.
    for (int i = 0; i < CheckerCount; i++) {
        checkers[i].SetSideAndIndex(SideOfChecker(i), i);
    }
    ghostChecker.SetSideAndIndex(HumanSide, 100);

    // 3. No rendering context exists yet: only the colours are stored; scene set-up builds the
    // lists.
    StoreColourScheme(9);

    // 4. The checkers on the rules' starting position.
    PlaceCheckersOnTheirSlots();
}

GameTable::~GameTable() {
    rules.SetView(nullptr);
}

void GameTable::SetClientSize(int width, int height) {
    clientWidth = width;
    clientHeight = height;
}

void GameTable::SetPointer(float x, float y) {
    mouseX = x;
    mouseY = y;
}

bool GameTable::PointerToBoard(float& x, float& z) const {
    // 1. Half the client size, truncated.
    const int halfWidth = clientWidth / 2;
    const int halfHeight = clientHeight / 2;
    // A window shrunk to its caption has no board to point at.
    if (halfWidth == 0 || halfHeight == 0) {
        return false;
    }
    // 2. The left and top edges map to -1, the centre to 0.
    x = (mouseX - static_cast<float>(halfWidth)) / static_cast<float>(halfWidth);
    z = (mouseY - static_cast<float>(halfHeight)) / static_cast<float>(halfHeight);
    return true;
}

void GameTable::MouseToBoard() {
    float x = 0.0f;
    float z = 0.0f;
    if (PointerToBoard(x, z)) {
        hand.current.x = x;
        hand.current.z = z;
    }
}

Pose GameTable::PointerPose() {
    // The mouse position on the board, as MouseToBoard maps it; where there is no client area the
    // hand comes back to where it is.
    float x = hand.current.x;
    float z = hand.current.z;
    PointerToBoard(x, z);
    pointerPose.x = x;
    pointerPose.y = 0.22f;
    pointerPose.z = z;
    return pointerPose;
}

void GameTable::MoveHand(float dx, float dz) {
    hand.current.x += dx;
    hand.current.z += dz;
}

void GameTable::LiftHand(float dy) {
    const float bend = dy < 0.0f ? 1.0f : -1.0f;
    hand.current.y += dy;
    hand.joints[PalmJoint] += bend;
    hand.joints[ArmJoint] -= 2.0f * bend;
}

void GameTable::MoveView(float dz, float tilt, float turn) {
    boardView.current.z += dz;
    boardView.current.rotX += tilt;
    boardView.current.rotY += turn;
}

Pose GameTable::NextSlot(int point) const {
    return SlotPosition(point, rules.PointAt(point).count);
}

void GameTable::SelectStack(int point, bool flag) {
    const Point& stack = rules.PointAt(point);
    for (unsigned i = 0; i < stack.count; i++) {
        checkers[stack.stack[i]].selected = flag;
    }
}

void GameTable::PlaceCheckersOnTheirSlots() {
    for (int p = 0; p < PointCount; p++) {
        const Point& point = rules.PointAt(p);
        for (unsigned i = 0; i < point.count; i++) {
            checkers[point.stack[i]].current = SlotPosition(p, i);
        }
    }
}

void GameTable::ShowDice() {
    for (int d = 0; d < 2; d++) {
        dice[d].SetValue(rules.DieValue(d));
        dice[d].active = rules.SelectedDie() == d;
    }
}

void GameTable::PhaseStarted(MovePhase phase) {
    // 1. Where the hand goes: to the checker it lifts, to the slot that checker takes (a hit
    // checker's own place, for a hit), or back to the pointer.
    const auto topPose = [this](int point) { return checkers[rules.PointAt(point).Top()].current; };
    switch (phase) {
        case ReachPhase:
        case ReachHitPhase:
            phaseTarget = topPose(rules.FromPoint());
            break;
        case CarryPhase:
            phaseTarget = NextSlot(rules.ToPoint());
            break;
        case CarryHitPhase:
            phaseTarget = topPose(rules.ToPoint());
            break;
        case CarryToBarPhase:
            phaseTarget = NextSlot(rules.BarPoint());
            break;
        case ReturnPhase:
            phaseTarget = PointerPose();
            break;
    }
    // 2. It carries in an arc, and reaches in one when the computer goes straight on from one
    // move to the next.
    const bool reach = phase == ReachPhase || phase == ReachHitPhase;
    const bool straightOn = rules.CurrentSide() == ComputerSide && rules.ComputerMovesDone() > 0;
    hand.arc = reach ? straightOn : phase != ReturnPhase;
    hand.StartMove(phase, phaseTarget);
}

void GameTable::CheckerPutDown(int checker, int) {
    checkers[checker].current = phaseTarget;
}

void GameTable::SideSwitched() {
    hand.ToggleColourSelector();
}

void GameTable::HandToPointer() {
    MouseToBoard();
}

void GameTable::ShowHover() {
    HoverStep();
}

void GameTable::HideHover() {
    if (hoveredPoint >= 0 && hoveredPoint <= HumanBar) {
        SelectStack(hoveredPoint, false);
    }
    ghostVisible = false;
}

void GameTable::GameWon() {
    ghostVisible = false;
    winnerCue.Start(rules.LastWinner());
}

void GameTable::PositionReset() {
    for (Checker& checker : checkers) {
        checker.selected = false;
    }
    ghostVisible = false;
    hand.arc = false;
    winnerCue.Stop();
    PlaceCheckersOnTheirSlots();
}
