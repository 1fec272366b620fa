#include "app/ContextSetUp.h"

#include <GL/gl.h>
#include <GL/glu.h>

#include "app/GlCheck.h"

void SetUpContext(const float lightDiffuse[4]) {
    glShadeModel(GL_SMOOTH);
    glClearColor(0.0f, 0.0f, 0.0f, 0.5f);
    glClearDepth(1.0);
    glEnable(GL_DEPTH_TEST);
    glDepthFunc(GL_LEQUAL);
    glHint(GL_POINT_SMOOTH_HINT, GL_NICEST);
    glHint(GL_LINE_SMOOTH_HINT, GL_NICEST);
    glHint(GL_POLYGON_SMOOTH_HINT, GL_NICEST);

    // The modelview matrix is the identity here, so the light stays put relative to the eye
    // however the board is turned.
    static const float ambient[4] = {0.2f, 0.2f, 0.2f, 1.0f};
    static const float position[4] = {0.5f, 5.0f, 5.0f, 1.0f};
    glLightfv(GL_LIGHT0, GL_AMBIENT, ambient);
    glLightfv(GL_LIGHT0, GL_DIFFUSE, lightDiffuse);
    glLightfv(GL_LIGHT0, GL_POSITION, position);

    glCullFace(GL_BACK);
    glEnable(GL_CULL_FACE);
    glEnable(GL_COLOR_MATERIAL);
    glEnable(GL_LIGHT0);
    glEnable(GL_LIGHTING);
    CheckGlErrors("SetUpContext");
}

void SetPerspective(int width, int height) {
    glViewport(0, 0, width, height);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    float aspect = static_cast<float>(width) / static_cast<float>(height);
    gluPerspective(45.0, aspect, static_cast<double>(0.1f), 10.0);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    CheckGlErrors("SetPerspective");
}
