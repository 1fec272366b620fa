// The static shapes, recorded instead of compiled: back faces are culled, so a face wound the
// wrong way simply vanishes on screen; these tests catch that and misplaced parts without a
// window.
#include <gtest/gtest.h>

#include <cmath>
#include <set>

#include "ShapeRecorder.h"
#include "render/BoardView.h"
#include "render/Die.h"
#include "render/DisplayLists.h"

static ShapeRecorder RecordEverything(const BoardView& view) {
    ShapeRecorder recorder;
    WriteBoardLists(view, recorder);
    WriteHandLists(recorder);
    WriteDieLists(0.031f, recorder);
    WriteCheckerList(recorder);
    return recorder;
}

static bool IsSurface(const RecordedFace& face) {
    return face.primitive != GL_LINE_STRIP && face.vertices.size() >= 3;
}

TEST(Shapes, EveryLitFaceIsWoundTowardItsNormal) {
    ShapeRecorder recorder = RecordEverything(BoardView());
    // The pips are left out: their normals lie in their plane on purpose (see the die tests).
    const unsigned litLists[] = {BoardFrameList, BoardSurfaceList, BoardPointsList,
                                 DieBodyList,    DieShadowList,    HandArmList,
                                 HandPalmList,   HandSegment1List, HandSegment2List};
    for (unsigned list : litLists) {
        int faces = 0;
        for (const RecordedFace& face : recorder.lists[list].faces) {
            if (!IsSurface(face))
                continue;
            ++faces;
            const Vec3 declared = face.DeclaredNormal();
            ASSERT_GT(Length(declared), 0.0) << "list " << list;
            EXPECT_GT(Dot(face.WindingNormal(), declared), 0.0)
                << "list " << list << " face at " << face.Centre().x << ", " << face.Centre().y
                << ", " << face.Centre().z;
        }
        EXPECT_GT(faces, 0) << "list " << list;
    }

    // The checker: the rim faces out and the top faces up (its normals vary on purpose, so the
    // winding is checked against the geometry instead).
    std::vector<RecordedFace> checker = recorder.Expanded(CheckerList);
    ASSERT_EQ(checker.size(), 2u + 20u);
    EXPECT_GT(checker[0].WindingNormal().y, 0.99);
    EXPECT_NEAR(checker[0].Centre().y, 0.01, 1e-6);
    for (size_t i = 2; i < checker.size(); ++i) {
        const Vec3 out = checker[i].Centre();
        EXPECT_GT(Dot(checker[i].WindingNormal(), {out.x, 0.0, out.z}), 0.0) << "rim quad " << i;
        EXPECT_GT(Dot(checker[i].DeclaredNormal(), {out.x, 0.0, out.z}), 0.0) << "rim quad " << i;
    }
}

TEST(Shapes, BoardPointsAlternateAndSitOnTheRims) {
    BoardView view;
    ShapeRecorder recorder;
    WriteBoardLists(view, recorder);
    const std::vector<RecordedFace>& points = recorder.lists[BoardPointsList].faces;
    ASSERT_EQ(points.size(), 24u);
    EXPECT_EQ(recorder.lists[BoardPointsList].normalCalls, 1);

    std::set<int> seen;
    for (size_t t = 0; t < points.size(); ++t) {
        const int k = static_cast<int>(t / 4);
        const int number = std::vector<int>{1 + k, 13 + k, 12 - k, 24 - k}[t % 4];
        seen.insert(number);
        const RecordedFace& face = points[t];

        // Base on the rim of its half, apex 0.6 toward the centre line, all just above the
        // surface, centred where the checkers of that point stand.
        const bool near = number <= 12;
        const bool right = number <= 6 || number >= 19;
        const int fromRim = number <= 12 ? (number <= 6 ? number - 1 : 12 - number)
                                         : (number <= 18 ? number - 13 : 24 - number);
        const double centreX = (right ? 1 : -1) * (0.85 - 0.14 * fromRim);
        double minX = 9, maxX = -9, minAbsZ = 9, maxAbsZ = 0;
        for (const Vec3& v : face.vertices) {
            EXPECT_NEAR(v.y, 0.005, 1e-6);
            EXPECT_EQ(v.z > 0, near) << "point " << number;
            minX = std::min(minX, v.x);
            maxX = std::max(maxX, v.x);
            minAbsZ = std::min(minAbsZ, std::fabs(v.z));
            maxAbsZ = std::max(maxAbsZ, std::fabs(v.z));
        }
        EXPECT_NEAR(minX, centreX - 0.07, 1e-5) << "point " << number;
        EXPECT_NEAR(maxX, centreX + 0.07, 1e-5) << "point " << number;
        EXPECT_NEAR(maxAbsZ, 0.93, 1e-6);
        EXPECT_NEAR(minAbsZ, 0.33, 1e-6);
        EXPECT_GT(face.WindingNormal().y, 0.99) << "point " << number;

        const float* expected = number % 2 ? view.oddPointColour : view.evenPointColour;
        for (int c = 0; c < 3; ++c)
            EXPECT_EQ(face.colour[c], expected[c]) << "point " << number;
    }
    EXPECT_EQ(seen.size(), 24u);
}

TEST(Shapes, FrameAndSurfaceCoverTheBoardInTheirColours) {
    BoardView view;
    view.frameColour[0] = 0.11f;
    view.surfaceColour[0] = 0.22f;
    ShapeRecorder recorder;
    WriteBoardLists(view, recorder);

    const std::vector<RecordedFace>& surface = recorder.lists[BoardSurfaceList].faces;
    ASSERT_EQ(surface.size(), 1u);
    EXPECT_EQ(surface[0].colour[0], 0.22f);
    for (const Vec3& v : surface[0].vertices) {
        EXPECT_EQ(v.y, 0.0);
        EXPECT_EQ(std::fabs(v.x), 1.0);
        EXPECT_EQ(std::fabs(v.z), 1.0);
    }

    // Four outer walls, four inner, two bar walls, five tops, then the seam: only the seam is
    // not in the frame colour, and it is left current.
    const std::vector<RecordedFace>& frame = recorder.lists[BoardFrameList].faces;
    ASSERT_EQ(frame.size(), 16u);
    int tops = 0;
    for (size_t i = 0; i + 1 < frame.size(); ++i) {
        EXPECT_EQ(frame[i].colour[0], 0.11f) << "frame face " << i;
        if (frame[i].WindingNormal().y > 0.99) {
            ++tops;
            for (const Vec3& v : frame[i].vertices)
                EXPECT_NEAR(v.y, 0.07, 1e-6);
        }
        for (const Vec3& v : frame[i].vertices) {
            EXPECT_LE(std::fabs(v.x), 1.0);
            EXPECT_LE(std::fabs(v.z), 1.0);
        }
    }
    EXPECT_EQ(tops, 5);
    const RecordedFace& seam = frame.back();
    EXPECT_EQ(seam.primitive, static_cast<GLenum>(GL_LINE_STRIP));
    EXPECT_EQ(seam.colour[0], 0.2f);
    ASSERT_EQ(seam.vertices.size(), 4u);
    EXPECT_NEAR(seam.vertices[1].y, 0.075, 1e-6);
}

// Which face a pip sits on, seen in board coordinates after the die's own rotation: its centre
// on the face plane and its front (the pip's -z) looking out of it.
static int PipsFacing(const std::vector<RecordedFace>& body, const Transform& rotation,
                      const Vec3& direction, bool checkPipNormal) {
    int count = 0;
    for (const RecordedFace& face : body) {
        if (face.colour[0] != 0.1f)
            continue;  // pips carry their own colour
        const Vec3 centre = rotation.Point(face.Centre());
        const Vec3 front = rotation.Direction(face.WindingNormal());
        if (Dot(front, direction) < 0.99)
            continue;
        EXPECT_NEAR(Dot(centre, direction), 0.03, 1e-6);
        if (checkPipNormal) {
            // Lying in the face plane: along the die's +y on the sides, +x on top and bottom.
            const Vec3 n = face.DeclaredNormal();
            const bool topOrBottom = std::fabs(direction.y) > 0.5;
            EXPECT_NEAR(n.x / Length(n), topOrBottom ? 1.0 : 0.0, 1e-6);
            EXPECT_NEAR(n.y / Length(n), topOrBottom ? 0.0 : 1.0, 1e-6);
        }
        ++count;
    }
    return count;
}

TEST(Shapes, DieFacesCarryPipsThatAddUpToSevenOpposite) {
    ShapeRecorder recorder;
    WriteDieLists(0.031f, recorder);
    const std::vector<RecordedFace> body = recorder.Expanded(DieBodyList);
    ASSERT_EQ(body.size(), 6u + 21u);
    for (int f = 0; f < 6; ++f)
        EXPECT_EQ(body[f].colour[0], -1.0f) << "the die's own colour";
    const Transform none;
    EXPECT_EQ(PipsFacing(body, none, {0, 1, 0}, true), 4);
    EXPECT_EQ(PipsFacing(body, none, {0, -1, 0}, true), 3);
    EXPECT_EQ(PipsFacing(body, none, {1, 0, 0}, true), 5);
    EXPECT_EQ(PipsFacing(body, none, {-1, 0, 0}, true), 2);
    EXPECT_EQ(PipsFacing(body, none, {0, 0, 1}, true), 1);
    EXPECT_EQ(PipsFacing(body, none, {0, 0, -1}, true), 6);
}

TEST(Shapes, SetValueTurnsThatFaceUp) {
    ShapeRecorder recorder;
    WriteDieLists(0.031f, recorder);
    const std::vector<RecordedFace> body = recorder.Expanded(DieBodyList);
    Die die;
    for (int v = 1; v <= 6; ++v) {
        die.SetValue(v);
        EXPECT_EQ(die.value, v);
        // The die is drawn rotated about x, then y, then z.
        const Transform rotation = Transform::Rotation(die.current.rotX, 1, 0, 0) *
                                   Transform::Rotation(die.current.rotY, 0, 1, 0) *
                                   Transform::Rotation(die.current.rotZ, 0, 0, 1);
        EXPECT_EQ(PipsFacing(body, rotation, {0, 1, 0}, false), v) << "value " << v;
        EXPECT_EQ(PipsFacing(body, rotation, {0, -1, 0}, false), 7 - v) << "value " << v;
    }
}

TEST(Shapes, DieShadowDarkensTheSurfaceAndRestoresState) {
    ShapeRecorder recorder;
    WriteDieLists(0.031f, recorder);
    const RecordedList& shadow = recorder.lists[DieShadowList];
    const std::vector<std::string> state = {"Enable BLEND", "BlendFunc DST_COLOR SRC_COLOR",
                                            "Disable DEPTH_TEST", "Disable BLEND",
                                            "Enable DEPTH_TEST"};
    EXPECT_EQ(shadow.state, state);
    ASSERT_EQ(shadow.faces.size(), 1u);
    EXPECT_EQ(shadow.faces[0].colour[0], 0.3f);
    for (const Vec3& v : shadow.faces[0].vertices) {
        EXPECT_NEAR(v.y, -0.031, 1e-7);  // on the surface under a die resting at 0.031
        EXPECT_NEAR(std::fabs(v.x), 0.03, 1e-7);
        EXPECT_NEAR(std::fabs(v.z), 0.03, 1e-7);
    }
    EXPECT_GT(shadow.faces[0].WindingNormal().y, 0.99);
}

TEST(Shapes, CheckerIsAFlatDiscAsWideAsAPoint) {
    ShapeRecorder recorder;
    WriteCheckerList(recorder);
    for (const RecordedFace& face : recorder.lists[CheckerList].faces) {
        for (const Vec3& v : face.vertices) {
            EXPECT_NEAR(std::hypot(v.x, v.z), 0.07, 1e-6);
            EXPECT_NEAR(std::fabs(v.y), 0.01, 1e-7);
        }
    }
}

TEST(Shapes, HandShadowListsRepeatTheShapesWithOneNullNormal) {
    ShapeRecorder recorder;
    WriteHandLists(recorder);
    const unsigned lit[4] = {HandArmList, HandPalmList, HandSegment1List, HandSegment2List};
    const unsigned shadow[4] = {HandArmShadowList, HandPalmShadowList, HandSegment1ShadowList,
                                HandSegment2ShadowList};
    for (int s = 0; s < 4; ++s) {
        const RecordedList& a = recorder.lists[lit[s]];
        const RecordedList& b = recorder.lists[shadow[s]];
        EXPECT_EQ(b.normalCalls, 1);
        ASSERT_EQ(a.faces.size(), b.faces.size());
        for (size_t f = 0; f < a.faces.size(); ++f) {
            ASSERT_EQ(a.faces[f].vertices.size(), b.faces[f].vertices.size());
            for (size_t v = 0; v < a.faces[f].vertices.size(); ++v) {
                EXPECT_EQ(Length(a.faces[f].vertices[v] - b.faces[f].vertices[v]), 0.0);
                EXPECT_EQ(Length(b.faces[f].normals[v]), 0.0);
            }
        }
    }
    // The arm is closed at both ends and runs from the shoulder at x = -0.3 to the wrist at 0.
    const std::vector<RecordedFace>& arm = recorder.lists[HandArmList].faces;
    ASSERT_EQ(arm.size(), 12u);
    EXPECT_NEAR(arm[10].Centre().x, -0.3, 1e-6);
    EXPECT_NEAR(arm[11].Centre().x, 0.0, 1e-6);
}
