#pragma once

#include <functional>
#include <initializer_list>
#include <memory>

#include "table/GameTable.h"

// Plays the one game table without a window. A frame advances the turn flow by one step, as the
// drawn frame does; the mouse goes through the same calls, in the same order and under the same
// conditions, as the window procedure makes them. Mouse positions are client pixels of a window
// of the chosen size; PixelForPoint finds the pixel that puts the hand's fingertips over a point.
class TablePlayer {
public:
    explicit TablePlayer(GameTable& table, int width = 800, int height = 600);

    void Frame();
    void MouseMove(float px, float py);
    void LeftClick(float px, float py);
    void RightClick(float px, float py);

    // The pixel at which the fingertips lie over the middle of point p's picking bin (0..25).
    void PixelForPoint(int p, float& px, float& py) const;
    // Hover over point p and click it; true when the hand set off on a move.
    bool ClickPoint(int p);
    // The human may point and click now: their turn, the hand at rest, moves left.
    bool HumanMayAct() const;

    GameTable& table;
    long frames = 0;
};

// One stack of a test position: count checkers of side on point.
struct Stack {
    int point;
    int side;
    int count;
};

// Clears the board and sets up the given stacks, in order, each checker on its slot. Checkers
// of a side that the stacks leave over go to that side's tray, so both sides keep fifteen.
void SetPosition(GameTable& table, std::initializer_list<Stack> stacks);

// The side and count of a point, for compact expectations.
int SideOn(const GameTable& table, int point);

// A fresh table on the heap (thirty checkers with their poses and the computer player are big).
inline std::unique_ptr<GameTable> NewTable() {
    return std::make_unique<GameTable>();
}

// The roll a turn opens with, with chosen values, as RollForTurn leaves the table.
void SetRoll(GameTable& table, int a, int b);

// Frames until `done` holds, checking the board invariants after every frame (a failure is a
// test failure); -1 when it does not hold within `limit` frames.
int RunUntil(TablePlayer& player, const std::function<bool()>& done, int limit = 2000);
