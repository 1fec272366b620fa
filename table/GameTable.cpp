#include "table/GameTable.h"

#include "render/Picking.h"
#include "table/ColourScheme.h"

GameTable::GameTable() {
    director.SetView(this);

    // The dice rest on the right half of the board.
    dice[0].current.x = 0.4f;
    dice[0].current.y = 0.031f;
    dice[0].current.z = 0.05f;
    dice[1].current.x = 0.6f;
    dice[1].current.y = 0.031f;
    dice[1].current.z = -0.05f;
    ShowDice();

    // Sides and indices; the ghost is a human checker that never lies on a point.
    for (int i = 0; i < CheckerCount; i++) {
        checkers[i].SetSideAndIndex(SideOfChecker(i), i);
    }
    ghostChecker.SetSideAndIndex(Side::Human, 100);

    // No rendering context exists yet: only the colours are stored; scene set-up builds the
    // lists.
    StoreColourScheme(9);

    // The checkers on the rules' starting position.
    PlaceCheckersOnTheirSlots();
}

void GameTable::UseLooseRules(bool loose) {
    rules.UseLooseRules(loose);
    computer.largerDieRule = !loose;
}

GameTable::~GameTable() {
    director.SetView(nullptr);
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
    // Half the client size, truncated.
    const int halfWidth = clientWidth / 2;
    const int halfHeight = clientHeight / 2;
    // A window shrunk to its caption has no board to point at.
    if (halfWidth == 0 || halfHeight == 0) {
        return false;
    }
    // The left and top edges map to -1, the centre to 0.
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
    // Where the hand goes: to the checker it lifts, to the slot that checker takes (a hit
    // checker's own place, for a hit), or back to the pointer.
    const auto topPose = [this](int point) { return checkers[rules.PointAt(point).Top()].current; };
    switch (phase) {
        case ReachPhase:
        case ReachHitPhase:
            phaseTarget = topPose(director.FromPoint());
            break;
        case CarryPhase:
            phaseTarget = NextSlot(director.ToPoint());
            break;
        case CarryHitPhase:
            phaseTarget = topPose(director.ToPoint());
            break;
        case CarryToBarPhase:
            phaseTarget = NextSlot(director.BarPoint());
            break;
        case ReturnPhase:
            phaseTarget = PointerPose();
            break;
    }
    // It carries in an arc, and reaches in one when the computer goes straight on from one
    // move to the next.
    const bool reach = phase == ReachPhase || phase == ReachHitPhase;
    const bool straightOn =
        rules.CurrentSide() == Side::Computer && director.ComputerMovesDone() > 0;
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
    winnerCue.Start(director.LastWinner());
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

void GameTable::StepTurn() {
    // The director's watchdogs and pauses run on every frame, a move under way or not; a frame in
    // which one of them acts does nothing else.
    if (director.StepIdle()) {
        return;
    }
    // Nothing is under way.
    if (!director.MoveUnderway()) {
        return;
    }
    // The hand's move goes on, with the lifted checker.
    const int lifted = rules.Lifted();
    if (hand.Step(lifted != NoChecker ? &checkers[lifted] : nullptr)) {
        return;
    }
    // It has just ended: the director acts on its arrival.
    director.ArrivePhase();
}

void GameTable::Advance() {
    // The turn flow: the hand's move, its arrival, the watchdogs.
    StepTurn();
    // The idle animations: the hand's bob, the spin of the highlighted stack, the ghost's turn.
    hand.Bob();
    int selected = 0;
    for (const Checker& checker : checkers) {
        selected += checker.selected ? 1 : 0;
    }
    spinAtFrameStart = spinAngle;
    spinAngle = Checker::SpinAfter(spinAngle, selected);
    ghostTurn = ghostChecker.current.rotY;
    if (ghostVisible) {
        ghostChecker.current.rotY += 5.0f;
    }
    // The dice show the rules' roll; a won game shows its winner.
    ShowDice();
    winnerCue.Step();
}

// The fingertips lie a point ahead of the hand's origin, toward the player's left front.
static const float fingertipDx = -0.14f;
static const float fingertipDz = 0.14f;

int GameTable::HoverStep() {
    // Where the fingertips are.
    fingertipPose = hand.current;
    fingertipPose.x = hand.current.x + fingertipDx;
    fingertipPose.z = hand.current.z + fingertipDz;
    // Forget the last preview.
    ghostVisible = false;
    if (hoveredPoint >= 0 && hoveredPoint <= HumanBar) {
        SelectStack(hoveredPoint, false);
    }
    // The point under them; off the board nothing is shown.
    hoveredPoint = PickPoint(fingertipPose);
    if (hoveredPoint < 0 || hoveredPoint > HumanBar) {
        return hoveredPoint;
    }
    // Over the human's checkers: highlight them and preview where a click would put one with
    // the selected die, tray included: the next slot, or the blot's own slot for a hit.
    if (rules.PointAt(hoveredPoint).Owner() == Side::Human) {
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
    // Only the human, and only with the hand at rest.
    if (!director.HumanMayAct()) {
        return;
    }
    // The hover step runs in full; the rules test the move from the point under the
    // fingertips (a refused move leaves the preview as it is) and start it.
    const int s = HoverStep();
    if (!director.StartHumanMove(s)) {
        return;
    }
    SelectStack(s, false);
    ghostVisible = false;
}

void GameTable::OtherDieStep() {
    if (!director.HumanMayAct()) {
        return;
    }
    rules.SelectOtherDie();
    MouseToBoard();
    HoverStep();
}

void GameTable::PointerMoved(int x, int y) {
    StorePointer(x, y);
    if (director.InputEnabled()) {
        MouseToBoard();
        HoverStep();
    }
}

void GameTable::LeftClick(int x, int y) {
    if (director.InputEnabled()) {
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

static void CopyColour(float (&to)[3], const float (&from)[3]) {
    to[0] = from[0];
    to[1] = from[1];
    to[2] = from[2];
}

bool GameTable::StoreColourScheme(int n) {
    const ColourScheme* scheme = ColourScheme::Find(n);
    if (scheme == nullptr)
        return false;

    CopyColour(boardView.surfaceColour, scheme->surface);
    CopyColour(boardView.frameColour, scheme->frame);
    CopyColour(boardView.oddPointColour, scheme->oddPoints);
    CopyColour(boardView.evenPointColour, scheme->evenPoints);
    for (Die& die : dice) {
        die.colour[0] = die.colour[1] = die.colour[2] = 0.7f;
    }
    hand.SetColours(scheme->hand1[0], scheme->hand1[1], scheme->hand1[2], scheme->hand2[0],
                    scheme->hand2[1], scheme->hand2[2]);
    Checker::SetColours(scheme->sideA[0], scheme->sideA[1], scheme->sideA[2], scheme->sideB[0],
                        scheme->sideB[1], scheme->sideB[2], scheme->highlight[0],
                        scheme->highlight[1], scheme->highlight[2]);

    // A scheme also undoes a side swap made with the 0 key (the ghost keeps its flag: it is
    // always drawn in the highlight colour anyway).
    for (Checker& checker : checkers)
        checker.ResetColourFlag();
    hand.SetColourSelectorForSide(rules.CurrentSide());
    return true;
}

void GameTable::SwapSideColours() {
    hand.ToggleColourSelector();
    for (Checker& checker : checkers)
        checker.ToggleColourFlag();
    ghostChecker.ToggleColourFlag();
}
