#pragma once

#include <functional>

// What a monkey run looked like.
struct MonkeyResult {
    long frames = 0;
    int turns = 0;
    int games = 0;
    int invalidFrames = 0;
};

// Runs the whole game, through the real main loop behind the scripted window system, for
// `frames` frames while a monkey sends random events of every kind the window system
// reports: pointer moves (now and then a position no real window sends), clicks of both buttons,
// keys held for a few frames, typed characters, odd window sizes, minimising, F1 (Escape is left
// out: it would end the run). The board invariants are checked after every frame. `seed` drives
// the monkey; the dice come from a fixed clock. `everyTenth`, when given, is called after each
// tenth of the frames.
MonkeyResult RunMonkey(long frames, unsigned seed,
                       const std::function<void(const MonkeyResult&)>& everyTenth = {});
