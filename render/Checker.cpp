#include "render/Checker.h"

// Scheme 9, the one in force from the start; the table's constructor applies it again.
CheckerColours Checker::colours = {{0.4f, 0.4f, 0.4f}, {0.99f, 0.99f, 0.99f}, {0.6f, 0.6f, 0.8f}};

Checker::Checker() : SceneObject(20) {}

void Checker::SetSideAndIndex(Side s, int i) {
    side = s;
    index = i;
    ResetColourFlag();
}

void Checker::ResetColourFlag() {
    colourFlag = index >= 15 ? 1 : 0;
}

void Checker::ToggleColourFlag() {
    colourFlag = colourFlag == 0 ? 1 : 0;
}

void Checker::SetColours(float aR, float aG, float aB, float bR, float bG, float bB, float hR,
                         float hG, float hB) {
    colours = {{aR, aG, aB}, {bR, bG, bB}, {hR, hG, hB}};
}

float Checker::SpinAfter(float angle, int turns) {
    for (int i = 0; i < turns; ++i) {
        angle += 0.5f;
        if (angle > 360.0f)
            angle = 0.0f;
    }
    return angle;
}

Pose SlotPosition(int number, unsigned count) {
    const int p = number;
    const int n = static_cast<int>(count);
    Pose slot;

    const bool bar = p == 0 || p == 25;
    const bool tray = p == 26 || p == 27;
    if (bar) {
        slot.x = 0.0f;
    } else if (tray) {
        // Both trays lie just outside the right edge of the board.
        slot.x = 1.14f;
    } else {
        const float s = (p >= 7 && p <= 18) ? -1.0f : 1.0f;
        int m = p < 13 ? p : 25 - p;
        if (m >= 7) {
            m = 13 - m;
        }
        // m is now the distance from the rim, 1..6.
        slot.x = s * (0.85f - static_cast<float>((m - 1) % 6) * 0.14f);
    }

    const float base = bar ? 0.081f : (tray ? 0.0f : 0.011f);
    slot.y = base + 0.021f * static_cast<float>(n / 6);

    const float t = ((p >= 13 && p <= 25) || p == 27) ? -1.0f : 1.0f;
    slot.z = t * (0.86f - static_cast<float>(n % 6) * 0.142f);
    return slot;
}
