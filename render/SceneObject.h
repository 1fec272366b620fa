#pragma once

#include "render/Pose.h"

// Base of every drawn object: where it is, where its current move goes, where that move started,
// and how many frames a move takes.
class SceneObject {
public:
    explicit SceneObject(int stepCount) : stepCount(stepCount) {}
    virtual ~SceneObject() = default;

    Pose current;
    Pose target;
    Pose start;
    int stepCount;
};
