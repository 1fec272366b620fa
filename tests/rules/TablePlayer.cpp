#include "tests/rules/TablePlayer.h"

#include <gtest/gtest.h>

#include <cmath>
#include <sstream>

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

int TablePlayer::RunUntil(const std::function<bool()>& done, int limit) {
    for (int frame = 1; frame <= limit; frame++) {
        Frame();
        EXPECT_TRUE(table.IsValid()) << "after frame " << frame;
        if (done()) {
            return frame;
        }
    }
    return -1;
}

void SetPosition(GameTable& table, const char* stacks) {
    for (Point& point : table.points) {
        while (point.Pop() != nullptr) {
        }
    }
    // The human's checkers are 15..29, the computer's 0..14.
    int next[3] = {0, 15, 0};
    auto place = [&](int point, int side, int count) {
        for (int i = 0; i < count; i++) {
            Checker& checker = table.checkers[next[side]++];
            checker.selected = false;
            checker.current = table.points[point].SlotPosition();
            table.points[point].Push(&checker);
        }
    };
    std::istringstream in(stacks);
    char side = 0, colon = 0;
    int point = 0, count = 0;
    while (in >> side >> point >> colon >> count) {
        place(point, side == 'h' ? HumanSide : ComputerSide, count);
    }
    EXPECT_TRUE(in.eof()) << "unreadable position \"" << stacks << '"';
    place(ComputerTray, ComputerSide, 15 - next[ComputerSide]);
    place(HumanTray, HumanSide, 30 - next[HumanSide]);
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
