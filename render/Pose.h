#pragma once

// A placement in board coordinates: x to the right, y up, z toward the player, in scene units;
// rotations in degrees about x, y and z.
class Pose {
public:
    virtual ~Pose() = default;

    float x = 0.0f;
    float y = 0.0f;
    float z = 0.0f;
    float rotX = 0.0f;
    float rotY = 0.0f;
    float rotZ = 0.0f;
};
