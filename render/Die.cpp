#include "render/Die.h"

Die::Die() : SceneObject(20) {
    SetValue(1);
}

void Die::SetValue(int v) {
    value = v;
    current.rotX = 0.0f;
    current.rotY = 0.0f;
    current.rotZ = 0.0f;
    // The unrotated die shows 4 on top; each other value is one quarter or half turn away.
    switch (v) {
        case 1:
            current.rotX = 270.0f;
            break;
        case 2:
            current.rotZ = 270.0f;
            break;
        case 3:
            current.rotX = 180.0f;
            break;
        case 5:
            current.rotZ = 90.0f;
            break;
        case 6:
            current.rotX = 90.0f;
            break;
        default:
            break;
    }
}
