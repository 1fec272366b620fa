#pragma once

#include <cstdint>

// The game's clock: game time advances in steps of a sixtieth of a second, whatever the display
// does. Every animation is counted in steps, so the hand, the fades and the pauses take the same
// time on a 30, 60 or 144 Hz display. The loop waits for events until the next step is due,
// then takes every step due since the last frame and draws once: one step a frame at 60 Hz, two
// at 30 Hz, and at 144 Hz a frame only when a step is due, so a fast display costs no more CPU.
// A stall longer than maxStepsPerFrame steps (a window being dragged, a debugger) is not made up
// for: the clock starts over from then instead of rushing the game to catch up.
//
// Contract: Start once the window is open, ask WaitFor before an idle pass and TakeSteps in it;
// all times in microseconds on the caller's monotonic clock. Disabled (for measuring the frame
// rate), it never waits and every pass is one step.
class FramePacer {
public:
    static constexpr int stepsPerSecond = 60;
    static constexpr int maxStepsPerFrame = 4;

    void Start(bool enabled, std::int64_t now);
    // How long to wait for a message before the next step is due; 0 when it is due.
    std::int64_t WaitFor(std::int64_t now) const;
    // The steps due at `now`, at least one and at most maxStepsPerFrame, counted as taken.
    int TakeSteps(std::int64_t now);

    bool Pacing() const { return enabled; }

private:
    std::int64_t DueAt(std::int64_t step) const;

    bool enabled = true;
    std::int64_t origin = 0;
    std::int64_t nextStep = 0;
};
