#include "render/Die.h"
#include "render/DisplayLists.h"
#include "render/ShapeWriter.h"

static const float halfEdge = 0.03f;
static const float pipOffset = 0.015f;

// The pip square lies in its own x-y plane and faces its own -z, with its normal along its +y.
static void WritePip(ShapeWriter& out) {
    const float h = 0.005f;
    out.BeginList(DiePipList);
    out.Colour(0.1f, 0.1f, 0.1f, 0.4f);
    out.Begin(GL_QUADS);
    out.Normal(0.0f, 1.0f, 0.0f);
    out.Vertex(-h, -h, 0.0f);
    out.Vertex(-h, h, 0.0f);
    out.Vertex(h, h, 0.0f);
    out.Vertex(h, -h, 0.0f);
    out.End();
    out.EndList();
}

static void Face(ShapeWriter& out, float nx, float ny, float nz, const float (&v)[4][3]) {
    out.Normal(nx, ny, nz);
    for (const auto& p : v)
        out.Vertex(p[0], p[1], p[2]);
}

// How a pip is turned onto a face: first about y (outermost), then about x, so that its front
// looks out of the face. On the side faces its normal stays along the die's +y, on the top and
// bottom faces it turns to the die's +x.
struct PipFace {
    float yTurn;
    float xTurn;
};

static void Pip(ShapeWriter& out, const PipFace& face, float x, float y, float z) {
    out.PushMatrix();
    out.Translate(x, y, z);
    if (face.yTurn != 0.0f)
        out.Rotate(face.yTurn, 0.0f, 1.0f, 0.0f);
    if (face.xTurn != 0.0f)
        out.Rotate(face.xTurn, 1.0f, 0.0f, 0.0f);
    out.CallList(DiePipList);
    out.PopMatrix();
}

static void WriteFaces(ShapeWriter& out) {
    const float a = halfEdge;
    out.BeginList(DieFacesList);
    out.Begin(GL_QUADS);
    Face(out, 0.0f, 1.0f, 0.0f, {{-a, a, -a}, {-a, a, a}, {a, a, a}, {a, a, -a}});
    Face(out, 0.0f, -1.0f, 0.0f, {{-a, -a, -a}, {a, -a, -a}, {a, -a, a}, {-a, -a, a}});
    Face(out, -1.0f, 0.0f, 0.0f, {{-a, -a, -a}, {-a, -a, a}, {-a, a, a}, {-a, a, -a}});
    Face(out, 1.0f, 0.0f, 0.0f, {{a, -a, a}, {a, -a, -a}, {a, a, -a}, {a, a, a}});
    Face(out, 0.0f, 0.0f, -1.0f, {{a, -a, -a}, {-a, -a, -a}, {-a, a, -a}, {a, a, -a}});
    Face(out, 0.0f, 0.0f, 1.0f, {{-a, -a, a}, {a, -a, a}, {a, a, a}, {-a, a, a}});
    out.End();
    out.EndList();
}

// The pips lie in the planes of the faces, so they can only be drawn over faces that left the
// depth buffer alone (see Die::Draw).
static void WriteBody(ShapeWriter& out) {
    const float a = halfEdge;
    const float o = pipOffset;
    out.BeginList(DieBodyList);
    out.CallList(DieFacesList);

    const PipFace top = {90.0f, 90.0f};
    const PipFace bottom = {-90.0f, -90.0f};
    const PipFace right = {-90.0f, 0.0f};
    const PipFace left = {90.0f, 0.0f};
    const PipFace front = {180.0f, 0.0f};
    const PipFace back = {0.0f, 0.0f};

    // Four on top.
    Pip(out, top, o, a, o);
    Pip(out, top, o, a, -o);
    Pip(out, top, -o, a, o);
    Pip(out, top, -o, a, -o);
    // Three underneath.
    Pip(out, bottom, 0.0f, -a, 0.0f);
    Pip(out, bottom, o, -a, o);
    Pip(out, bottom, -o, -a, -o);
    // Five on the right.
    Pip(out, right, a, o, o);
    Pip(out, right, a, o, -o);
    Pip(out, right, a, -o, o);
    Pip(out, right, a, -o, -o);
    Pip(out, right, a, 0.0f, 0.0f);
    // Two on the left.
    Pip(out, left, -a, -o, -o);
    Pip(out, left, -a, o, o);
    // One in front.
    Pip(out, front, 0.0f, 0.0f, a);
    // Six at the back, two columns of three.
    for (int row = -1; row <= 1; ++row) {
        Pip(out, back, o, o * row, -a);
        Pip(out, back, -o, o * row, -a);
    }
    out.EndList();
}

// A grey square multiplied into whatever lies under the die: twice 0.3 of the colour beneath.
static void WriteShadow(ShapeWriter& out, float shadowHeight) {
    const float a = halfEdge;
    const float y = -shadowHeight;
    out.BeginList(DieShadowList);
    out.Enable(GL_BLEND);
    out.BlendFunc(GL_DST_COLOR, GL_SRC_COLOR);
    out.Disable(GL_DEPTH_TEST);
    out.Colour(0.3f, 0.3f, 0.3f);
    out.Begin(GL_QUADS);
    Face(out, 0.0f, 1.0f, 0.0f, {{-a, y, -a}, {-a, y, a}, {a, y, a}, {a, y, -a}});
    out.End();
    out.Disable(GL_BLEND);
    out.Enable(GL_DEPTH_TEST);
    out.EndList();
}

void WriteDieLists(float shadowHeight, ShapeWriter& out) {
    WritePip(out);
    WriteFaces(out);
    WriteBody(out);
    WriteShadow(out, shadowHeight);
}

void Die::BuildLists(const Die& reference) {
    GlShapeWriter out;
    WriteDieLists(reference.current.y, out);
}

void Die::Draw() const {
    glPushMatrix();
    glTranslatef(current.x, current.y, current.z);
    glRotatef(current.rotX, 1.0f, 0.0f, 0.0f);
    glRotatef(current.rotY, 0.0f, 1.0f, 0.0f);
    glRotatef(current.rotZ, 0.0f, 0.0f, 1.0f);
    glColor4f(colour[0], colour[1], colour[2], colour[3]);
    if (active) {
        // A pip and the face under it have the same depth only up to rounding, which differs
        // from one angle of view to the next. So the faces and pips are drawn without writing
        // depth: with its back faces culled a cube never covers itself, and each pip is tested
        // only against what lies behind or in front of the die. The faces then write the die's
        // depth, colour untouched, for whatever is drawn after it.
        glDepthMask(GL_FALSE);
        glCallList(DieBodyList);
        glDepthMask(GL_TRUE);
        glColorMask(GL_FALSE, GL_FALSE, GL_FALSE, GL_FALSE);
        glCallList(DieFacesList);
        glColorMask(GL_TRUE, GL_TRUE, GL_TRUE, GL_TRUE);
    } else {
        // The die not in use shows as a light, see-through cube over whatever is behind it.
        glBlendFunc(GL_ONE, GL_ONE_MINUS_SRC_ALPHA);
        glEnable(GL_BLEND);
        glDisable(GL_DEPTH_TEST);
        glCallList(DieBodyList);
        glEnable(GL_DEPTH_TEST);
        glDisable(GL_BLEND);
    }
    glPopMatrix();
}

// The shadow turns with the die about the vertical only, so it stays a flat square on the board.
void Die::DrawShadow() const {
    glPushMatrix();
    glTranslatef(current.x, current.y, current.z);
    glRotatef(current.rotY, 0.0f, 1.0f, 0.0f);
    glCallList(DieShadowList);
    glPopMatrix();
}
