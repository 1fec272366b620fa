#include "soak/TablePlayer.h"

#include <cmath>

TablePlayer::TablePlayer(GameTable& table, int width, int height) : table(table) {
    table.SetClientSize(width, height);
}

void TablePlayer::Frame() {
    table.StepTurn();
}

void TablePlayer::MouseMove(float px, float py) {
    table.PointerMoved(static_cast<int>(px), static_cast<int>(py));
}

void TablePlayer::LeftClick(float px, float py) {
    table.LeftClick(static_cast<int>(px), static_cast<int>(py));
}

void TablePlayer::RightClick(float px, float py) {
    table.RightClick(static_cast<int>(px), static_cast<int>(py));
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
    return table.Director().MoveUnderway();
}
