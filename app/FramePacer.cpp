#include "app/FramePacer.h"

void FramePacer::Start(bool swapSynced, bool enabled, std::int64_t now) {
    this->enabled = enabled;
    pacing = !swapSynced;
    probed = swapSynced ? 0 : probeFrames;
    probeStart = now;
    nextDue = now;
}

std::int64_t FramePacer::WaitFor(std::int64_t now) const {
    if (!Pacing() || now >= nextDue) {
        return 0;
    }
    return nextDue - now;
}

void FramePacer::FrameDrawn(std::int64_t now) {
    if (probed < probeFrames) {
        ++probed;
        if (probed == probeFrames && now - probeStart < fastestSyncedFrame * probeFrames) {
            pacing = true;
        }
    }
    // The next frame is due one period after this one was, unless the loop fell behind by more
    // than a frame: then the cadence starts over from this frame instead of rushing to catch up.
    nextDue += framePeriod;
    if (nextDue < now - framePeriod) {
        nextDue = now + framePeriod;
    }
}
