#include "render/Picking.h"

int PickPoint(const Pose& pose) {
    const float x = pose.x;
    const float z = pose.z;
    const float barHalfWidth = 0.07f;
    const float perPointWidth = -7.142857f;

    // 1. Off the board; the edges themselves count as on it.
    if (x > 1.0f || x < -1.0f || z > 1.0f || z < -1.0f) {
        return -1;
    }
    // 2. The bar: its near half holds the computer's hit checkers, its far half the human's.
    if (x >= -barHalfWidth && x <= barHalfWidth) {
        return z >= 0.0f ? 0 : 25;
    }
    // 3. Whole point widths from the bar edge, in double so that a position on a bin boundary
    //    always lands in the same bin (the product of two floats is exact in double).
    const float c = x > 0.0f ? barHalfWidth : -barHalfWidth;
    const int s = x > 0.0f ? 1 : -1;
    const double product =
        (static_cast<double>(x) - static_cast<double>(c)) * static_cast<double>(perPointWidth);
    const int t = static_cast<int>(product);
    const int k = s - t;
    const int n = k < 0 ? 6 - k : 7 - k;
    // 4. The far half mirrors the near half.
    return z >= 0.0f ? n : 25 - n;
}
