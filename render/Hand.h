#pragma once

#include "render/MovePhase.h"
#include "render/SceneObject.h"
#include "rules/Side.h"

class Checker;

enum Joint { ArmJoint = 0, PalmJoint, Finger1Joint, Finger2Joint, Finger3Joint, ThumbJoint };

// The translucent hand: the pointer, and the mover of every checker. Its moves are the phases of
// the rules' moves (`mode`). A move takes stepCount (15) frames from StartMove; Step advances it
// one frame and reports false on the frame that ends it; stepped again without a new StartMove it
// goes over the same move once more. A carried checker hangs 0.13 below the hand.
class Hand : public SceneObject {
public:
    Hand();

    static void BuildLists();
    void StartMove(MovePhase mode, const Pose& target);
    // One frame of the move; `carried`, when given, follows the hand.
    bool Step(Checker* carried = nullptr);
    void SetColours(float r1, float g1, float b1, float r2, float g2, float b2);
    void ToggleColourSelector();
    void SetColourSelectorForSide(Side side);
    // One frame of the idle bob: sink for 15 frames, rise for 15, arm and palm bending with it.
    void Bob();
    void Draw() const;

    float joints[6] = {-20.0f, 0.0f, -50.0f, -40.0f, -20.0f, -30.0f};
    float targetJoints[6] = {};
    float startJoints[6] = {};
    MovePhase mode = ReturnPhase;
    bool moving = false;
    bool arc = false;
    int colourSelector = 1;
    float shadowColour[4] = {0.1f, 0.1f, 0.1f, 0.8f};
    float colour1[4] = {0.8f, 0.8f, 0.8f, 0.1f};
    float colour2[4] = {0.4f, 0.4f, 0.4f, 0.1f};
    float bobCounter = 985.0f;
    // Frames done of the move in progress.
    int frameCounter = 0;
};
