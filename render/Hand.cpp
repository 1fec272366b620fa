#include "render/Hand.h"

#include <cmath>

#include "render/Checker.h"

static const float restJoints[6] = {-20.0f, 0.0f, -50.0f, -40.0f, -20.0f, -30.0f};
static const float gripJoints[6] = {-45.0f, -10.0f, -60.0f, -60.0f, -60.0f, -35.0f};
// How far above its own slot a checker is when the hand holds it, and how much higher a hit
// checker travels to clear the bar.
static const float carryHeight = 0.131f;
static const float barClearance = 0.07f;

// At rest the fingers point toward the player's left front, where the picked point lies.
Hand::Hand() : SceneObject(15) {
    current.y = 0.22f;
    current.rotY = 225.0f;
    SetColours(0.8f, 0.8f, 0.8f, 0.4f, 0.4f, 0.4f);
}

void Hand::StartMove(MovePhase newMode, const Pose& goal) {
    // 1. Remember both ends of the move.
    mode = newMode;
    target = goal;
    start = current;
    for (int j = 0; j < 6; j++) {
        startJoints[j] = joints[j];
    }
    moving = true;

    // 2. The hand ends above what it grips; above the bar when it carries a hit checker there.
    target.y = goal.y + carryHeight;
    if (newMode == CarryToBarPhase) {
        target.y = goal.y + carryHeight + barClearance;
    }

    // 3. Back at the pointer the hand opens; everywhere else it grips.
    target.rotX = 0.0f;
    target.rotY = 225.0f;
    target.rotZ = 0.0f;
    const float* goalJoints = gripJoints;
    if (newMode == ReturnPhase) {
        target.y = 0.22f;
        goalJoints = restJoints;
    }
    for (int j = 0; j < 6; j++) {
        targetJoints[j] = goalJoints[j];
    }
}

bool Hand::Step(Checker* carried) {
    // 1. Count the frame.
    moving = true;
    frameCounter++;
    const int c = frameCounter;
    const float steps = static_cast<float>(stepCount);

    // 2. Height: a lift that peaks mid-move, or a straight line.
    if (arc) {
        const double pi = 3.14159265358979323846;
        const float b = mode == CarryToBarPhase ? barClearance : 0.0f;
        current.y = static_cast<float>(0.3 * std::sin(pi * c / stepCount)) + b + carryHeight;
    } else {
        current.y = current.y + (target.y - start.y) / steps;
    }

    // 3. Everything else in equal steps.
    current.x = current.x + (target.x - start.x) / steps;
    current.z = current.z + (target.z - start.z) / steps;
    current.rotX = current.rotX + (target.rotX - start.rotX) / steps;
    current.rotY = current.rotY + (target.rotY - start.rotY) / steps;
    current.rotZ = current.rotZ + (target.rotZ - start.rotZ) / steps;
    for (int j = 0; j < 6; j++) {
        joints[j] = joints[j] + (targetJoints[j] - startJoints[j]) / steps;
    }

    // 4. The carried checker hangs just below the fingers.
    if (carried != nullptr) {
        carried->current.x = current.x;
        carried->current.z = current.z;
        carried->current.y = current.y - 0.13f;
    }

    // 5. The last frame ends the move.
    if (c == stepCount) {
        frameCounter = 0;
        moving = false;
        return false;
    }
    return true;
}

void Hand::SetColours(float r1, float g1, float b1, float r2, float g2, float b2) {
    colour1[0] = r1;
    colour1[1] = g1;
    colour1[2] = b1;
    colour1[3] = 0.1f;
    colour2[0] = r2;
    colour2[1] = g2;
    colour2[2] = b2;
    colour2[3] = 0.1f;
    shadowColour[0] = 0.1f;
    shadowColour[1] = 0.1f;
    shadowColour[2] = 0.1f;
    shadowColour[3] = 0.8f;
}

void Hand::ToggleColourSelector() {
    colourSelector = colourSelector == 1 ? 2 : 1;
}

// The human's checkers wear the side-B colour, so its hand wears colour 2, and the other way round.
void Hand::SetColourSelectorForSide(Side side) {
    colourSelector = side == Side::Human ? 2 : 1;
}

void Hand::Bob() {
    if (bobCounter <= 1000.0f) {
        current.y -= 0.0005f;
        joints[ArmJoint] += 0.01f;
        joints[PalmJoint] += 0.01f;
        if (bobCounter == 1000.0f)
            bobCounter = 1985.0f;
    } else {
        current.y += 0.0005f;
        joints[ArmJoint] -= 0.01f;
        joints[PalmJoint] -= 0.01f;
        if (bobCounter == 2000.0f)
            bobCounter = 985.0f;
    }
    bobCounter += 1.0f;
}
