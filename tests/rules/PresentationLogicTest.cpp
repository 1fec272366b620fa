#include <gtest/gtest.h>

#include <cmath>
#include <memory>

#include "render/Picking.h"
#include "table/GameTable.h"

struct Vec3 {
    double x, y, z;
};

static Vec3 Rotate(Vec3 v, double degrees, int axis) {
    const double a = degrees * 3.14159265358979323846 / 180.0;
    const double c = std::cos(a), s = std::sin(a);
    switch (axis) {
        case 0:
            return {v.x, c * v.y - s * v.z, s * v.y + c * v.z};
        case 1:
            return {c * v.x + s * v.z, v.y, -s * v.x + c * v.z};
        default:
            return {c * v.x - s * v.y, s * v.x + c * v.y, v.z};
    }
}

TEST(Die, SetValueTurnsTheFaceWithThatManyPipsUp) {
    // Outward normal of the face that carries each number of pips, in the die's own frame.
    const Vec3 faceFor[7] = {{0, 0, 0}, {0, 0, 1}, {-1, 0, 0}, {0, -1, 0},
                             {0, 1, 0}, {1, 0, 0}, {0, 0, -1}};
    Die die;
    for (int v = 1; v <= 6; v++) {
        die.current.rotY = 33.0f;  // a stale turn must not survive
        die.SetValue(v);
        EXPECT_EQ(die.value, v);
        EXPECT_EQ(die.current.rotY, 0.0f);
        // Drawing turns about x, then y, then z: the vertex sees z first.
        Vec3 n = faceFor[v];
        n = Rotate(n, die.current.rotZ, 2);
        n = Rotate(n, die.current.rotY, 1);
        n = Rotate(n, die.current.rotX, 0);
        EXPECT_NEAR(n.x, 0.0, 1e-6) << "value " << v;
        EXPECT_NEAR(n.y, 1.0, 1e-6) << "value " << v;
        EXPECT_NEAR(n.z, 0.0, 1e-6) << "value " << v;
    }
}

static int StepsUntilDone(Hand& hand) {
    int frames = 1;
    while (hand.Step()) {
        frames++;
        if (frames > 100) {
            break;
        }
    }
    return frames;
}

TEST(Hand, StraightMoveTakesFifteenFramesAndLiftsTheCheckerItGrips) {
    Hand hand;
    Checker checker;
    checker.current.x = -0.5f;
    checker.current.y = 0.011f;
    checker.current.z = 0.3f;
    hand.StartMove(ReachMode, checker.current);
    EXPECT_TRUE(hand.moving);
    EXPECT_EQ(StepsUntilDone(hand), 15);
    EXPECT_FALSE(hand.moving);
    EXPECT_NEAR(hand.current.x, -0.5f, 1e-5);
    EXPECT_NEAR(hand.current.z, 0.3f, 1e-5);
    EXPECT_NEAR(hand.current.y, 0.011f + 0.131f, 1e-5);
    EXPECT_NEAR(hand.current.rotY, 225.0f, 1e-3);
    EXPECT_NEAR(hand.joints[ArmJoint], -45.0f, 1e-3);  // gripping
    EXPECT_NEAR(hand.joints[ThumbJoint], -35.0f, 1e-3);

    // Attached, the checker hangs 0.13 below the hand: 0.001 above where it stood.
    hand.carried = &checker;
    hand.attached = 1;
    Pose away;
    away.x = 0.2f;
    away.y = 0.011f;
    hand.StartMove(CarryMode, away);
    StepsUntilDone(hand);
    EXPECT_NEAR(checker.current.x, 0.2f, 1e-5);
    EXPECT_NEAR(checker.current.y, 0.012f, 1e-5);
}

TEST(Hand, ArcLiftsFromTheFirstFrameAndLandsAtCarryingHeight) {
    const double lift = 0.3 * std::sin(3.14159265358979323846 / 15.0);
    for (int mode : {CarryMode, CarryToBarMode}) {
        Hand hand;
        hand.current.y = 0.9f;  // the arc ignores where the hand started
        hand.arc = true;
        Pose goal;
        goal.y = 0.5f;
        hand.StartMove(mode, goal);
        const double base = mode == CarryToBarMode ? 0.201 : 0.131;
        ASSERT_TRUE(hand.Step());
        EXPECT_NEAR(hand.current.y, base + lift, 1e-5);
        int frames = 1;
        double highest = hand.current.y;
        while (hand.Step()) {
            frames++;
            highest = std::max(highest, static_cast<double>(hand.current.y));
        }
        EXPECT_EQ(frames + 1, 15);
        EXPECT_NEAR(hand.current.y, base, 1e-5);
        EXPECT_NEAR(highest, base + 0.3 * std::sin(3.14159265358979323846 * 7 / 15.0), 1e-5);
    }
}

TEST(Hand, ReturningToRestOpensTheHandAtPointerHeight) {
    Hand hand;
    Pose grip;
    hand.StartMove(ReachMode, grip);
    StepsUntilDone(hand);
    Pose pointer;
    pointer.x = 0.3f;
    pointer.y = 0.5f;  // replaced: the hand rests at 0.22
    pointer.z = -0.2f;
    hand.StartMove(RestMode, pointer);
    EXPECT_EQ(hand.mode, RestMode);
    StepsUntilDone(hand);
    EXPECT_NEAR(hand.current.y, 0.22f, 1e-5);
    EXPECT_NEAR(hand.current.x, 0.3f, 1e-5);
    EXPECT_NEAR(hand.joints[Finger1Joint], -50.0f, 1e-3);
    EXPECT_NEAR(hand.joints[ThumbJoint], -30.0f, 1e-3);
}

TEST(Hand, StepOnAnIdleHandChangesNothing) {
    Hand hand;
    const Pose before = hand.current;
    const int counter = Hand::frameCounter;
    EXPECT_FALSE(hand.Step());
    EXPECT_EQ(Hand::frameCounter, counter);
    EXPECT_EQ(hand.current.x, before.x);
    EXPECT_EQ(hand.current.y, before.y);
    EXPECT_EQ(hand.current.rotY, 225.0f);
}

TEST(Hand, ColourSelectorFollowsTheSide) {
    Hand hand;
    hand.SetColourSelectorForSide(HumanSide);
    EXPECT_EQ(hand.colourSelector, 2);
    hand.SetColourSelectorForSide(ComputerSide);
    EXPECT_EQ(hand.colourSelector, 1);
    hand.ToggleColourSelector();
    EXPECT_EQ(hand.colourSelector, 2);
    hand.ToggleColourSelector();
    EXPECT_EQ(hand.colourSelector, 1);
}

TEST(MouseToBoard, MapsTheClientAreaOntoTheBoard) {
    auto table = std::make_unique<GameTable>();
    table->clientWidth = 800;
    table->clientHeight = 600;
    table->hand.current.y = 0.22f;

    table->mouseX = 400;
    table->mouseY = 300;
    table->MouseToBoard();
    EXPECT_EQ(table->hand.current.x, 0.0f);
    EXPECT_EQ(table->hand.current.z, 0.0f);
    EXPECT_EQ(table->hand.current.y, 0.22f);

    table->mouseX = 0;
    table->mouseY = 0;
    table->MouseToBoard();
    EXPECT_EQ(table->hand.current.x, -1.0f);
    EXPECT_EQ(table->hand.current.z, -1.0f);

    // With an even width the last column stays just short of the right edge.
    table->mouseX = 799;
    table->mouseY = 599;
    table->MouseToBoard();
    EXPECT_FLOAT_EQ(table->hand.current.x, 399.0f / 400.0f);
    EXPECT_FLOAT_EQ(table->hand.current.z, 299.0f / 300.0f);

    // With an odd width it reaches the edge exactly.
    table->clientWidth = 801;
    table->clientHeight = 601;
    table->mouseX = 800;
    table->mouseY = 600;
    table->MouseToBoard();
    EXPECT_EQ(table->hand.current.x, 1.0f);
    EXPECT_EQ(table->hand.current.z, 1.0f);
}

TEST(MouseToBoard, WindowWithoutClientAreaLeavesTheHandWhereItIs) {
    auto table = std::make_unique<GameTable>();
    table->hand.current.x = 0.25f;
    table->hand.current.z = -0.5f;
    table->mouseX = 10;
    table->mouseY = 10;
    for (int w : {0, 1}) {
        table->clientWidth = w;
        table->clientHeight = 600;
        table->MouseToBoard();
        EXPECT_EQ(table->hand.current.x, 0.25f);
        table->clientWidth = 800;
        table->clientHeight = w;
        table->MouseToBoard();
        EXPECT_EQ(table->hand.current.z, -0.5f);
        EXPECT_TRUE(std::isfinite(table->hand.current.x));
    }
}

static int Pick(float x, float z) {
    Pose pose;
    pose.x = x;
    pose.z = z;
    return PickPoint(pose);
}

TEST(PickPoint, BinsOfOnePointWidthFromTheBarEdge) {
    // Bin centres, left rim to right rim, with the near and far numbers of each bin.
    const struct {
        float x;
        int nearPoint;
        int farPoint;
    } bins[] = {{-0.955f, 13, 12}, {-0.84f, 12, 13}, {-0.70f, 11, 14}, {-0.56f, 10, 15},
                {-0.42f, 9, 16},   {-0.28f, 8, 17},  {-0.14f, 7, 18},  {0.0f, 0, 25},
                {0.14f, 6, 19},    {0.28f, 5, 20},   {0.42f, 4, 21},   {0.56f, 3, 22},
                {0.70f, 2, 23},    {0.84f, 1, 24},   {0.955f, 0, 25}};
    for (const auto& bin : bins) {
        EXPECT_EQ(Pick(bin.x, 0.5f), bin.nearPoint) << "x " << bin.x;
        EXPECT_EQ(Pick(bin.x, -0.5f), bin.farPoint) << "x " << bin.x;
    }
}

TEST(PickPoint, EdgesBarHalvesAndRimStrips) {
    EXPECT_EQ(Pick(0.0f, 0.0f), 0);
    EXPECT_EQ(Pick(0.0f, -0.001f), 25);
    EXPECT_EQ(Pick(0.07f, 0.5f), 0);
    EXPECT_EQ(Pick(-0.07f, -0.5f), 25);
    EXPECT_EQ(Pick(0.85f, 0.5f), 1);
    EXPECT_EQ(Pick(0.85f, -0.5f), 24);
    EXPECT_EQ(Pick(-0.85f, 0.5f), 12);
    EXPECT_EQ(Pick(-0.85f, -0.5f), 13);
    EXPECT_EQ(Pick(0.95f, 0.5f), 0);
    EXPECT_EQ(Pick(0.95f, -0.5f), 25);
    EXPECT_EQ(Pick(-0.95f, 0.5f), 13);
    EXPECT_EQ(Pick(-0.95f, -0.5f), 12);
    // Bin boundaries fall where the single-precision inputs put them.
    EXPECT_EQ(Pick(0.35f, 0.5f), 5);
    EXPECT_EQ(Pick(0.49f, 0.5f), 3);
    EXPECT_EQ(Pick(0.21f, 0.5f), 6);
    EXPECT_EQ(Pick(-0.35f, 0.5f), 8);
    // The board's own edges are on it; just past them is not.
    EXPECT_EQ(Pick(1.0f, 1.0f), 0);
    EXPECT_EQ(Pick(-1.0f, -1.0f), 12);
    EXPECT_EQ(Pick(1.0001f, 0.0f), -1);
    EXPECT_EQ(Pick(0.0f, 1.0001f), -1);
    EXPECT_EQ(Pick(-1.0001f, 0.5f), -1);
    EXPECT_EQ(Pick(0.5f, -1.0001f), -1);
}
