// The hand's moves and bob and how a die shows its value, without a window.
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "render/Checker.h"
#include "render/Die.h"
#include "render/DisplayLists.h"
#include "render/Hand.h"
#include "render/ShapeWriter.h"

// Catches a bob that drifts, runs the wrong length or moves more than height, arm and palm.
TEST(HandBob, SinksSixteenFramesFirstThenRisesAndSinksFifteen) {
    Hand hand;
    hand.current.x = 0.3f;
    const Hand before = hand;
    const float y0 = hand.current.y;
    const float arm0 = hand.joints[ArmJoint];

    // Each phase: frames, direction.
    const int phases[][2] = {{16, -1}, {15, +1}, {15, -1}, {15, +1}, {15, -1}};
    float expectedY = y0;
    for (const auto& phase : phases) {
        for (int f = 0; f < phase[0]; ++f)
            hand.Bob();
        expectedY += phase[1] * 0.0005f * phase[0];
        EXPECT_NEAR(hand.current.y, expectedY, 1e-5);
        EXPECT_NEAR(hand.joints[PalmJoint] - before.joints[PalmJoint], hand.joints[ArmJoint] - arm0,
                    1e-4);
    }
    // One sink of 0.008 and pairs of 0.0075 either way: the hand never drifts away.
    EXPECT_NEAR(hand.current.y, y0 - 0.008f, 1e-5);
    EXPECT_NEAR(hand.joints[ArmJoint], arm0 + 0.16f, 1e-4);
    EXPECT_EQ(hand.current.x, before.current.x);
    EXPECT_EQ(hand.current.rotY, before.current.rotY);
    for (int j = Finger1Joint; j <= ThumbJoint; ++j)
        EXPECT_EQ(hand.joints[j], before.joints[j]);
}

struct Vec3 {
    double x, y, z;
};

// Turns v about a unit axis by the right-hand rule, as glRotate does.
static Vec3 Turn(const Vec3& v, double degrees, const Vec3& k) {
    const double a = degrees * 3.14159265358979323846 / 180.0, c = std::cos(a), s = std::sin(a);
    const double along = (k.x * v.x + k.y * v.y + k.z * v.z) * (1 - c);
    return {v.x * c + (k.y * v.z - k.z * v.y) * s + k.x * along,
            v.y * c + (k.z * v.x - k.x * v.z) * s + k.y * along,
            v.z * c + (k.x * v.y - k.y * v.x) * s + k.z * along};
}

// Keeps only where each pip lands on the die: the origin of the pip list wherever it is called.
class PipRecorder : public ShapeWriter {
public:
    // One translation or rotation; a matrix is the list of those applied since the identity.
    struct Step {
        bool turn;
        double degrees;
        Vec3 v;
    };

    void BeginList(unsigned) override {}
    void EndList() override {}
    void Begin(GLenum) override {}
    void End() override {}
    void Normal(float, float, float) override {}
    void Vertex(float, float, float) override {}
    void Colour(float, float, float) override {}
    void Colour(float, float, float, float) override {}
    void PushMatrix() override { stack.push_back(stack.back()); }
    void PopMatrix() override { stack.pop_back(); }
    void Translate(float x, float y, float z) override {
        stack.back().push_back({false, 0, {x, y, z}});
    }
    void Rotate(float d, float x, float y, float z) override {
        stack.back().push_back({true, d, {x, y, z}});
    }
    void CallList(unsigned list) override {
        if (list != DiePipList)
            return;
        Vec3 p = {0, 0, 0};
        for (auto step = stack.back().rbegin(); step != stack.back().rend(); ++step)
            p = step->turn ? Turn(p, step->degrees, step->v)
                           : Vec3{p.x + step->v.x, p.y + step->v.y, p.z + step->v.z};
        pips.push_back(p);
    }
    void Enable(GLenum) override {}
    void Disable(GLenum) override {}
    void BlendFunc(GLenum, GLenum) override {}

    std::vector<Vec3> pips;
    std::vector<std::vector<Step>> stack = {{}};
};

// Catches a value shown on the wrong face: the face holding `v` pips, turned by the die's own
// rotations (about x, then y, then z, as the die is drawn), must face up, and its opposite down.
TEST(DieValue, SetValueTurnsTheFaceWithThatManyPipsUp) {
    PipRecorder recorder;
    WriteDieLists(0.031f, recorder);
    ASSERT_EQ(recorder.pips.size(), 21u);
    // The face each value is on: the axis whose face plane holds that many pip centres.
    const Vec3 axes[6] = {{1, 0, 0}, {-1, 0, 0}, {0, 1, 0}, {0, -1, 0}, {0, 0, 1}, {0, 0, -1}};
    Vec3 faceOf[7] = {};
    for (const Vec3& n : axes) {
        int count = 0;
        for (const Vec3& p : recorder.pips)
            count += std::fabs(p.x * n.x + p.y * n.y + p.z * n.z - 0.03) < 1e-6;
        ASSERT_TRUE(count >= 1 && count <= 6);
        faceOf[count] = n;
    }
    Die die;
    for (int v = 1; v <= 6; ++v) {
        die.SetValue(v);
        const auto drawn = [&die](Vec3 n) {
            n = Turn(n, die.current.rotZ, {0, 0, 1});
            n = Turn(n, die.current.rotY, {0, 1, 0});
            return Turn(n, die.current.rotX, {1, 0, 0});
        };
        EXPECT_NEAR(drawn(faceOf[v]).y, 1.0, 1e-6) << "value " << v;
        EXPECT_NEAR(drawn(faceOf[7 - v]).y, -1.0, 1e-6) << "value " << v;
    }
}

// Every hand move takes fifteen frames. Straight moves climb in equal steps to the grip height
// (or to pointer height at rest); the arc lifts from the first frame and lands at carrying
// height, higher over the bar. A carried checker hangs 0.13 below the hand all the way.
TEST(Hand, FifteenFrameMovesWithAndWithoutTheArc) {
    const struct {
        MovePhase mode;
        bool arc;
        float firstY, lastY;
    } moves[] = {{ReachPhase, false, 0.8820667f, 0.631f},
                 {ReturnPhase, false, 0.8546667f, 0.22f},
                 {CarryPhase, true, 0.1933735f, 0.131f},
                 {CarryToBarPhase, true, 0.2633735f, 0.201f}};
    for (const auto& m : moves) {
        Hand hand;
        Checker checker;
        hand.current.y = 0.9f;
        hand.arc = m.arc;
        Pose goal;
        goal.x = 0.3f;
        goal.y = 0.5f;
        hand.StartMove(m.mode, goal);
        int frames = 1;
        ASSERT_TRUE(hand.Step(&checker));
        EXPECT_NEAR(hand.current.y, m.firstY, 1e-5) << "mode " << m.mode;
        while (hand.Step(&checker) && frames < 100) {
            frames++;
        }
        EXPECT_EQ(frames + 1, 15) << "mode " << m.mode;
        EXPECT_FALSE(hand.moving);
        EXPECT_NEAR(hand.current.y, m.lastY, 1e-5) << "mode " << m.mode;
        EXPECT_NEAR(hand.current.x, 0.3f, 1e-5) << "mode " << m.mode;
        EXPECT_NEAR(checker.current.y, m.lastY - 0.13f, 1e-5) << "mode " << m.mode;
    }
}
