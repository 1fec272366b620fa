#pragma once

#include "render/SceneObject.h"
#include "rules/Side.h"

// The colours all checkers share: side A (side 2 by default), side B (side 1) and the highlight.
struct CheckerColours {
    float sideA[3];
    float sideB[3];
    float highlight[3];
};

// One checker, of a side (Side::None until it is dealt). Index 0..29 for the
// thirty checkers of the table (the rules' checker numbers), 100 for the ghost checker that
// previews a destination. A selected
// checker spins in the highlight colour; the colour flag picks side A (0) or side B (1). The table
// advances the spins in its frame step; drawing changes nothing.
class Checker : public SceneObject {
public:
    Checker();

    void SetSideAndIndex(Side side, int index);
    void ResetColourFlag();
    void ToggleColourFlag();
    static void SetColours(float aR, float aG, float aB, float bR, float bG, float bB, float hR,
                           float hG, float hB);

    static void BuildLists();
    // Draws the checker turned by `turn` degrees about its axis: its own rotY, or for a selected
    // checker its place in the shared spin; its colour scaled by `shade`.
    void Draw(float turn, float shade = 1.0f) const;
    // The shared spin of the selected checkers after `turns` more half-degree steps; it starts over
    // at 0 past 360. Each selected checker turns it half a degree further, so a highlighted stack
    // turns at staggered angles.
    static float SpinAfter(float angle, int turns);

    Side side = Side::None;
    bool selected = false;
    int index = 0;
    int colourFlag = 0;

    static CheckerColours colours;
};

// Where the next checker put on point `number` (0..27) stands when `count` checkers are already
// there: rows of six from the rim toward the centre line, further layers 0.021 higher.
Pose SlotPosition(int number, unsigned count);
