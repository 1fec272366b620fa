#include "app/MainLoop.h"

#include <GL/gl.h>

#include <cstdio>

#include "app/AppState.h"
#include "app/FramePacer.h"
#include "app/GameWindow.h"
#include "app/InputJournal.h"

static const char* const windowTitle = "Kestrane Alpha ver";
static const int windowWidth = 800;
static const int windowHeight = 600;
static const int windowBits = 16;

static const float handStep = 0.05f;
static const float zoomStep = 0.02f;
static const float turnStep = 1.0f;

static FramePacer pacer;
static bool pacingWanted = true;
static bool swapIntervalGranted = false;

// Asks for a synced swap on the context just made current (no tearing), and restarts the game's
// clock. Every opening makes a new context, so every opening asks again.
static void StartPacing() {
    swapIntervalGranted = SetSwapInterval(pacingWanted ? 1 : 0) && pacingWanted;
    pacer.Start(pacingWanted, MonotonicMicroseconds());
}

static bool OpenWindowForMode() {
    if (!OpenGameWindow(windowTitle, windowWidth, windowHeight, windowBits, fullscreen != 0)) {
        return false;
    }
    StartPacing();
    return true;
}

static void SetPolygonMode(unsigned mode) {
    glPolygonMode(GL_FRONT_AND_BACK, mode);
    polygonMode = mode;
}

static void NextBackground() {
    gameTable.NextBackground();
}
static void FillMode() {
    SetPolygonMode(GL_FILL);
}
static void LineMode() {
    SetPolygonMode(GL_LINE);
}
static void StartFadeOut() {
    fadingOut = 1;
}
static void HandAway() {
    gameTable.MoveHand(0.0f, -handStep);
}
static void HandNear() {
    gameTable.MoveHand(0.0f, handStep);
}
static void HandLeft() {
    gameTable.MoveHand(-handStep, 0.0f);
}
static void HandRight() {
    gameTable.MoveHand(handStep, 0.0f);
}
static void HandDown() {
    gameTable.LiftHand(-handStep);
}
static void HandUp() {
    gameTable.LiftHand(handStep);
}
static void ViewAway() {
    gameTable.MoveView(-zoomStep, 0.0f, 0.0f);
}
static void ViewNearer() {
    gameTable.MoveView(zoomStep, 0.0f, 0.0f);
}
static void TiltUp() {
    gameTable.MoveView(0.0f, -turnStep, 0.0f);
}
static void TiltDown() {
    gameTable.MoveView(0.0f, turnStep, 0.0f);
}
static void TurnRight() {
    gameTable.MoveView(0.0f, 0.0f, turnStep);
}
static void TurnLeft() {
    gameTable.MoveView(0.0f, 0.0f, -turnStep);
}

struct KeyAction {
    unsigned char key;
    void (*action)();
};

// In the order they apply within one pass. A typed character taps the key of the same number
// ("[" is 91, "]" 93, "m" 109, "k" 107, "&" 38, ...).
static const KeyAction keyActions[] = {
    {'B', NextBackground},   {LeftWindowsKey, FillMode},
    {MenuKey, LineMode},     {EscapeKey, StartFadeOut},
    {'W', HandAway},         {'X', HandNear},
    {'A', HandLeft},         {'D', HandRight},
    {'Z', HandDown},         {'Q', HandUp},
    {SubtractKey, ViewAway}, {AddKey, ViewNearer},
    {UpKey, TiltUp},         {DownKey, TiltDown},
    {RightKey, TurnRight},   {LeftKey, TurnLeft},
};

bool ApplyKeyActions(int steps) {
    // 1. A typed digit: 0 swaps the side colours, 1 to 9 pick a colour scheme. Other characters
    // stay in lastChar and do nothing; codes of 128 and up are negative here and never count.
    if (lastChar >= '0' && lastChar <= '9') {
        if (lastChar == '0') {
            gameTable.SwapSideColours();
        } else {
            gameTable.ApplyColourScheme(lastChar - '0');
        }
        lastChar = 0;
    }

    // 2. A key held down acts once for every step of game time; a quick tap, or a typed
    // character, acts once.
    for (const KeyAction& k : keyActions) {
        const bool held = keys[k.key] && !keysReleasePending[k.key];
        const int times = held ? steps : keys[k.key] || typedSincePass[k.key] ? 1 : 0;
        for (int i = 0; i < times; ++i) {
            k.action();
        }
    }
    const bool toggle = keys[F1Key] != 0 || typedSincePass[F1Key] != 0;

    // 3. Taps and typed characters have now acted once: let them go.
    for (int k = 0; k < 256; ++k) {
        if (keysReleasePending[k]) {
            keys[k] = 0;
        }
        keysReleasePending[k] = 0;
        keysPressedSincePass[k] = 0;
        typedSincePass[k] = 0;
    }

    // 4. The window-mode toggle, last: it clears its own entry so a held F1 toggles once.
    if (toggle) {
        keys[F1Key] = 0;
        CloseGameWindow();
        fullscreen = !fullscreen;
        if (!OpenWindowForMode()) {
            return false;
        }
    }
    return true;
}

// The run in progress.
static long passes = 0;
static long frames = 0;
static bool reopenFailed = false;
static bool reportRate = false;
static std::int64_t startTime = 0;

// One idle pass: the steps of game time due now (the fades, the table, the keys), one frame drawn
// after them while not minimised, the swap. False when a toggle could not reopen the window.
static bool IdlePass() {
    // 1. How many steps: by the game's clock, or as many as the replayed run took here.
    const int steps = inputJournal.Steps(pacer.TakeSteps(MonotonicMicroseconds()));
    // 2. Update, then draw. A minimised window neither advances the table nor draws.
    if (active) {
        for (int i = 0; i < steps; ++i) {
            StepFrame();
        }
        DrawFrame();
        ++frames;
    }
    SwapWindowBuffers(gameDeviceContext);
    // 3. The keys, acting for the same steps.
    if (!ApplyKeyActions(steps)) {
        reopenFailed = true;
        return false;
    }
    return true;
}

// Takes this pass's message, if there is one: from the journal while it replays, otherwise from
// the window system, waiting for one while the next frame is not yet due.
static bool NextMessage(WindowMessage& message) {
    if (inputJournal.Replaying()) {
        if (inputJournal.Next(message)) {
            return true;
        }
        // Live input would change the replayed run: only closing the window gets through.
        WindowMessage live;
        bool got = PeekWindowMessage(live);
        if (!got) {
            std::int64_t wait = pacer.WaitFor(MonotonicMicroseconds());
            got = wait > 0 && WaitWindowMessage(live, wait);
        }
        if (got && (live.message == CloseMessage || live.message == QuitMessage)) {
            message = live;
            return true;
        }
        return false;
    }
    bool got = PeekWindowMessage(message);
    if (!got) {
        std::int64_t wait = pacer.WaitFor(MonotonicMicroseconds());
        got = wait > 0 && WaitWindowMessage(message, wait);
    }
    if (got && message.message != QuitMessage) {
        inputJournal.Record(message);
    }
    return got;
}

static void StartJournal(const GameSettings& settings) {
    if (!settings.replay.empty()) {
        inputJournal.StartReplay(settings.replay.c_str());
    } else if (!settings.record.empty()) {
        inputJournal.StartRecording(settings.record.c_str());
    }
}

bool StartGame(const GameSettings& settings) {
    pacingWanted = settings.pacing;
    reportRate = settings.reportRate;
    passes = 0;
    frames = 0;
    reopenFailed = false;
    StartJournal(settings);

    // 1, 2. The window; a failure has been reported and cleaned up already.
    if (!OpenWindowForMode()) {
        inputJournal.Stop();
        ShutDownWindowSystem();
        return false;
    }
    startTime = MonotonicMicroseconds();
    return true;
}

bool GamePass() {
    // 3. One message, or the steps due and a frame.
    if (done) {
        return false;
    }
    inputJournal.SetPass(passes);
    WindowMessage message;
    if (NextMessage(message)) {
        if (message.message == QuitMessage) {
            done = 1;
            return false;
        }
        GameWindowProc(gameWindow, message.message, message.wParam, message.lParam);
        return true;
    }
    ++passes;
    return IdlePass() && !done;
}

void EndGame() {
    if (reportRate) {
        double seconds = static_cast<double>(MonotonicMicroseconds() - startTime) / 1e6;
        std::fprintf(stderr,
                     "kestrane: %ld frames in %.2f s: %.1f frames per second (swap interval %s, "
                     "%s)\n",
                     frames, seconds, seconds > 0.0 ? frames / seconds : 0.0,
                     swapIntervalGranted ? "granted" : "refused",
                     pacer.Pacing() ? "game paced to 60 steps a second" : "not paced");
    }

    // 4, 5. Close, unless a failed reopen left nothing to close.
    if (!reopenFailed) {
        CloseGameWindow();
    }
    inputJournal.Stop();
    ShutDownWindowSystem();
}

int RunGame(const GameSettings& settings) {
    // The status is 0 however the game ended.
    if (StartGame(settings)) {
        while (GamePass()) {
        }
        EndGame();
    }
    return 0;
}
