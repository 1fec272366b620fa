#include "tests/table/TableSetup.h"

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
    auto place = [&](int point, Side side, int count) {
        for (int i = 0; i < count; i++) {
            EXPECT_TRUE(board.points[point].Push(next[static_cast<int>(side)]++));
        }
    };
    std::istringstream in(stacks);
    char side = 0, colon = 0;
    int point = 0, count = 0;
    while (in >> side >> point >> colon >> count) {
        place(point, side == 'h' ? Side::Human : Side::Computer, count);
    }
    EXPECT_TRUE(in.eof()) << "unreadable position \"" << stacks << '"';
    place(ComputerTray, Side::Computer, 15 - next[static_cast<int>(Side::Computer)]);
    place(HumanTray, Side::Human, 30 - next[static_cast<int>(Side::Human)]);
}

void SetPosition(GameTable& table, const char* stacks) {
    SetPosition(table.Rules().EditBoard(), stacks);
    table.PlaceCheckersOnTheirSlots();
}

void StartComputerTurn(GameTable& table, int a, int b,
                       std::initializer_list<std::pair<unsigned, unsigned>> moves) {
    table.Director().SwitchSide();
    table.Rules().OpenRoll(a, b);
    Play play;
    for (const auto& move : moves) {
        play.moves[play.count].from = move.first;
        play.moves[play.count++].die = move.second;
    }
    table.Director().ReadComputerMoves(play);
    table.Director().BeginComputerMoves();
}

std::string MoverStacks(const PointEntry points[26], Side mover) {
    // The mover's point q is the table's 25 - q for the human, q for the computer, for both sides'
    // checkers.
    const std::string own = mover == Side::Human ? "h" : "c";
    const std::string other = mover == Side::Human ? "c" : "h";
    std::string stacks;
    for (unsigned q = 0; q < 26; q++) {
        if (points[q].count > 0) {
            const unsigned table = mover == Side::Human ? 25 - q : q;
            stacks += (points[q].owner == 1 ? own : other) + std::to_string(table) + ":" +
                      std::to_string(points[q].count) + " ";
        }
    }
    return stacks;
}
