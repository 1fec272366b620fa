#include "render/WinnerCue.h"

#include <algorithm>
#include <cmath>

// The cue is plain from its first frame and full after a quarter of a second; the glow then pulses
// once a second between full and two thirds, never so faint that it could pass for part of the
// board.
static const float riseFrames = 15.0f;
static const float pulseFrames = 60.0f;
static const float loserShade = 0.3f;
static const float pi = 3.14159265358979f;

float WinnerCue::Rise() const {
    return std::min(1.0f, 0.5f + 0.5f * static_cast<float>(frames) / riseFrames);
}

void WinnerCue::Start(Side side) {
    winner = side;
    frames = 0;
}

void WinnerCue::Stop() {
    winner = Side::None;
    frames = 0;
}

void WinnerCue::Step() {
    if (winner != Side::None)
        frames++;
}

float WinnerCue::Shade(Side side) const {
    if (winner == Side::None || side == winner)
        return 1.0f;
    return 1.0f - (1.0f - loserShade) * Rise();
}

float WinnerCue::Glow() const {
    if (winner == Side::None)
        return 0.0f;
    const float pulse = std::cos(2.0f * pi * static_cast<float>(frames) / pulseFrames);
    return Rise() * (5.0f + pulse) / 6.0f;
}
