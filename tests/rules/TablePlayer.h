#pragma once

#include <functional>

#include "table/GameTable.h"

// Plays the one game table without a window. A frame advances the turn flow by one step, as the
// drawn frame does; the mouse goes through the same calls, in the same order and under the same
// conditions, as the window procedure makes them. Mouse positions are client pixels.
class TablePlayer {
public:
    explicit TablePlayer(GameTable& table, int width = 800, int height = 600);

    void Frame();
    void MouseMove(float px, float py);
    void LeftClick(float px, float py);
    void RightClick(float px, float py);
    // The pixel at which the fingertips lie over point p's checkers (0..25), inside its picking
    // bin.
    void PixelForPoint(int p, float& px, float& py) const;
    // Hover over point p and click it; true when the hand set off on a move.
    bool ClickPoint(int p);
    // Frames until `done` holds, checking the board invariants after every frame (a failure is a
    // test failure); -1 when it does not hold within `limit` frames.
    int RunUntil(const std::function<bool()>& done, int limit = 2000);

    GameTable& table;
};

// Clears the board and sets up the given stacks, in order, each checker on its slot: "h13:5 c0:2"
// puts five of the human's checkers on 13 and two of the computer's on its bar. Checkers a side
// has left over go to its tray, so both sides keep fifteen.
void SetPosition(GameTable& table, const char* stacks);

// The roll a turn opens with, with chosen values, as RollForTurn leaves the table.
void SetRoll(GameTable& table, int a, int b);
