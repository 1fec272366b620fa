#pragma once

#include <GL/gl.h>

#include <cstdint>

#include "app/FramePacer.h"
#include "app/GameSettings.h"
#include "app/GameWindow.h"
#include "app/InputJournal.h"
#include "app/KeyState.h"
#include "app/LightFade.h"
#include "platform/Platform.h"
#include "table/GameTable.h"

// The running game: the one game table, the window it is shown in, the keyboard, the light's
// fades and the end flag. Events come in through Handle, the one place where the window system's
// reports become the game's actions; each idle pass applies the keys, advances the game for the
// steps of game time due and draws one frame, so a key's effect shows in the frame of the pass
// that took it. Run plays a whole game: it opens the window, passes until the window is closed,
// Escape's fade-out ends or a window-mode toggle cannot reopen the window, closes the window and
// returns the exit status, which is always 0.
//
// The parts are open: tests and the soak read them between passes, and a test may place the
// hand or end the game by setting `done`.
class App {
public:
    App() = default;
    App(const App&) = delete;
    App& operator=(const App&) = delete;

    GameTable table;
    GameWindow window;
    KeyState keys;
    LightFade light;
    bool done = false;
    bool active = true;  // frames are drawn only while set (cleared when minimised)
    // The polygon mode last set by the "[" and "]" keys, kept so that it can be checked without
    // reading it back from a rendering context.
    unsigned polygonMode = GL_FILL;

    int Run(const GameSettings& settings = SettingsFromEnvironment());
    // Run's three parts, for a test that drives the real loop and looks between passes: Start
    // opens the window (false when it could not, every failure reported and cleaned up), Pass
    // takes one event or runs one idle pass (false once the game must end), End closes what is
    // open and returns the exit status.
    bool Start(const GameSettings& settings = SettingsFromEnvironment());
    bool Pass();
    int End();

    void Handle(const Event& event);
    // Applies one idle pass's worth of the held keys, taps, typed characters and typed digit, in
    // the key table's order: a held key acts once for each of `steps` steps of game time, a tap
    // or a typed character once. False when a window-mode toggle could not reopen the window.
    bool ApplyKeyActions(int steps = 1);
    bool Held(Key key) const { return keys.Held(key); }

    // Opens the window in the mode asked for and sets up the scene on its new context (false,
    // with the failure shown, when the window could not be opened); CloseWindow closes it.
    bool OpenWindow(bool fullscreenRequested);
    void CloseWindow() { window.Close(); }
    // Sets the viewport and the perspective projection for a client area, a zero height taken as
    // one, and records the client size on the table for the mouse-to-board mapping.
    void ResizeViewport(int width, int height);
    // One step of game time: the light's fade-in or fade-out, then the table's step. The step
    // that takes the fade-out below zero sets `done`.
    void StepFrame();
    // Draws the scene as the last step left it; changes nothing.
    void DrawFrame() const;

private:
    // Puts a fresh rendering context into the state every frame relies on and builds the display
    // lists; the first call also rolls the human's first dice.
    void SetUpScene();
    bool IdlePass();
    bool NextEvent(Event& event);
    bool OpenForMode(bool fullscreenRequested);

    // Only the first opening rolls the dice, so toggling the window mode in the middle of a turn
    // leaves the dice and the moves left alone.
    bool sceneSetUpBefore = false;
    bool closeRequested = false;

    InputJournal journal;
    FramePacer pacer;
    bool pacingWanted = true;
    bool swapIntervalGranted = false;
    bool reportRate = false;
    long passes = 0;
    long frames = 0;
    std::int64_t startTime = 0;
};
