#include "soak/TablePlayer.h"

#include <cmath>

TablePlayer::TablePlayer(GameTable& table, int width, int height) : table(table) {
    table.SetClientSize(width, height);
}

void TablePlayer::Frame() {
    table.StepTurn();
}

void TablePlayer::MouseMove(float px, float py) {
    table.SetPointer(px, py);
    if (table.InputEnabled()) {
        table.MouseToBoard();
        table.HoverStep();
    }
}

void TablePlayer::LeftClick(float px, float py) {
    if (table.InputEnabled()) {
        table.SetPointer(px, py);
        table.MouseToBoard();
        table.DropStep();
    }
}

void TablePlayer::RightClick(float px, float py) {
    table.SetPointer(px, py);
    table.OtherDieStep();
}

void TablePlayer::PixelForPoint(int p, float& px, float& py) const {
    // The checkers' own column lies inside the point's bin; the bar's bin is at x = 0.
    const float x = SlotPosition(p, 0).x;
    const float z = (p >= 13) ? -0.5f : 0.5f;
    // The fingertips are 0.14 left of and 0.14 nearer than the hand.
    const float halfWidth = static_cast<float>(table.ClientWidth() / 2);
    const float halfHeight = static_cast<float>(table.ClientHeight() / 2);
    px = std::round((x + 0.14f) * halfWidth + halfWidth);
    py = std::round((z - 0.14f) * halfHeight + halfHeight);
}

bool TablePlayer::ClickPoint(int p) {
    float px = 0.0f;
    float py = 0.0f;
    PixelForPoint(p, px, py);
    MouseMove(px, py);
    LeftClick(px, py);
    return table.Rules().MoveUnderway();
}
