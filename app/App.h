#pragma once

#include <GL/gl.h>

#include "app/FramePacer.h"
#include "app/GameSettings.h"
#include "app/InputJournal.h"
#include "platform/Platform.h"
#include "table/GameTable.h"

// The key that has the code `code` in the game's first key numbering: capital letters and digits
// their character, Escape 27, the arrows 37 to 40 (left, up, right, down), the left Super key
// 91, the menu key 93, the keypad's plus 107 and minus 109, F1 112; None for any other code. A
// typed character taps the key of its code, and journals of versions 1 and 2 name keys so.
Key KeyOfCode(unsigned code);

// The running game: the one game table, the window it is shown in, the keys held and typed since
// the last pass, the light's fades and the end and window-mode flags. Events come in through
// Handle, the one place where the window system's reports become the game's actions; each idle
// pass advances the game for the steps of game time due, draws one frame and then applies the
// keys. Run plays a whole game: it opens the window, passes until the window is closed, Escape's
// fade-out ends or a window-mode toggle cannot reopen the window, closes the window and returns
// the exit status, which is always 0.
//
// The flags and the table are open: tests and the soak read them between passes, and a test may
// place the hand or end the game by setting `done`.
class App {
public:
    GameTable table;
    bool done = false;
    bool fullscreen = false;  // the window mode asked for, then in force
    bool active = true;       // frames are drawn only while set (cleared when minimised)
    bool windowOpen = false;
    bool fadingIn = true;    // the light is still coming up from black
    bool fadingOut = false;  // Escape was pressed: the light goes down, then the game ends
    float lightDiffuse[4] = {0.0f, 0.0f, 0.0f, 1.0f};
    // The polygon mode last set by the "[" and "]" keys, kept so that it can be checked without
    // reading it back from a rendering context.
    unsigned polygonMode = GL_FILL;
    // The last typed character, until the pass has acted on it (a digit) or another replaces it.
    signed char lastChar = 0;

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
    bool Held(Key key) const { return keys[Index(key)] != 0; }

    // Opens the window in the mode asked for and sets up the scene on its context. When a step
    // fails it closes what the opening had made, shows the step's message box and returns false.
    // CloseWindow closes it, reporting a context that would not let go. Both run at start, at
    // every window-mode toggle and at the end.
    bool OpenWindow(bool fullscreenRequested);
    void CloseWindow();
    // Sets the viewport and the perspective projection for a client area; a zero height counts as
    // 1. Also records the client size on the table for the mouse-to-board mapping.
    void ResizeViewport(int width, int height);
    // One step of game time: the light's fade-in or fade-out, then the table's step. The step
    // that takes the fade-out below zero sets `done`.
    void StepFrame();
    // Draws the scene as the last step left it; changes nothing.
    void DrawFrame() const;

private:
    static int Index(Key key) { return static_cast<int>(key); }
    // Puts a fresh rendering context into the state every frame relies on and builds the display
    // lists; the first call also rolls the human's first dice.
    void SetUpScene();
    bool IdlePass();
    bool NextEvent(Event& event);
    bool OpenForMode();

    // 1 while a key is down. A key pressed and released between two passes (a quick tap while
    // the loop waits for the next frame) still acts once: its release is held back until after
    // the next pass. Characters typed since the last pass tap their key on the next pass only.
    unsigned char keys[256] = {};
    unsigned char keysPressedSincePass[256] = {};
    unsigned char keysReleasePending[256] = {};
    unsigned char typedSincePass[256] = {};
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
