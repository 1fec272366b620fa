#pragma once

#include "rules/Side.h"

// The sign of a won game, on show for as long as the finished position stays in view: the
// winner's tray glows in a slow gold pulse and every checker of the loser fades to 0.3 of its
// brightness, so that who won shows at a glance whatever the colours. The table starts it when
// the rules report the win, steps it once a frame before drawing, and stops it when the next game
// starts; drawing changes nothing.
class WinnerCue {
public:
    void Start(Side side);
    void Stop();
    void Step();

    bool On() const { return winner != Side::None; }
    // The side that won, Side::None while the cue is off.
    Side Winner() const { return winner; }
    // How bright a checker of `side` is drawn, as a fraction of its colour.
    float Shade(Side side) const;
    // How strongly the winner's tray glows in the frame just stepped, 0 to 1.
    float Glow() const;

    // The glow under the winner's tray; nothing while the cue is off.
    void Draw() const;

private:
    // How far the cue has come up, from one half in its first frame to 1.
    float Rise() const;

    Side winner = Side::None;
    // Frames stepped since the win.
    int frames = 0;
};
