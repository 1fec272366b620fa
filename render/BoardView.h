#pragma once

#include "render/SceneObject.h"

// The board as drawn: its view pose (the camera transform applied at the start of every frame;
// the camera keys change z, rotX and rotY), its four colours and its three display lists
// (frame, surface, points). BuildLists may run before any rendering context exists; it then
// does nothing harmful and scene set-up builds the lists later.
class BoardView : public SceneObject {
public:
    BoardView();

    void BuildLists() const;
    // Multiplies the current matrix by the camera: the view pose's translation, its tilt about x
    // and turn about y (rotZ is not used), and the stretch that draws the table a tenth wider
    // than its model.
    void ApplyView() const;
    void DrawPointsAndSurface() const;
    void DrawFrame() const;

    float surfaceColour[3] = {0.7f, 0.5f, 0.0f};
    float frameColour[3] = {0.6f, 0.4f, 0.1f};
    float oddPointColour[3] = {0.1f, 0.3f, 0.4f};
    float evenPointColour[3] = {0.4f, 0.2f, 0.1f};
};
