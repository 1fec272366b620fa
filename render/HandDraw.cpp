#include <cmath>

#include "render/DisplayLists.h"
#include "render/Hand.h"
#include "render/ShapeWriter.h"

static const float pi = 3.14159265358979f;

// A tube along x from x0 to x1 with `sides` sides, circular or elliptic cross-sections
// (y radius, z radius) at each end, its side faces looking outward. The end at x0 is closed when
// `closeStart`, the end at x1 always. The shadow versions carry no normals of their own.
struct Tube {
    int sides;
    float x0, startY, startZ;
    float x1, endY, endZ;
    bool closeStart;
};

static void WriteTube(ShapeWriter& out, const Tube& tube, bool lit) {
    float sines[11];
    float cosines[11];
    for (int i = 0; i <= tube.sides; ++i) {
        const float a = i * 2.0f * pi / tube.sides;
        sines[i] = std::sin(a);
        cosines[i] = std::cos(a);
    }
    out.Begin(GL_QUAD_STRIP);
    for (int i = 0; i <= tube.sides; ++i) {
        if (lit)
            out.Normal(0.0f, sines[i], cosines[i]);
        out.Vertex(tube.x0, tube.startY * sines[i], tube.startZ * cosines[i]);
        out.Vertex(tube.x1, tube.endY * sines[i], tube.endZ * cosines[i]);
    }
    out.End();
    // Going round with the angle rising faces -x; falling, +x.
    if (tube.closeStart) {
        out.Begin(GL_POLYGON);
        if (lit)
            out.Normal(-1.0f, 0.0f, 0.0f);
        for (int i = 0; i <= tube.sides; ++i) {
            out.Vertex(tube.x0, tube.startY * sines[i], tube.startZ * cosines[i]);
        }
        out.End();
    }
    out.Begin(GL_POLYGON);
    if (lit)
        out.Normal(1.0f, 0.0f, 0.0f);
    for (int i = tube.sides; i >= 0; --i) {
        out.Vertex(tube.x1, tube.endY * sines[i], tube.endZ * cosines[i]);
    }
    out.End();
}

static void WritePalm(ShapeWriter& out, bool lit) {
    static const float outline[6][2] = {{0.0f, 0.023333333f},  {0.099f, 0.035f},
                                        {0.15f, 0.023333333f}, {0.15f, -0.023333333f},
                                        {0.099f, -0.035f},     {0.0f, -0.023333333f}};
    static const float halfWidth[6] = {0.05f, 0.075f, 0.075f, 0.075f, 0.075f, 0.05f};
    static const float bandNormals[7][3] = {
        {-0.2f, 1.0f, 0.0f}, {0.6f, 0.7f, 0.0f},  {0.2f, 0.9f, 0.0f}, {1.0f, 0.0f, 0.0f},
        {0.4f, -0.8f, 0.0f}, {-1.0f, 0.0f, 0.0f}, {-1.0f, 0.0f, 0.0f}};
    out.Begin(GL_QUAD_STRIP);
    for (int i = 0; i <= 6; ++i) {
        const int c = i % 6;
        if (lit)
            out.Normal(bandNormals[i][0], bandNormals[i][1], bandNormals[i][2]);
        out.Vertex(outline[c][0], outline[c][1], -halfWidth[c]);
        out.Vertex(outline[c][0], outline[c][1], halfWidth[c]);
    }
    out.End();
    // The outline runs clockwise seen from +z, so that side takes it backwards.
    out.Begin(GL_POLYGON);
    if (lit)
        out.Normal(0.0f, 0.0f, 1.0f);
    for (int c = 5; c >= 0; --c)
        out.Vertex(outline[c][0], outline[c][1], halfWidth[c]);
    out.End();
    out.Begin(GL_POLYGON);
    if (lit)
        out.Normal(0.0f, 0.0f, -1.0f);
    for (int c = 0; c < 6; ++c)
        out.Vertex(outline[c][0], outline[c][1], -halfWidth[c]);
    out.End();
}

static void WriteHandShapes(ShapeWriter& out, bool lit) {
    const Tube arm = {10, -0.3f, 0.07f, 0.07f, 0.0f, 0.035f, 0.056f, true};
    const Tube segment1 = {6, 0.0f, 0.0225f, 0.0225f, 0.07f, 0.02025f, 0.02025f, false};
    const Tube segment2 = {6, 0.0f, 0.02025f, 0.02025f, 0.07f, 0.01575f, 0.01575f, false};
    const unsigned lists[4] = {lit ? HandArmList : HandArmShadowList,
                               lit ? HandPalmList : HandPalmShadowList,
                               lit ? HandSegment1List : HandSegment1ShadowList,
                               lit ? HandSegment2List : HandSegment2ShadowList};
    for (int shape = 0; shape < 4; ++shape) {
        out.BeginList(lists[shape]);
        // The shadow is unlit in effect: one null normal leaves only the ambient term.
        if (!lit)
            out.Normal(0.0f, 0.0f, 0.0f);
        if (shape == 0)
            WriteTube(out, arm, lit);
        if (shape == 1)
            WritePalm(out, lit);
        if (shape == 2)
            WriteTube(out, segment1, lit);
        if (shape == 3)
            WriteTube(out, segment2, lit);
        out.EndList();
    }
}

void WriteHandLists(ShapeWriter& out) {
    WriteHandShapes(out, true);
    WriteHandShapes(out, false);
}

void Hand::BuildLists() {
    GlShapeWriter out;
    WriteHandLists(out);
}

// The arm, palm, thumb and three fingers at the hand's pose and joint angles, from the given
// four lists (arm, palm, finger segment 1, finger segment 2).
static void DrawFigure(const Hand& hand, const unsigned (&lists)[4], bool flatten) {
    const float* joints = hand.joints;
    glPushMatrix();
    if (flatten)
        glScalef(1.0f, 0.0f, 1.0f);
    glTranslatef(hand.current.x, hand.current.y, hand.current.z);
    glRotatef(hand.current.rotX, 1.0f, 0.0f, 0.0f);
    glRotatef(hand.current.rotY, 0.0f, 1.0f, 0.0f);
    glRotatef(hand.current.rotZ, 0.0f, 0.0f, 1.0f);
    glTranslatef(-0.075f, 0.0f, 0.0f);

    glRotatef(joints[ArmJoint], 0.0f, 0.0f, 1.0f);
    glCallList(lists[0]);
    glRotatef(-joints[ArmJoint], 0.0f, 0.0f, 1.0f);

    glRotatef(joints[PalmJoint], 0.0f, 0.0f, 1.0f);
    glCallList(lists[1]);

    const float thumb = joints[ThumbJoint];
    glPushMatrix();
    glTranslatef(0.075f, 0.0f, -0.06f);
    glRotatef(thumb - 30.0f, 1.0f, 0.0f, 0.0f);
    glRotatef(20.0f - thumb, 0.0f, 1.0f, 0.0f);
    glCallList(lists[2]);
    glTranslatef(0.07f, 0.0f, 0.0f);
    glRotatef(thumb, 0.0f, 0.0f, 1.0f);
    glCallList(lists[3]);
    glPopMatrix();

    static const float fingerZ[3] = {0.05f, 0.0f, -0.05f};
    for (int f = 0; f < 3; ++f) {
        const float angle = joints[Finger1Joint + f];
        glPushMatrix();
        glTranslatef(0.15f, 0.0f, fingerZ[f]);
        glRotatef(angle, 0.0f, 0.0f, 1.0f);
        glCallList(lists[2]);
        glTranslatef(0.07f, 0.0f, 0.0f);
        glRotatef(angle, 0.0f, 0.0f, 1.0f);
        glCallList(lists[3]);
        glPopMatrix();
    }
    glPopMatrix();
}

void Hand::Draw() const {
    // 1. Over everything: the hand adds its colour to a tenth of what is behind it, the shadow
    // darkens it to 0.8 plus a tint.
    glEnable(GL_BLEND);
    glBlendFunc(GL_ONE, GL_SRC_ALPHA);
    glDisable(GL_DEPTH_TEST);

    // 2. The shadow, the figure squashed flat onto the board.
    static const unsigned shadowLists[4] = {HandArmShadowList, HandPalmShadowList,
                                            HandSegment1ShadowList, HandSegment2ShadowList};
    glColor4fv(shadowColour);
    DrawFigure(*this, shadowLists, true);

    // 3. The hand itself, in the colour of the side to move.
    static const unsigned litLists[4] = {HandArmList, HandPalmList, HandSegment1List,
                                         HandSegment2List};
    glColor4fv(colourSelector == 2 ? colour2 : colour1);
    DrawFigure(*this, litLists, false);

    // 4. Back to the opaque, depth-tested drawing the rest of the frame expects.
    glEnable(GL_DEPTH_TEST);
    glDisable(GL_BLEND);
}
