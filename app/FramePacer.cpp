#include "app/FramePacer.h"

void FramePacer::Start(bool enabled, std::int64_t now) {
    this->enabled = enabled;
    origin = now;
    nextStep = 0;
}

std::int64_t FramePacer::DueAt(std::int64_t step) const {
    // Whole microseconds from the origin, so sixty steps take exactly one second.
    return origin + (step * 1000000 + stepsPerSecond - 1) / stepsPerSecond;
}

std::int64_t FramePacer::WaitFor(std::int64_t now) const {
    if (!enabled || now >= DueAt(nextStep)) {
        return 0;
    }
    return DueAt(nextStep) - now;
}

int FramePacer::TakeSteps(std::int64_t now) {
    if (!enabled) {
        return 1;
    }
    // 1. Every step due by now, one at the least: a pass draws a frame.
    int steps = 0;
    while (steps < maxStepsPerFrame && now >= DueAt(nextStep)) {
        ++nextStep;
        ++steps;
    }
    if (steps == 0) {
        ++nextStep;
        steps = 1;
    }
    // 2. Still behind after as many as one frame may take: start the cadence over from now.
    if (now >= DueAt(nextStep)) {
        origin = now;
        nextStep = 1;
    }
    return steps;
}
