#include <cmath>

#include "render/Checker.h"
#include "render/DisplayLists.h"
#include "render/ShapeWriter.h"

static const int segments = 20;
static const float radius = 0.07f;
static const float halfHeight = 0.01f;
static const float pi = 3.14159265358979f;

void WriteCheckerList(ShapeWriter& out) {
    float cosines[segments + 1];
    float sines[segments + 1];
    for (int i = 0; i <= segments; ++i) {
        const float a = i * pi / 10.0f;
        cosines[i] = std::cos(a);
        sines[i] = std::sin(a);
    }
    out.BeginList(CheckerList);

    // 1. Top disc. The normal is deliberately not unit and not constant: its length follows
    // sin + cos of the angle, which lays a diagonal sheen over the top that turns as it spins.
    out.Begin(GL_POLYGON);
    for (int i = segments; i >= 0; --i) {
        out.Normal(0.0f, sines[i] + cosines[i], 0.0f);
        out.Vertex(radius * cosines[i], halfHeight, radius * sines[i]);
    }
    out.End();

    // 2. Bottom disc, the same way round (it always lies on something and is never seen).
    out.Begin(GL_POLYGON);
    out.Normal(0.0f, -1.0f, 0.0f);
    for (int i = segments; i >= 0; --i) {
        out.Vertex(radius * cosines[i], -halfHeight, radius * sines[i]);
    }
    out.End();

    // 3. Rim.
    out.Begin(GL_QUAD_STRIP);
    for (int i = 0; i <= segments; ++i) {
        out.Normal(cosines[i], 0.0f, sines[i]);
        out.Vertex(radius * cosines[i], -halfHeight, radius * sines[i]);
        out.Vertex(radius * cosines[i], halfHeight, radius * sines[i]);
    }
    out.End();
    out.EndList();
}

void Checker::BuildLists() {
    GlShapeWriter out;
    WriteCheckerList(out);
}

void Checker::Draw(float turn, float shade) const {
    glPushMatrix();
    glTranslatef(current.x, current.y, current.z);
    glRotatef(current.rotX, 1.0f, 0.0f, 0.0f);
    glRotatef(current.rotZ, 0.0f, 0.0f, 1.0f);
    glRotatef(turn, 0.0f, 1.0f, 0.0f);
    if (index == 100) {
        // The ghost: a see-through preview drawn before the frame and the real checkers, which
        // then cover it.
        glColor3fv(colours.highlight);
        glBlendFunc(GL_ONE, GL_SRC_COLOR);
        glEnable(GL_BLEND);
        glDisable(GL_DEPTH_TEST);
        glCallList(CheckerList);
        glEnable(GL_DEPTH_TEST);
        glDisable(GL_BLEND);
    } else {
        const float* colour = selected          ? colours.highlight
                              : colourFlag == 0 ? colours.sideA
                                                : colours.sideB;
        glColor3f(colour[0] * shade, colour[1] * shade, colour[2] * shade);
        glCallList(CheckerList);
    }
    glPopMatrix();
}
