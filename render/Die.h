#pragma once

#include "render/SceneObject.h"

// One die as drawn: the value it shows, by turning that face up, and whether it is the die the
// next move uses (active: drawn opaque; inactive: translucent, over everything behind it). The
// rules roll the dice; the table shows their values here.
class Die : public SceneObject {
public:
    Die();

    void SetValue(int v);

    // Compiles the pip, die and shadow lists; the shadow's height is taken from `reference`.
    static void BuildLists(const Die& reference);
    void Draw() const;
    void DrawShadow() const;

    bool active = false;
    int value = 1;
    float colour[4] = {0.99f, 0.99f, 0.99f, 0.6f};
};
