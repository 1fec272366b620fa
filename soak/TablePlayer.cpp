#include "soak/TablePlayer.h"

#include <cmath>

TablePlayer::TablePlayer(GameTable& table, int width, int height) : table(table) {
    table.clientWidth = width;
    table.clientHeight = height;
}

void TablePlayer::Frame() {
    table.StepTurn();
}

void TablePlayer::MouseMove(float px, float py) {
    table.mouseX = px;
    table.mouseY = py;
    if (table.inputEnabled) {
        table.MouseToBoard();
        table.HoverStep();
    }
}

void TablePlayer::LeftClick(float px, float py) {
    if (table.inputEnabled) {
        table.mouseX = px;
        table.mouseY = py;
        table.MouseToBoard();
        table.DropStep();
    }
}

void TablePlayer::RightClick(float px, float py) {
    table.mouseX = px;
    table.mouseY = py;
    table.OtherDieStep();
}

void TablePlayer::PixelForPoint(int p, float& px, float& py) const {
    // The checkers' own column lies inside the point's bin; the bar's bin is at x = 0.
    const float x = SlotPosition(p, 0).x;
    const float z = (p >= 13) ? -0.5f : 0.5f;
    // The fingertips are 0.14 left of and 0.14 nearer than the hand.
    const float halfWidth = static_cast<float>(table.clientWidth / 2);
    const float halfHeight = static_cast<float>(table.clientHeight / 2);
    px = std::round((x + 0.14f) * halfWidth + halfWidth);
    py = std::round((z - 0.14f) * halfHeight + halfHeight);
}

bool TablePlayer::ClickPoint(int p) {
    float px = 0.0f;
    float py = 0.0f;
    PixelForPoint(p, px, py);
    MouseMove(px, py);
    LeftClick(px, py);
    return table.hand.moving;
}
