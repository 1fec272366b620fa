#pragma once

#include "render/SceneObject.h"

class Checker;

enum Joint { ArmJoint = 0, PalmJoint, Finger1Joint, Finger2Joint, Finger3Joint, ThumbJoint };

// Hand modes: what the hand is doing in the current move (the turn flow acts on its arrival).
enum HandMode {
    ReachMode = 0,       // reaches for the checker to be moved
    CarryMode = 1,       // carries it to its destination
    ReachHitMode = 2,    // reaches for a checker whose move hits a blot
    CarryHitMode = 3,    // carries it onto the blot
    CarryToBarMode = 4,  // carries the blot to the bar
    RestMode = 5,        // returns to the pointer
};

// The translucent hand: the pointer, and the mover of every checker. A move takes stepCount (15)
// frames from StartMove; Step advances it one frame and reports false on the frame that ends it.
// While attached, the carried checker hangs 0.13 below the hand.
class Hand : public SceneObject {
public:
    Hand();

    static void BuildLists();
    void StartMove(int mode, const Pose& target);
    bool Step();
    void SetColours(float r1, float g1, float b1, float r2, float g2, float b2);
    void ToggleColourSelector();
    void SetColourSelectorForSide(int side);
    // One frame of the idle bob: sink for 15 frames, rise for 15, arm and palm bending with it.
    void Bob();
    void Draw() const;

    float joints[6] = {-20.0f, 0.0f, -50.0f, -40.0f, -20.0f, -30.0f};
    float targetJoints[6] = {};
    float startJoints[6] = {};
    int mode = RestMode;
    int attached = 0;
    Checker* carried = nullptr;
    bool moving = false;
    bool arc = false;
    int colourSelector = 1;
    float shadowColour[4] = {0.1f, 0.1f, 0.1f, 0.8f};
    float colour1[4] = {0.8f, 0.8f, 0.8f, 0.1f};
    float colour2[4] = {0.4f, 0.4f, 0.4f, 0.1f};
    float bobCounter = 985.0f;

    // Frames done of the move in progress; there is only one hand.
    static int frameCounter;
};
