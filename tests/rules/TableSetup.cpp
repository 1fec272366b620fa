#include "tests/rules/TableSetup.h"

#include <gtest/gtest.h>

#include <sstream>

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
