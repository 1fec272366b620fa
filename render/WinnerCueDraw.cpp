#include <GL/gl.h>

#include <algorithm>

#include "render/Checker.h"
#include "render/WinnerCue.h"
#include "rules/Position.h"

// Gold: bright on the black around the board, and no colour of the board itself in any scheme.
static const float gold[3] = {1.0f, 0.75f, 0.15f};
// The glow reaches this far past the checkers' edges at full strength, then fades out over the
// fringe. It lies a hair below the lowest borne-off checker.
static const float margin = 0.1f;
static const float fringe = 0.1f;
static const float height = -0.011f;

void WinnerCue::Draw() const {
    if (winner == Side::None)
        return;
    // The tray's column of slots, whichever side of the board it is on.
    const int tray = Position::TrayOf(winner);
    const Pose first = SlotPosition(tray, 0);
    const Pose last = SlotPosition(tray, 5);
    const float x0 = first.x - margin, x1 = first.x + margin;
    const float z0 = std::min(first.z, last.z) - margin, z1 = std::max(first.z, last.z) + margin;
    const float inner[5][2] = {{x0, z0}, {x0, z1}, {x1, z1}, {x1, z0}, {x0, z0}};
    const float outer[5][2] = {{x0 - fringe, z0 - fringe},
                               {x0 - fringe, z1 + fringe},
                               {x1 + fringe, z1 + fringe},
                               {x1 + fringe, z0 - fringe},
                               {x0 - fringe, z0 - fringe}};
    const float glow = Glow();

    // Unlit and blended over what is there, seen from above or below, and leaving the depth
    // buffer to the checkers that stand on it.
    glDisable(GL_LIGHTING);
    glDisable(GL_CULL_FACE);
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glDepthMask(GL_FALSE);

    glColor4f(gold[0], gold[1], gold[2], glow);
    glBegin(GL_QUADS);
    for (int i = 0; i < 4; ++i)
        glVertex3f(inner[i][0], height, inner[i][1]);
    glEnd();
    glBegin(GL_QUAD_STRIP);
    for (int i = 0; i < 5; ++i) {
        glColor4f(gold[0], gold[1], gold[2], glow);
        glVertex3f(inner[i][0], height, inner[i][1]);
        glColor4f(gold[0], gold[1], gold[2], 0.0f);
        glVertex3f(outer[i][0], height, outer[i][1]);
    }
    glEnd();

    glDepthMask(GL_TRUE);
    glDisable(GL_BLEND);
    glEnable(GL_CULL_FACE);
    glEnable(GL_LIGHTING);
}
