#include <gtest/gtest.h>

#include <memory>
#include <random>

#include "ai/Chance.h"
#include "tests/rules/TablePlayer.h"

static std::time_t FixedClock() {
    return 1700000000;
}

// Random mouse moves, left and right clicks anywhere (also outside the window and while the hand
// is busy), window sizes down to nothing, colour keys and background steps, frame after frame.
// Nothing may crash, the board must stay whole, and turns must keep coming.
TEST(Monkey, RandomInputNeverBreaksTheBoardAndTheGameGoesOn) {
    SetClockSource(FixedClock);
    Srand(99);
    auto table = std::make_unique<GameTable>();
    TablePlayer player(*table);
    table->RollForTurn();
    std::mt19937 monkey(4242);
    const int turnsAtStart = table->turnsStarted;
    int invalidFrames = 0;

    for (int frame = 0; frame < 60000; frame++) {
        const unsigned action = monkey() % 100;
        // The window reports positions as unsigned 16-bit pixels.
        const float px = static_cast<float>(monkey() % 65536);
        const float py = static_cast<float>(monkey() % 65536);
        const float inX = static_cast<float>(monkey() % 900);
        const float inY = static_cast<float>(monkey() % 700);
        if (action < 30) {
            player.MouseMove(inX, inY);
        } else if (action < 33) {
            player.MouseMove(px, py);
        } else if (action < 43) {
            player.LeftClick(inX, inY);
        } else if (action < 45) {
            player.LeftClick(px, py);
        } else if (action < 50) {
            player.RightClick(inX, inY);
        } else if (action < 52) {
            // A typed digit: 1..9 picks a colour scheme, 0 swaps the sides' colours.
            const int digit = static_cast<int>(monkey() % 10);
            if (digit == 0) {
                table->SwapSideColours();
            } else {
                table->ApplyColourScheme(digit);
            }
        } else if (action < 53) {
            table->NextBackground();
        } else if (action < 54) {
            // Resizes, down to a window shrunk to its caption, and back.
            const int sizes[] = {0, 1, 2, 3, 641, 800, 1280};
            table->clientWidth = sizes[monkey() % 7];
            table->clientHeight = sizes[monkey() % 7];
        } else if (action < 56) {
            table->clientWidth = 800;
            table->clientHeight = 600;
        } else if (action < 58 && player.HumanMayAct()) {
            // Now and then a real move, so that games get somewhere.
            for (int s = HumanBar; s >= 1; s--) {
                if (table->points[s].Owner() == HumanSide &&
                    table->HumanMoveTarget(s, table->dice[table->selectedDie].value).allowed) {
                    table->clientWidth = 800;
                    table->clientHeight = 600;
                    player.ClickPoint(s);
                    break;
                }
            }
        }
        player.Frame();
        if (!table->IsValid()) {
            invalidFrames++;
        }
        ASSERT_TRUE(table->currentSide == HumanSide || table->currentSide == ComputerSide);
        ASSERT_TRUE(table->movesLeft >= 0 && table->movesLeft <= 4);
        ASSERT_TRUE(table->selectedDie == 0 || table->selectedDie == 1);
    }
    EXPECT_EQ(invalidFrames, 0);
    EXPECT_GT(table->turnsStarted - turnsAtStart, 100);
    SetClockSource(nullptr);
}
