#pragma once

#include "render/Pose.h"

// The point (1..24), bar half (0 near, 25 far) or rim strip under a board position (x and z of
// `pose`, unscaled board coordinates); -1 off the board.
int PickPoint(const Pose& pose);
