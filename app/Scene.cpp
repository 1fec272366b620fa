#include <GL/gl.h>

#include "ai/Chance.h"
#include "app/App.h"
#include "app/GlCheck.h"

static const float fadeStep = 0.02f;
static const float fadeInEnd = 0.9f;
static const float fadeOutEnd = 0.0f;

void App::SetUpScene() {
    // 1, 2. A fresh seed at every opening; only the first one rolls.
    Srand(static_cast<unsigned>(ClockSeconds()));
    if (!sceneSetUpBefore) {
        table.Rules().RollForTurn();
        sceneSetUpBefore = true;
    }

    // 3, 4. Depth, clear colour, hints.
    glShadeModel(GL_SMOOTH);
    glClearColor(0.0f, 0.0f, 0.0f, 0.5f);
    glClearDepth(1.0);
    glEnable(GL_DEPTH_TEST);
    glDepthFunc(GL_LEQUAL);
    glHint(GL_POINT_SMOOTH_HINT, GL_NICEST);
    glHint(GL_LINE_SMOOTH_HINT, GL_NICEST);
    glHint(GL_POLYGON_SMOOTH_HINT, GL_NICEST);

    // 5. The one light, fixed to the eye: the modelview matrix is the identity here. Its diffuse
    // colour is whatever the fade has reached, so a reopened window does not go dark.
    static const float ambient[4] = {0.2f, 0.2f, 0.2f, 1.0f};
    static const float position[4] = {0.5f, 5.0f, 5.0f, 1.0f};
    glLightfv(GL_LIGHT0, GL_AMBIENT, ambient);
    glLightfv(GL_LIGHT0, GL_DIFFUSE, lightDiffuse);
    glLightfv(GL_LIGHT0, GL_POSITION, position);

    // 6. Culling, colour-tracking materials, lighting.
    glCullFace(GL_BACK);
    glEnable(GL_CULL_FACE);
    glEnable(GL_COLOR_MATERIAL);
    glEnable(GL_LIGHT0);
    glEnable(GL_LIGHTING);
    // A new context starts with filled polygons; a held "]" brings the lines back next pass.
    polygonMode = GL_FILL;

    // 7. Display lists, with their fixed numbers, on this context.
    table.BuildDisplayLists();
    CheckGlErrors("SetUpScene");
}

void App::StepFrame() {
    // 1. The fades: the fade-in first, so Escape during it waits for it to finish.
    if (fadingIn) {
        for (int i = 0; i < 3; ++i) {
            lightDiffuse[i] = lightDiffuse[i] + fadeStep;
        }
        if (lightDiffuse[0] > fadeInEnd) {
            fadingIn = false;
        }
    } else if (fadingOut) {
        for (int i = 0; i < 3; ++i) {
            lightDiffuse[i] = lightDiffuse[i] - fadeStep;
        }
        if (lightDiffuse[0] < fadeOutEnd) {
            done = true;
        }
    }

    // 2. The table: turn flow and animations.
    table.Advance();
}

void App::DrawFrame() const {
    // 1. A clean frame, lit as the fades left the light.
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glLoadIdentity();
    glLightfv(GL_LIGHT0, GL_DIFFUSE, lightDiffuse);

    // 2. The table.
    table.DrawTable();
    glFlush();
    CheckGlErrors("DrawFrame");
}
