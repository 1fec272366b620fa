#include "tests/rules/TablePlayer.h"

#include <gtest/gtest.h>

#include <cmath>

#include "render/Picking.h"

TablePlayer::TablePlayer(GameTable& table, int width, int height) : table(table) {
    table.clientWidth = width;
    table.clientHeight = height;
}

void TablePlayer::Frame() {
    table.StepTurn();
    frames++;
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
    if (!table.inputEnabled) {
        return;
    }
    table.mouseX = px;
    table.mouseY = py;
    table.MouseToBoard();
    table.DropStep();
}

void TablePlayer::RightClick(float px, float py) {
    table.SwitchDie();
    table.mouseX = px;
    table.mouseY = py;
    table.MouseToBoard();
    table.HoverStep();
}

void TablePlayer::PixelForPoint(int p, float& px, float& py) const {
    // Middle of the point's bin: bins start at the bar edge, one point width each.
    float x = 0.0f;
    if (p >= 1 && p <= 24) {
        const int n = p <= 12 ? p : 25 - p;
        x = n <= 6 ? 0.07f + 0.14f * static_cast<float>(6 - n) + 0.07f
                   : -(0.07f + 0.14f * static_cast<float>(n - 7) + 0.07f);
    }
    const float z = (p >= 13 && p <= 25) ? -0.5f : 0.5f;
    // The fingertips are 0.14 left of and 0.14 nearer than the hand.
    const float handX = x + 0.14f;
    const float handZ = z - 0.14f;
    const float halfWidth = static_cast<float>(table.clientWidth / 2);
    const float halfHeight = static_cast<float>(table.clientHeight / 2);
    px = std::round(handX * halfWidth + halfWidth);
    py = std::round(handZ * halfHeight + halfHeight);
}

bool TablePlayer::ClickPoint(int p) {
    float px = 0.0f;
    float py = 0.0f;
    PixelForPoint(p, px, py);
    MouseMove(px, py);
    LeftClick(px, py);
    return table.hand.moving;
}

bool TablePlayer::HumanMayAct() const {
    return table.currentSide == HumanSide && table.inputEnabled && !table.hand.moving &&
           table.hand.mode == RestMode && table.movesLeft > 0 && table.gameOverFrames == 0;
}

void SetPosition(GameTable& table, std::initializer_list<Stack> stacks) {
    for (Point& point : table.points) {
        while (point.Pop() != nullptr) {
        }
    }
    for (Checker& checker : table.checkers) {
        checker.selected = false;
    }
    // The computer's checkers are 0..14, the human's 15..29.
    int next[3] = {0, 15, 0};
    for (const Stack& stack : stacks) {
        for (int i = 0; i < stack.count; i++) {
            Checker& checker = table.checkers[next[stack.side]++];
            checker.current = table.points[stack.point].SlotPosition();
            table.points[stack.point].Push(&checker);
        }
    }
    while (next[ComputerSide] < 15) {
        Checker& checker = table.checkers[next[ComputerSide]++];
        checker.current = table.points[ComputerTray].SlotPosition();
        table.points[ComputerTray].Push(&checker);
    }
    while (next[HumanSide] < 30) {
        Checker& checker = table.checkers[next[HumanSide]++];
        checker.current = table.points[HumanTray].SlotPosition();
        table.points[HumanTray].Push(&checker);
    }
}

int SideOn(const GameTable& table, int point) {
    return table.points[point].Owner();
}

void SetRoll(GameTable& table, int a, int b) {
    table.dice[0].SetValue(a);
    table.dice[1].SetValue(b);
    table.selectedDie = 0;
    table.dice[0].active = true;
    table.dice[1].active = false;
    table.doubles = a == b ? 1 : 0;
    table.movesLeft = a == b ? 4 : 2;
}

int RunUntil(TablePlayer& player, const std::function<bool()>& done, int limit) {
    for (int frame = 1; frame <= limit; frame++) {
        player.Frame();
        EXPECT_TRUE(player.table.IsValid()) << "after frame " << frame;
        if (done()) {
            return frame;
        }
    }
    return -1;
}
