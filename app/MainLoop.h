#pragma once

#include "app/GameSettings.h"

// The entry of the game: opens the window, runs the main loop (each pass takes one message or
// draws one frame) until the window is closed, Escape's fade-out ends or a window-mode toggle
// cannot reopen the window, closes the window and returns the exit status, which is always 0.
//
// The settings, for measuring: without pacing frames are drawn as fast as the loop spins, one
// step of game time each (no swap interval asked, no waiting); reportRate writes the frame count
// and rate to stderr at the end. For reproducing a bug: record keeps the run's input in a journal,
// replay plays one back (see InputJournal).
int RunGame(const GameSettings& settings = SettingsFromEnvironment());

// RunGame's three parts, for a test that drives the real loop and looks between passes:
// StartGame opens the window (false when it could not, every failure reported and cleaned up),
// GamePass takes one message or runs one idle pass (false once the game must end), EndGame closes
// what is open.
bool StartGame(const GameSettings& settings = SettingsFromEnvironment());
bool GamePass();
void EndGame();

// Applies one idle pass's worth of the key-state table, typed characters and typed digit, in the
// key table's order: a held key acts once for each of `steps` steps of game time, a tap or a
// typed character once. False when a window-mode toggle could not reopen the window (the game
// must end).
bool ApplyKeyActions(int steps = 1);
