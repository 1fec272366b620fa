#include <gtest/gtest.h>

#include <memory>

#include "table/GameTable.h"

// The client area maps onto the board from -1 to 1; odd sizes reach the edge exactly, and a
// window without a client area (caption only) leaves the hand where it is.
TEST(MouseToBoard, CentreCornersOddSizesAndNoClientArea) {
    const struct {
        int width, height;
        float mx, my, x, z;
    } cases[] = {{800, 600, 400, 300, 0.0f, 0.0f}, {800, 600, 0, 0, -1.0f, -1.0f},
                 {800, 600, 600, 450, 0.5f, 0.5f}, {801, 601, 800, 600, 1.0f, 1.0f},
                 {0, 600, 10, 10, 0.25f, 0.25f},   {800, 1, 10, 10, 0.25f, 0.25f}};
    auto table = std::make_unique<GameTable>();
    for (const auto& c : cases) {
        Hand& hand = table->TheHand();
        hand.current.x = 0.25f;
        hand.current.z = 0.25f;
        hand.current.y = 0.22f;
        table->SetClientSize(c.width, c.height);
        table->SetPointer(c.mx, c.my);
        table->MouseToBoard();
        EXPECT_FLOAT_EQ(hand.current.x, c.x) << c.width << "x" << c.height;
        EXPECT_FLOAT_EQ(hand.current.z, c.z) << c.width << "x" << c.height;
        EXPECT_EQ(hand.current.y, 0.22f);
    }
}
