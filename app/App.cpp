#include "app/App.h"

#include <cstdio>

#include "ai/Chance.h"
#include "app/ContextSetUp.h"
#include "app/GlCheck.h"

static const float handStep = 0.05f;
static const float zoomStep = 0.02f;
static const float turnStep = 1.0f;

void App::Handle(const Event& event) {
    switch (event.type) {
        case EventType::Minimised:
            active = false;
            break;
        case EventType::Restored:
            // Only minimising stops the frames; losing the focus does not.
            active = true;
            break;
        case EventType::CloseRequested:
            closeRequested = true;
            break;
        case EventType::KeyPressed:
            keys.Press(event.key);
            break;
        case EventType::KeyReleased:
            keys.Release(event.key);
            break;
        case EventType::CharacterTyped:
            keys.Type(event.character);
            break;
        case EventType::Resized:
            ResizeViewport(event.x, event.y);
            break;
        case EventType::PointerMoved:
            table.PointerMoved(event.x, event.y);
            break;
        case EventType::ButtonPressed:
            if (event.button == Button::Right) {
                table.RightClick(event.x, event.y);
            } else {
                table.LeftClick(event.x, event.y);
            }
            break;
    }
}

struct KeyAction {
    Key key;
    void (*action)(App& app);
};

static void SetPolygonMode(App& app, unsigned mode) {
    glPolygonMode(GL_FRONT_AND_BACK, mode);
    app.polygonMode = mode;
}

// In the order they apply within one pass.
static const KeyAction keyActions[] = {
    {Key{'B'}, [](App& app) { app.table.NextBackground(); }},
    {Key::LeftSuper, [](App& app) { SetPolygonMode(app, GL_FILL); }},
    {Key::Menu, [](App& app) { SetPolygonMode(app, GL_LINE); }},
    {Key::Escape, [](App& app) { app.light.FadeOut(); }},
    {Key{'W'}, [](App& app) { app.table.MoveHand(0.0f, -handStep); }},
    {Key{'X'}, [](App& app) { app.table.MoveHand(0.0f, handStep); }},
    {Key{'A'}, [](App& app) { app.table.MoveHand(-handStep, 0.0f); }},
    {Key{'D'}, [](App& app) { app.table.MoveHand(handStep, 0.0f); }},
    {Key{'Z'}, [](App& app) { app.table.LiftHand(-handStep); }},
    {Key{'Q'}, [](App& app) { app.table.LiftHand(handStep); }},
    {Key::KeypadMinus, [](App& app) { app.table.MoveView(-zoomStep, 0.0f, 0.0f); }},
    {Key::KeypadPlus, [](App& app) { app.table.MoveView(zoomStep, 0.0f, 0.0f); }},
    {Key::Up, [](App& app) { app.table.MoveView(0.0f, -turnStep, 0.0f); }},
    {Key::Down, [](App& app) { app.table.MoveView(0.0f, turnStep, 0.0f); }},
    {Key::Right, [](App& app) { app.table.MoveView(0.0f, 0.0f, turnStep); }},
    {Key::Left, [](App& app) { app.table.MoveView(0.0f, 0.0f, -turnStep); }},
};

bool App::ApplyKeyActions(int steps) {
    // A typed 0 swaps the side colours, 1 to 9 pick a colour scheme.
    const int digit = keys.TakeDigit();
    if (digit == 0) {
        table.SwapSideColours();
    } else if (digit > 0) {
        table.ApplyColourScheme(digit);
    }

    for (const KeyAction& a : keyActions) {
        for (int i = keys.Times(a.key, steps); i > 0; --i) {
            a.action(*this);
        }
    }
    const bool toggle = keys.Times(Key::F1, 1) > 0;
    keys.EndPass();

    // The window-mode toggle comes last, as it replaces the context the other keys drew on. It
    // lets go of F1 so that a held F1 toggles once.
    if (toggle) {
        keys.Forget(Key::F1);
        const bool fullscreenNext = !window.Fullscreen();
        CloseWindow();
        if (!OpenForMode(fullscreenNext)) {
            return false;
        }
    }
    return true;
}

bool App::OpenWindow(bool fullscreenRequested) {
    if (!window.Open(fullscreenRequested)) {
        return false;
    }
    ResizeViewport(GameWindow::width, GameWindow::height);
    SetUpScene();
    return true;
}

void App::ResizeViewport(int width, int height) {
    if (height == 0) {
        height = 1;
    }
    table.SetClientSize(width, height);
    // A size that arrives before any context is current only records the client size.
    if (window.IsOpen()) {
        SetPerspective(width, height);
    }
}

void App::SetUpScene() {
    // A fresh seed at every opening; only the first one rolls.
    Srand(static_cast<unsigned>(ClockSeconds()));
    if (!sceneSetUpBefore) {
        table.Rules().RollForTurn();
        sceneSetUpBefore = true;
    }
    // The light is lit as far as the fade has come, so a reopened window does not go dark.
    SetUpContext(light.diffuse);
    // A new context starts with filled polygons; a held "]" brings the lines back next pass.
    polygonMode = GL_FILL;
    // Display lists, with their fixed numbers, on this context.
    table.BuildDisplayLists();
    CheckGlErrors("SetUpScene");
}

void App::StepFrame() {
    if (light.Step()) {
        done = true;
    }
    table.Advance();
}

void App::DrawFrame() const {
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glLoadIdentity();
    glLightfv(GL_LIGHT0, GL_DIFFUSE, light.diffuse);
    table.DrawTable();
    glFlush();
    CheckGlErrors("DrawFrame");
}

bool App::OpenForMode(bool fullscreenRequested) {
    if (!OpenWindow(fullscreenRequested)) {
        return false;
    }
    // Every opening makes a new context, so every opening asks again for a synced swap (no
    // tearing), and the game's clock starts over.
    swapIntervalGranted = platform::SetSwapInterval(pacingWanted ? 1 : 0) && pacingWanted;
    pacer.Start(pacingWanted, platform::MonotonicMicroseconds());
    return true;
}

// One idle pass: the keys, then the steps of game time due now, then one frame drawn after them
// while not minimised, and the swap. The keys act first so that what they do is part of the
// steps of this pass and shows in its frame; a replayed journal of the game's older versions
// keeps the order it was recorded in. By the game's clock, or as many steps as the replayed run
// took here.
bool App::IdlePass() {
    const int steps = journal.Steps(pacer.TakeSteps(platform::MonotonicMicroseconds()));
    const bool keysFirst = !journal.KeysAfterSteps();
    if (keysFirst && !ApplyKeyActions(steps)) {
        return false;
    }
    // A minimised window neither advances the table nor draws.
    if (active) {
        for (int i = 0; i < steps; ++i) {
            StepFrame();
        }
        DrawFrame();
        ++frames;
    }
    platform::SwapWindow();
    return keysFirst || ApplyKeyActions(steps);
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

    // A failed opening has been reported and cleaned up already.
    if (!OpenForMode(window.Fullscreen())) {
        journal.Stop();
        platform::ShutDownWindowSystem();
        return false;
    }
    startTime = platform::MonotonicMicroseconds();
    return true;
}

bool App::Pass() {
    // Closing the window ends the game before anything else is taken.
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
    // A failed reopen has left nothing open to close.
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
