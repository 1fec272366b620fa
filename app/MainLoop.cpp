#include <cstdio>

#include "app/App.h"

bool App::OpenForMode() {
    if (!OpenWindow(fullscreen)) {
        return false;
    }
    // Every opening makes a new context, so every opening asks again for a synced swap (no
    // tearing), and the game's clock starts over.
    swapIntervalGranted = platform::SetSwapInterval(pacingWanted ? 1 : 0) && pacingWanted;
    pacer.Start(pacingWanted, platform::MonotonicMicroseconds());
    return true;
}

// One idle pass: the steps of game time due now (the fades, the table, the keys), one frame drawn
// after them while not minimised, the swap. False when a toggle could not reopen the window.
bool App::IdlePass() {
    // 1. How many steps: by the game's clock, or as many as the replayed run took here.
    const int steps = journal.Steps(pacer.TakeSteps(platform::MonotonicMicroseconds()));
    // 2. Update, then draw. A minimised window neither advances the table nor draws.
    if (active) {
        for (int i = 0; i < steps; ++i) {
            StepFrame();
        }
        DrawFrame();
        ++frames;
    }
    platform::SwapWindow();
    // 3. The keys, acting for the same steps.
    return ApplyKeyActions(steps);
}

// Takes this pass's event, if there is one: from the journal while it replays, otherwise from the
// window system, waiting for one while the next frame is not yet due.
bool App::NextEvent(Event& event) {
    if (journal.Replaying() && journal.Next(event)) {
        return true;
    }
    bool got = platform::PollEvent(event);
    if (!got) {
        const std::int64_t wait = pacer.WaitFor(platform::MonotonicMicroseconds());
        got = wait > 0 && platform::WaitEvent(event, wait);
    }
    if (journal.Replaying()) {
        // Live input would change the replayed run: only closing the window gets through.
        return got && event.type == EventType::CloseRequested;
    }
    if (got) {
        journal.Record(event);
    }
    return got;
}

bool App::Start(const GameSettings& settings) {
    pacingWanted = settings.pacing;
    reportRate = settings.reportRate;
    passes = 0;
    frames = 0;
    // A replay plays by the rules it was recorded under.
    bool loose = settings.looseRules;
    if (!settings.replay.empty()) {
        if (journal.StartReplay(settings.replay.c_str())) {
            loose = journal.LooseRules();
        }
    } else if (!settings.record.empty()) {
        journal.StartRecording(settings.record.c_str(), loose);
    }
    table.UseLooseRules(loose);

    // 1, 2. The window; a failure has been reported and cleaned up already.
    if (!OpenForMode()) {
        journal.Stop();
        platform::ShutDownWindowSystem();
        return false;
    }
    startTime = platform::MonotonicMicroseconds();
    return true;
}

bool App::Pass() {
    // 3. One event, or the steps due and a frame. Closing the window ends the game before
    // anything else is taken.
    if (done || closeRequested) {
        done = true;
        return false;
    }
    journal.SetPass(passes);
    Event event;
    if (NextEvent(event)) {
        Handle(event);
        return true;
    }
    ++passes;
    return IdlePass() && !done;
}

int App::End() {
    if (reportRate) {
        const double seconds =
            static_cast<double>(platform::MonotonicMicroseconds() - startTime) / 1e6;
        std::fprintf(stderr,
                     "kestrane: %ld frames in %.2f s: %.1f frames per second (swap interval %s, "
                     "%s)\n",
                     frames, seconds, seconds > 0.0 ? frames / seconds : 0.0,
                     swapIntervalGranted ? "granted" : "refused",
                     pacer.Pacing() ? "game paced to 60 steps a second" : "not paced");
    }

    // 4, 5. Close what is still open (a failed reopen has left nothing).
    CloseWindow();
    journal.Stop();
    platform::ShutDownWindowSystem();
    return 0;
}

int App::Run(const GameSettings& settings) {
    // The status is 0 however the game ended.
    if (!Start(settings)) {
        return 0;
    }
    while (Pass()) {
    }
    return End();
}
