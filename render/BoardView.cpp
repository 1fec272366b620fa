#include "render/BoardView.h"

// The board 2.9 units in front of the eye, tilted 60 degrees so that the near edge is at the
// bottom of the window.
BoardView::BoardView() : SceneObject(20) {
    current.z = -2.9f;
    current.rotX = 60.0f;
}
