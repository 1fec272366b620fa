// What drawing animates, without a window: the hand's bob, the spin of highlighted checkers and
// the ghost's turn. Drawing changes nothing else.
#include <gtest/gtest.h>

#include <GL/gl.h>

#include <cstring>

#include "render/BoardView.h"
#include "render/Checker.h"
#include "render/Die.h"
#include "render/Hand.h"

TEST(HandBob, SinksSixteenFramesFirstThenRisesAndSinksFifteen) {
    Hand hand;
    hand.current.x = 0.3f;
    hand.current.z = -0.2f;
    const Hand before = hand;
    const float y0 = hand.current.y;
    const float arm0 = hand.joints[ArmJoint];

    // Each phase: frames, direction.
    const int phases[][2] = {{16, -1}, {15, +1}, {15, -1}, {15, +1}, {15, -1}};
    float expectedY = y0;
    float expectedArm = arm0;
    for (const auto& phase : phases) {
        for (int f = 0; f < phase[0]; ++f) {
            const float y = hand.current.y;
            hand.Draw();
            if (phase[1] < 0) {
                EXPECT_LT(hand.current.y, y);
            } else {
                EXPECT_GT(hand.current.y, y);
            }
        }
        expectedY += phase[1] * 0.0005f * phase[0];
        expectedArm -= phase[1] * 0.01f * phase[0];
        EXPECT_NEAR(hand.current.y, expectedY, 1e-5);
        EXPECT_NEAR(hand.joints[ArmJoint], expectedArm, 1e-4);
        EXPECT_NEAR(hand.joints[PalmJoint], expectedArm - arm0 + before.joints[PalmJoint], 1e-4);
    }
    // One sink of 0.008 and pairs of 0.0075 either way: the hand never drifts away.
    EXPECT_NEAR(hand.current.y, y0 - 0.008f, 1e-5);

    // Only the height, arm, palm and the bob's counter move.
    EXPECT_EQ(hand.current.x, before.current.x);
    EXPECT_EQ(hand.current.z, before.current.z);
    EXPECT_EQ(hand.current.rotY, before.current.rotY);
    for (int j = Finger1Joint; j <= ThumbJoint; ++j)
        EXPECT_EQ(hand.joints[j], before.joints[j]);
    EXPECT_EQ(hand.moving, before.moving);
    EXPECT_EQ(hand.mode, before.mode);
    EXPECT_EQ(Hand::frameCounter, 0);
}

TEST(CheckerDrawing, SelectedCheckersShareOneSpinThatWraps) {
    Checker::spinAngle = 0.0f;
    Checker a;
    Checker b;
    a.SetSideAndIndex(1, 20);
    b.SetSideAndIndex(1, 21);
    a.selected = b.selected = true;
    a.Draw();
    b.Draw();
    EXPECT_EQ(Checker::spinAngle, 1.0f);  // once per selected checker drawn

    Checker plain;
    plain.SetSideAndIndex(2, 3);
    const Pose pose = plain.current;
    plain.Draw();
    EXPECT_EQ(Checker::spinAngle, 1.0f);
    EXPECT_EQ(std::memcmp(&plain.current.x, &pose.x, 6 * sizeof(float)), 0);

    Checker::spinAngle = 359.75f;
    a.Draw();
    EXPECT_EQ(Checker::spinAngle, 0.0f);  // 360.25 wraps to exactly 0
    a.Draw();
    EXPECT_EQ(Checker::spinAngle, 0.5f);
}

TEST(CheckerDrawing, GhostTurnsFiveDegreesPerDrawnFrame) {
    Checker ghost;
    ghost.SetSideAndIndex(1, 100);
    for (int i = 0; i < 4; ++i)
        ghost.Draw();
    EXPECT_EQ(ghost.current.rotY, 20.0f);
    EXPECT_EQ(ghost.current.x, 0.0f);
}

// The table applies its first colour scheme before any window exists; building and drawing
// then find no rendering context and must do nothing at all.
TEST(NoContext, BuildingAndDrawingWithoutAWindowIsHarmless) {
    BoardView view;
    view.BuildLists();
    view.DrawPointsAndSurface();
    view.DrawFrame();
    Hand::BuildLists();
    Checker::BuildLists();
    Die die;
    Die::BuildLists(die);
    die.Draw();
    die.active = true;
    die.Draw();
    die.DrawShadow();
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}
