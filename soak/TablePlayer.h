#pragma once

#include "table/GameTable.h"

// Plays the one game table without a window. A frame is one step of game time, as the window's
// frame advances the table; the mouse goes through the table's own pointer and click operations,
// the ones the game's event handling calls. Mouse positions are client pixels.
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

    GameTable& table;
};
