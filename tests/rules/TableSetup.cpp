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

void SetPosition(Position& board, const char* stacks) {
    board.Clear();
    // The human's checkers are 15..29, the computer's 0..14.
    int next[3] = {0, 15, 0};
    auto place = [&](int point, int side, int count) {
        for (int i = 0; i < count; i++) {
            board.points[point].Push(next[side]++);
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

void SetPosition(GameTable& table, const char* stacks) {
    SetPosition(table.Rules().EditBoard(), stacks);
    table.PlaceCheckersOnTheirSlots();
}

void SetRoll(GameTable& table, int a, int b) {
    table.Rules().OpenRoll(a, b);
}
