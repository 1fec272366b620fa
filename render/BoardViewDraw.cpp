#include "render/BoardView.h"
#include "render/DisplayLists.h"
#include "render/ShapeWriter.h"

static const float frameTop = 0.07f;
// The inner walls start a hair above the surface so that they do not fight with it for depth.
static const float wallFoot = 0.001f;
static const float rim = 0.93f;
static const float barHalfWidth = 0.07f;
static const float pointHeight = 0.005f;
static const float pointWidth = 0.14f;

// A horizontal rectangle at height y, wound counter-clockwise as seen from above.
static void TopQuad(ShapeWriter& out, float x0, float x1, float z0, float z1, float y) {
    out.Vertex(x0, y, z0);
    out.Vertex(x0, y, z1);
    out.Vertex(x1, y, z1);
    out.Vertex(x1, y, z0);
}

// A wall standing on the line x = x for z from z0 to z1, facing +x (or -x when `facingMinusX`).
static void WallAlongZ(ShapeWriter& out, float x, float z0, float z1, float y0, float y1,
                       bool facingMinusX) {
    out.Normal(facingMinusX ? -1.0f : 1.0f, 0.0f, 0.0f);
    if (facingMinusX) {
        out.Vertex(x, y0, z0);
        out.Vertex(x, y0, z1);
        out.Vertex(x, y1, z1);
        out.Vertex(x, y1, z0);
    } else {
        out.Vertex(x, y0, z1);
        out.Vertex(x, y0, z0);
        out.Vertex(x, y1, z0);
        out.Vertex(x, y1, z1);
    }
}

// A wall standing on the line z = z for x from x0 to x1, facing +z (or -z when `facingMinusZ`).
static void WallAlongX(ShapeWriter& out, float z, float x0, float x1, float y0, float y1,
                       bool facingMinusZ) {
    out.Normal(0.0f, 0.0f, facingMinusZ ? -1.0f : 1.0f);
    if (facingMinusZ) {
        out.Vertex(x1, y0, z);
        out.Vertex(x0, y0, z);
        out.Vertex(x0, y1, z);
        out.Vertex(x1, y1, z);
    } else {
        out.Vertex(x0, y0, z);
        out.Vertex(x1, y0, z);
        out.Vertex(x1, y1, z);
        out.Vertex(x0, y1, z);
    }
}

static void WriteFrame(const BoardView& view, ShapeWriter& out) {
    out.BeginList(BoardFrameList);
    out.Colour(view.frameColour[0], view.frameColour[1], view.frameColour[2]);

    // 1. Outer walls: near, right, far, left.
    out.Begin(GL_QUADS);
    WallAlongX(out, 1.0f, -1.0f, 1.0f, 0.0f, frameTop, false);
    WallAlongZ(out, 1.0f, -1.0f, 1.0f, 0.0f, frameTop, false);
    WallAlongX(out, -1.0f, -1.0f, 1.0f, 0.0f, frameTop, true);
    WallAlongZ(out, -1.0f, -1.0f, 1.0f, 0.0f, frameTop, true);
    out.End();

    // 2. Inner walls of the rim, one strip around the playing area, all facing its centre.
    // Going near-left, near-right, far-right, far-left with the foot before the top of each
    // corner winds every wall toward the inside.
    static const float corners[5][2] = {
        {-rim, rim}, {rim, rim}, {rim, -rim}, {-rim, -rim}, {-rim, rim}};
    static const float inward[5][3] = {{0.0f, 0.0f, -1.0f},
                                       {0.0f, 0.0f, -1.0f},
                                       {-1.0f, 0.0f, 0.0f},
                                       {0.0f, 0.0f, 1.0f},
                                       {1.0f, 0.0f, 0.0f}};
    out.Begin(GL_QUAD_STRIP);
    for (int i = 0; i < 5; ++i) {
        out.Normal(inward[i][0], inward[i][1], inward[i][2]);
        out.Vertex(corners[i][0], wallFoot, corners[i][1]);
        out.Vertex(corners[i][0], frameTop, corners[i][1]);
    }
    out.End();

    // 3. The two walls of the bar.
    out.Begin(GL_QUADS);
    WallAlongZ(out, -barHalfWidth, -1.0f, 1.0f, wallFoot, frameTop, true);
    WallAlongZ(out, barHalfWidth, -1.0f, 1.0f, wallFoot, frameTop, false);
    out.End();

    // 4. Tops of the four rim strips and of the bar.
    out.Colour(view.frameColour[0], view.frameColour[1], view.frameColour[2]);
    out.Normal(0.0f, 1.0f, 0.0f);
    out.Begin(GL_QUADS);
    TopQuad(out, -1.0f, 1.0f, rim, 1.0f, frameTop);
    TopQuad(out, -1.0f, -rim, -1.0f, 1.0f, frameTop);
    TopQuad(out, rim, 1.0f, -1.0f, 1.0f, frameTop);
    TopQuad(out, -1.0f, 1.0f, -1.0f, -rim, frameTop);
    TopQuad(out, -barHalfWidth, barHalfWidth, -1.0f, 1.0f, frameTop);
    out.End();

    // 5. The seam along the middle of the bar, its ends dropped to the surface.
    out.Colour(0.2f, 0.2f, 0.2f);
    out.Begin(GL_LINE_STRIP);
    out.Vertex(0.0f, 0.0f, -1.0f);
    out.Vertex(0.0f, 0.075f, -1.0f);
    out.Vertex(0.0f, 0.075f, 1.0f);
    out.Vertex(0.0f, 0.0f, 1.0f);
    out.End();
    out.EndList();
}

static void WriteSurface(const BoardView& view, ShapeWriter& out) {
    out.BeginList(BoardSurfaceList);
    out.Colour(view.surfaceColour[0], view.surfaceColour[1], view.surfaceColour[2]);
    out.Begin(GL_QUADS);
    out.Normal(0.0f, 1.0f, 0.0f);
    TopQuad(out, -1.0f, 1.0f, -1.0f, 1.0f, 0.0f);
    out.End();
    out.EndList();
}

// One point: base on the rim at z = baseZ from x0 to x1, apex 0.6 toward the centre line.
static void PointTriangle(const BoardView& view, ShapeWriter& out, int number, float x0,
                          float baseZ) {
    const float* colour = number % 2 == 1 ? view.oddPointColour : view.evenPointColour;
    const float x1 = x0 + pointWidth;
    const float apexZ = baseZ > 0.0f ? baseZ - 0.6f : baseZ + 0.6f;
    out.Colour(colour[0], colour[1], colour[2]);
    out.Vertex(x0 + pointWidth / 2.0f, pointHeight, apexZ);
    // Seen from above, apex then the base corner nearer the player's left is counter-clockwise
    // on the near side; on the far side the base runs the other way.
    if (baseZ > 0.0f) {
        out.Vertex(x0, pointHeight, baseZ);
        out.Vertex(x1, pointHeight, baseZ);
    } else {
        out.Vertex(x1, pointHeight, baseZ);
        out.Vertex(x0, pointHeight, baseZ);
    }
}

static void WritePoints(const BoardView& view, ShapeWriter& out) {
    out.BeginList(BoardPointsList);
    out.Normal(0.0f, 1.0f, 0.0f);
    out.Begin(GL_TRIANGLES);
    for (int k = 0; k < 6; ++k) {
        const float right = 0.78f - pointWidth * k;
        const float left = -0.92f + pointWidth * k;
        PointTriangle(view, out, 1 + k, right, rim);
        PointTriangle(view, out, 13 + k, left, -rim);
        PointTriangle(view, out, 12 - k, left, rim);
        PointTriangle(view, out, 24 - k, right, -rim);
    }
    out.End();
    out.EndList();
}

void WriteBoardLists(const BoardView& view, ShapeWriter& out) {
    WriteFrame(view, out);
    WriteSurface(view, out);
    WritePoints(view, out);
}

void BoardView::BuildLists() const {
    GlShapeWriter out;
    WriteBoardLists(*this, out);
}

void BoardView::DrawPointsAndSurface() const {
    glCallList(BoardPointsList);
    glCallList(BoardSurfaceList);
}

void BoardView::DrawFrame() const {
    glCallList(BoardFrameList);
}

void BoardView::ApplyView() const {
    glTranslatef(current.x, current.y, current.z);
    glRotatef(current.rotX, 1.0f, 0.0f, 0.0f);
    glRotatef(current.rotY, 0.0f, 1.0f, 0.0f);
    glScalef(1.1f, 1.0f, 1.0f);
}
