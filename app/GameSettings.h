#pragma once

#include <string>

// What one run of the game is asked to do besides playing: the rules (the full rules of
// backgammon, or the game's first, looser ones), frame pacing and the frame-rate report (for
// measuring), and recording or replaying the run's input (for reproducing a bug).
// The environment switches KESTRANE_NO_PACING=1, KESTRANE_REPORT_FPS=1, KESTRANE_RECORD=FILE and
// KESTRANE_REPLAY=FILE set it as they always have; the command line's options win over them. A
// replay wins over a recording.
struct GameSettings {
    bool pacing = true;
    bool reportRate = false;
    bool looseRules = false;
    std::string record;
    std::string replay;
};

GameSettings SettingsFromEnvironment();

enum class OptionsOutcome { Run, Help, Version, Error };

// Reads the options of argv[1..] over `settings`. Help and Version ask for that text instead of a
// game; Error leaves a one-line reason in `error`.
OptionsOutcome ParseGameOptions(int argc, char** argv, GameSettings& settings, std::string& error);

// The text of `kestrane --help`; the manual page says the same.
extern const char* const gameUsage;
