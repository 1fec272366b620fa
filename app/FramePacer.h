#pragma once

#include <cstdint>

// Keeps frames from coming faster than the game's animation was made for. Animation is counted
// in frames, so a loop spinning at thousands of frames a second would make every move invisible.
// Where the driver syncs the swap to the display, the swap paces the loop; where it refuses, or
// says yes but frames still come faster than any display shows them (a virtual display), the
// loop waits for messages until the next frame is due, 60 times a second.
//
// Contract: Start once the window is open (with whether the swap interval was granted), then
// ask WaitFor before an idle pass and call FrameDrawn after each; all times in microseconds on
// the caller's monotonic clock.
class FramePacer {
public:
    static const std::int64_t framePeriod = 16667;
    // Frames watched after a granted swap interval before believing it.
    static const int probeFrames = 30;
    // An average frame shorter than this proves the swap does not wait for the display.
    static const std::int64_t fastestSyncedFrame = 4000;

    void Start(bool swapSynced, bool enabled, std::int64_t now);
    // How long to wait for a message before the next frame is due; 0 to draw at once.
    std::int64_t WaitFor(std::int64_t now) const;
    void FrameDrawn(std::int64_t now);

    bool Pacing() const { return enabled && pacing; }

private:
    bool enabled = true;
    bool pacing = false;
    int probed = 0;
    std::int64_t probeStart = 0;
    std::int64_t nextDue = 0;
};
